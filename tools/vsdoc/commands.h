// The commands of vsdoc, and the parsing of its command line.
#pragma once
#include <string>
#include <vector>

struct VsdocArgs {
    std::string command;              // "index", "show", "base", "lookup", "search", "send" or "lsp"
    std::string action;               // for "base": "list", "add" or "rescan"
    std::string file;                 // the document, or the base file
    std::string entry;                // show: a name or a number; lookup: the word; search: the text
    std::string group;                // base add: the group path, "A/B"
    std::vector<std::string> files;   // base add: the documents; send: the command and its words
    std::vector<std::string> bases;   // lsp: the bases given with --base, in order
    bool raw = false;
    bool show = false;
    bool count = false;     // search: the number of hits only
    bool json = false;      // index, lookup, search, base list: one JSON object per line
    std::string port;       // send: the port's name
    int timeout = 30;       // send: seconds to wait for an answer
    bool help = false;      // --help: the usage (of the command given, if any)
    bool version = false;   // --version
    enum class Color { Auto, Always, Never } color = Color::Auto;
};

// False (with a message in error: the fault, then the usage) when the words
// do not form a command. Words after "--" are never options.
bool ParseVsdocArgs(const std::vector<std::string> &words, VsdocArgs &args, std::string &error);
// The usage of one command, or of them all for an empty or unknown name.
std::string VsdocUsage(const std::string &command);

// Prints the entry the viewer shows, its lists in order; styled: text codes
// become terminal attributes.
void PrintShown(const VsdocArgs &args, bool styled);

// False, with the reason on standard error, for a path that is no readable
// file: missing, a folder, a FIFO or device, or one it may not read.
bool Readable(const std::string &path);

// After a guide's node: a line "--links--", then one line per link of the
// node: number, label, command, file, node, line, argument, display line.
void PrintGuideLinks(struct Object *list);

int RunIndex(const VsdocArgs &args);
int RunShow(const VsdocArgs &args, bool styled);
int RunBase(const VsdocArgs &args);
int RunLookup(const VsdocArgs &args, bool styled);
int RunSearch(const VsdocArgs &args);
int RunSend(const VsdocArgs &args);
int RunLsp(const VsdocArgs &args);
// The line vsdoc send makes of a command and its words: a relative name in a
// file's place by the command's template made full, words with blanks or
// quotes quoted, everything else as typed.
std::string SendCommandLine(const std::vector<std::string> &words);
