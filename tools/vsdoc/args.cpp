// vsdoc's command line: the command, its words and its options, with the
// usage texts that --help prints and a mistake is answered with.
#include "commands.h"
#include "platform/dos/readargs.h"

#include <algorithm>

namespace {
struct CommandUsage {
    const char *name;
    const char *text;
};

const CommandUsage kCommands[] = {
    {"index", "vsdoc index [--json] FILE\n"
              "    The document's type and caption, then one line per entry:\n"
              "    NAME, MARK, OFFSET, LINE and LINES, separated by tabs.\n"},
    {"show", "vsdoc show [--raw] FILE [ENTRY]\n"
             "    The entry (a name, case ignored, or a number; the first one when\n"
             "    none is given) as the window shows it. --raw keeps the text codes.\n"},
    {"base", "vsdoc base list [--json] BASE\n"
             "vsdoc base add BASE [--group A/B] FILE...\n"
             "vsdoc base rescan BASE\n"
             "    List a document base (a .qmx file), add documents to it (into the\n"
             "    group path given, made as needed; a new base when BASE is missing),\n"
             "    or read its documents anew.\n"},
    {"lookup", "vsdoc lookup [--json] BASE WORD [--show] [--raw]\n"
               "    The document and entry a word leads to, as a double-click would;\n"
               "    --show prints the entry too. Exit code 1 when nothing is found.\n"},
    {"search", "vsdoc search [--count] [--json] BASE|FILE TEXT\n"
               "    Every hit of TEXT (case ignored, leading blanks dropped) in the\n"
               "    documents of a base in tree order, or in one file, one per line:\n"
               "    PATH:LINE:COLUMN:the line, in the order the search panel visits them;\n"
               "    --count prints only the number of hits. Exit code 1 when none is found.\n"},
    {"send", "vsdoc send [--port NAME] [--timeout SECONDS] [COMMAND [ARGS...]]\n"
             "    Sends a command to a running Vellumscanner (port VELLUMSCANNER.1 unless\n"
             "    NAME is given), prints its result and exits with its return code; 1 when\n"
             "    no program answers, 3 when none came within SECONDS (30). Without\n"
             "    COMMAND, each line of standard input is sent. A relative name in a\n"
             "    file's place (FILE, or BASEFILE=FILE) is made full; the rest goes as typed.\n"
             "    Commands: QMX_BaseOpen FILE, QMX_BaseClose, QMX_FileOpen FILE,\n"
             "    QMX_FileClose, QMX_FindFunction WORD BASE, QMX_FindText TEXT BASE,\n"
             "    QUIT, HIDE, SHOW, INFO ITEM, HELP FILE.\n"},
    {"lsp", "vsdoc lsp [--base BASE]...\n"
            "    A language server (LSP 3.17) on standard input and output: hover,\n"
            "    definition, completion, signature help and symbols from the bases\n"
            "    given (else the client's initializationOptions.bases, else the base\n"
            "    the window opened last).\n"},
};

const char kOptions[] = "Options: --color=auto|always|never (NO_COLOR is heeded), --help, --version;\n"
                        "--json: one JSON object per line instead of the tab-separated text;\n"
                        "-- ends the options (for entries such as --background--).\n"
                        "Exit codes: 0 done, 1 a file or entry could not be read or found, 2 a bad command line.\n";

bool Fail(std::string &error, const std::string &fault, const std::string &command)
{
    error = fault + "\n" + VsdocUsage(command);
    return false;
}

bool KnownCommand(const std::string &name)
{
    return std::any_of(std::begin(kCommands), std::end(kCommands), [&](auto &c) { return name == c.name; });
}

// The value of the option at words[i], which it takes; false when it lacks one.
bool OptionValue(const std::vector<std::string> &words, size_t &i, VsdocArgs &args, std::string &fault)
{
    const std::string &w = words[i];
    const char *wanted = w == "--port"    ? " needs a port name"
                         : w == "--group" ? " needs a group path"
                         : w == "--base"  ? " needs a base"
                                          : " needs a number of seconds";
    LONG seconds = 0;
    bool number = i + 1 < words.size() && StrToLong(words[i + 1].c_str(), &seconds) == LONG(words[i + 1].size());
    if (i + 1 == words.size() || (w == "--timeout" && (!number || seconds <= 0))) {
        fault = w + wanted;
        return false;
    }
    if (w == "--timeout")
        args.timeout = int(std::min<LONG>(seconds, 24 * 3600));
    else if (w == "--base")
        args.bases.push_back(words[i + 1]);
    else
        (w == "--port" ? args.port : args.group) = words[i + 1];
    ++i;
    return true;
}

// The words that are not options, in order; false for an unknown option.
bool TakeOptions(const std::vector<std::string> &words, VsdocArgs &args, std::vector<std::string> &rest,
                 std::string &fault)
{
    bool options = true;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        if (!options || w.size() < 2 || w[0] != '-') {
            rest.push_back(w);
            continue;
        }
        if (w == "--")
            options = false;
        else if (w == "--raw")
            args.raw = true;
        else if (w == "--show")
            args.show = true;
        else if (w == "--count")
            args.count = true;
        else if (w == "--json")
            args.json = true;
        else if (w == "--help" || w == "-h")
            args.help = true;
        else if (w == "--version")
            args.version = true;
        else if (w == "--color" || w == "--color=always")
            args.color = VsdocArgs::Color::Always;
        else if (w == "--color=never")
            args.color = VsdocArgs::Color::Never;
        else if (w == "--color=auto")
            args.color = VsdocArgs::Color::Auto;
        else if (w == "--port" || w == "--group" || w == "--base" || w == "--timeout") {
            if (!OptionValue(words, i, args, fault))
                return false;
        } else {
            fault = "unknown option " + w;
            return false;
        }
    }
    return true;
}

bool CommandWords(const std::vector<std::string> &rest, VsdocArgs &args)
{
    size_t n = rest.size();
    const std::string &c = args.command;
    if ((c == "index" && n == 2) || (c == "show" && (n == 2 || n == 3)) || (c == "lookup" && n == 3) ||
        (c == "search" && n == 3)) {
        args.file = rest[1];
        args.entry = n == 3 ? rest[2] : "";
        return true;
    }
    if (c == "lsp")
        return n == 1;
    if (c == "send") {
        args.files.assign(rest.begin() + 1, rest.end());
        return true;
    }
    if (c != "base" || n < 3)
        return false;
    args.action = rest[1];
    args.file = rest[2];
    args.files.assign(rest.begin() + 3, rest.end());
    bool add = args.action == "add" && !args.files.empty();
    bool other = (args.action == "list" || args.action == "rescan") && args.files.empty() && args.group.empty();
    return add || other;
}
}

std::string VsdocUsage(const std::string &command)
{
    std::string out = "usage:\n";
    for (const CommandUsage &c : kCommands)
        if (command.empty() || !KnownCommand(command) || command == c.name)
            out += c.text;
    return out + kOptions;
}

bool ParseVsdocArgs(const std::vector<std::string> &words, VsdocArgs &args, std::string &error)
{
    std::vector<std::string> rest;
    std::string fault;
    bool optionsRead = TakeOptions(words, args, rest, fault);
    args.command = rest.empty() ? "" : rest[0];
    if (!optionsRead)
        return Fail(error, fault, args.command);
    if (args.help || args.version)
        return true;
    if (args.command.empty())
        return Fail(error, "no command given", "");
    if (!KnownCommand(args.command)) {   // a slip of the keyboard: one line, not every command's usage
        error = "unknown command " + args.command + " (vsdoc --help)\n";
        return false;
    }
    if (!CommandWords(rest, args))
        return Fail(error, "wrong words for " + args.command, args.command);
    return true;
}
