// vsdoc send: one command line to a running Vellumscanner's command port,
// its result printed and its return code as the exit code; without a
// command, each line of standard input in turn.
#include "app/arexx.h"
#include "commands.h"
#include "pager.h"
#include "platform/dos/readargs.h"
#include "platform/mui/commands.h"
#include "platform/rexx/port.h"
#include "platform/utility/charset.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {
constexpr int kLate = 3;   // the exit code when no answer came in time

// An item of a command's template that names a file: FILE, FILENAME, BASEFILE.
bool NamesAFile(CONST_STRPTR templ, int item)
{
    std::string name = TemplateItemName(templ, item);
    return Stricmp(name.c_str(), "FILENAME") == 0 ||
           (name.size() >= 4 && Stricmp(name.c_str() + name.size() - 4, "FILE") == 0);
}

// The program runs in another folder: a relative name is made full here.
std::string FullName(const std::string &name)
{
    if (name.empty() || name[0] == '/' || name.find(':') != std::string::npos)
        return name;   // full already, or on an assign
    char cwd[4096];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + name : name;
}

// The words a command's arguments become: a file's name made full, a
// keyword's value split from its NAME= so that quoting keeps it a keyword.
std::vector<std::string> PortWords(CONST_STRPTR templ, const std::vector<std::string> &words)
{
    std::vector<ArgPlace> places = PlaceArguments(templ, words);
    if (places.empty())
        return words;   // no fit: the port says what is wrong
    std::vector<std::string> out;
    for (size_t i = 0; i < words.size(); ++i) {
        const ArgPlace &p = places[i];
        if (p.item < 0) {
            out.push_back(words[i].substr(0, words[i].find('=')));   // a switch's name; "=..." means nothing to it
            continue;
        }
        if (p.valueAt > 0)
            out.push_back(words[i].substr(0, p.valueAt - 1));
        std::string value = words[i].substr(p.valueAt);
        out.push_back(NamesAFile(templ, p.item) ? FullName(value) : value);
    }
    return out;
}

// Sends one line; the result printed, the exit code given back (answered
// false when no answer came).
int Send(const VsdocArgs &args, const std::string &port, const std::string &line, bool &answered)
{
    LONG rc = 0;
    std::string result, error;
    PortSend status = AskPort(port, line, args.timeout * 1000, rc, result, error);
    answered = status == PortSend::Answered;
    if (status == PortSend::Late)
        std::fprintf(stderr, "vsdoc: no answer from the port %s within %d seconds\n", port.c_str(), args.timeout);
    else if (status == PortSend::NoPort)
        std::fprintf(stderr, "vsdoc: %s (is Vellumscanner running?)\n", error.c_str());
    else if (!answered)
        std::fprintf(stderr, "vsdoc: %s\n", error.c_str());
    if (!answered)
        return status == PortSend::Late ? kLate : 1;
    if (!result.empty())
        Out().Write(result + "\n");
    return int(std::clamp<LONG>(rc, 0, 255));
}
}

std::string SendCommandLine(const std::vector<std::string> &words)
{
    std::vector<std::string> out = {"vsdoc", words.empty() ? "" : words[0]};
    std::vector<std::string> rest(words.begin() + std::min<size_t>(1, words.size()), words.end());
    CONST_STRPTR templ = PortCommandTemplate(ARexxCommands, out[1].c_str());
    bool asking = rest.size() == 1 && rest[0] == "?";   // the template is asked for
    for (std::string &w : templ && !asking ? PortWords(templ, rest) : rest)
        out.push_back(std::move(w));
    std::vector<char *> argv;
    for (std::string &w : out)
        argv.push_back(w.data());
    return CommandLineFromArgv(int(argv.size()), argv.data());
}

int RunSend(const VsdocArgs &args)
{
    std::string port = args.port.empty() ? "VELLUMSCANNER.1" : args.port;
    bool answered = true;
    if (!args.files.empty())
        return Send(args, port, SendCommandLine(args.files), answered);
    int worst = 0;
    for (std::string line; std::getline(std::cin, line);) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        int code = Send(args, port, line, answered);
        if (!answered)
            return code;
        worst = std::max(worst, code);
    }
    return worst;
}
