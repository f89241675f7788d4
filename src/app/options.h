// What the window program's command line asks before anything else starts,
// so that help and the version need no display: --help (or the template's
// own "?"), --version, and options it does not know. "--" ends the options;
// a desktop's file URL becomes the file's name.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

struct FrontAnswer {
    int exitCode = -1;                // -1: go on and start the program
    std::vector<std::string> words;   // the arguments to hand on, program name first
};

// Help and the version go to out, a mistake to err.
FrontAnswer ReadFrontOptions(int argc, char **argv, FILE *out = stdout, FILE *err = stderr);
// "file:///a%20b" is "/a b"; anything else stays as it is.
std::string FileFromURL(const std::string &word);
