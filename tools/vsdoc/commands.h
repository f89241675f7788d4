// The commands of vsdoc, and the parsing of its command line.
#pragma once
#include <string>
#include <vector>

struct VsdocArgs {
    std::string command;   // "index" or "show"
    std::string file;
    std::string entry;     // a name or a number; empty: the first entry
    bool raw = false;
};

// False (with a message in error) when the words do not form a command.
bool ParseVsdocArgs(const std::vector<std::string> &words, VsdocArgs &args, std::string &error);

int RunIndex(const VsdocArgs &args);
int RunShow(const VsdocArgs &args, bool terminal);
