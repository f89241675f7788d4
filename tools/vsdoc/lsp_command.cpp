// vsdoc lsp: the language server on standard input and output, with the
// program's classes made headless for the bases it opens.
#include "commands.h"
#include "lsp/stdio_loop.h"
#include "session.h"

#include <csignal>
#include <unistd.h>

int RunLsp(const VsdocArgs &args)
{
    Session session("vsdoc");
    if (!session.Ready())
        return 1;
    std::signal(SIGPIPE, SIG_IGN);   // an editor gone away ends the loop by a failed write, not a signal
    LanguageServer server(args.bases);
    return RunLanguageServer(server, STDIN_FILENO, STDOUT_FILENO);
}
