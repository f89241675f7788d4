// The commands of vsdoc, and the parsing of its command line.
#pragma once
#include <string>
#include <vector>

struct VsdocArgs {
    std::string command;   // "index", "show", "base" or "lookup"
    std::string action;    // for "base": "list", "add" or "rescan"
    std::string file;      // the document, or the base file
    std::string entry;     // show: a name or a number; lookup: the word
    std::string group;     // base add: the group path, "A/B"
    std::vector<std::string> files;
    bool raw = false;
    bool show = false;
};

// False (with a message in error) when the words do not form a command.
bool ParseVsdocArgs(const std::vector<std::string> &words, VsdocArgs &args, std::string &error);

// Prints the entry the viewer shows, its lists in order.
void PrintShown(const VsdocArgs &args, bool terminal);

int RunIndex(const VsdocArgs &args);
int RunShow(const VsdocArgs &args, bool terminal);
int RunBase(const VsdocArgs &args);
int RunLookup(const VsdocArgs &args, bool terminal);
