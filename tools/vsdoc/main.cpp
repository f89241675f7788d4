// vsdoc: the command-line companion. It reads documents through the same
// classes as the window program, without a window.
#include "commands.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    VsdocArgs args;
    std::string error;
    if (!ParseVsdocArgs(words, args, error)) {
        std::fprintf(stderr, "vsdoc: %s\n", error.c_str());
        return 2;
    }
    bool terminal = isatty(STDOUT_FILENO);
    int rc = args.command == "index"  ? RunIndex(args)
             : args.command == "show" ? RunShow(args, terminal)
             : args.command == "base" ? RunBase(args)
                                      : RunLookup(args, terminal);
    std::fflush(stdout);
    return rc;
}
