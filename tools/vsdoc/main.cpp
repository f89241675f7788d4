// vsdoc: the command-line companion. It reads documents through the same
// classes as the window program, without a window.
#include "app/version.h"
#include "commands.h"
#include "output.h"
#include "pager.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
bool Styled(VsdocArgs::Color color)
{
    if (color != VsdocArgs::Color::Auto)
        return color == VsdocArgs::Color::Always;
    const char *noColor = std::getenv("NO_COLOR");
    return isatty(STDOUT_FILENO) && !(noColor && *noColor);
}

int Run(const VsdocArgs &args)
{
    bool styled = Styled(args.color);
    if (args.command == "index")
        return RunIndex(args);
    if (args.command == "show")
        return RunShow(args, styled);
    if (args.command == "base")
        return RunBase(args);
    if (args.command == "search")
        return RunSearch(args);
    if (args.command == "send")
        return RunSend(args);
    if (args.command == "lsp")
        return RunLsp(args);
    return RunLookup(args, styled);
}
}

int main(int argc, char **argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    VsdocArgs args;
    std::string error;
    if (!ParseVsdocArgs(words, args, error)) {
        std::fprintf(stderr, "vsdoc: %s", error.c_str());
        return 2;
    }
    if (args.version || args.help) {
        std::fputs(args.version ? "vsdoc " VS_VERSION " (" VS_DATE ")\n" : VsdocUsage(args.command).c_str(), stdout);
        return 0;
    }
    StartOutput(isatty(STDOUT_FILENO));
    if (isatty(STDOUT_FILENO) && !args.raw)
        UseTerminalCharset();
    int rc = Run(args);
    Out().Finish();
    return rc;
}
