// vsdoc send: one command line to a running Vellumscanner's command port,
// its result printed and its return code as the exit code; without a
// command, each line of standard input in turn.
#include "commands.h"
#include "pager.h"
#include "platform/dos/readargs.h"
#include "platform/rexx/port.h"
#include "platform/utility/charset.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {
// Which argument of a command names a file: the program runs in another
// folder, so a relative name is made full here.
int FileArgument(const std::string &command)
{
    auto is = [&command](CONST_STRPTR name) { return Stricmp(command.c_str(), name) == 0; };
    if (is("QMX_BaseOpen") || is("QMX_FileOpen") || is("HELP"))
        return 0;
    if (is("QMX_FindFunction") || is("QMX_FindText"))
        return 1;
    return -1;
}

std::string FullName(const std::string &name)
{
    if (name.empty() || name[0] == '/' || name.find(':') != std::string::npos)
        return name;   // full already, or on an assign
    char cwd[4096];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + name : name;
}

// The words as a command line, quoted where a word holds a blank or a quote.
std::string CommandLine(std::vector<std::string> words)
{
    int file = FileArgument(words[0]);
    if (file >= 0 && size_t(file) + 1 < words.size())
        words[size_t(file) + 1] = FullName(words[size_t(file) + 1]);
    std::vector<char *> argv = {const_cast<char *>("vsdoc")};
    for (std::string &w : words)
        argv.push_back(w.data());
    return CommandLineFromArgv(int(argv.size()), argv.data());
}

// Sends one line; the result printed, the return code given back (-1 when
// no program answered).
LONG Send(const std::string &port, const std::string &line)
{
    LONG rc = 0;
    std::string result, error;
    if (!SendPortCommand(port, line, rc, result, error)) {
        std::fprintf(stderr, "vsdoc: %s (is Vellumscanner running?)\n", error.c_str());
        return -1;
    }
    if (!result.empty())
        Out().Write(result + "\n");
    return rc;
}

int ExitCode(LONG rc) { return rc < 0 ? 1 : int(std::min<LONG>(rc, 255)); }
}

int RunSend(const VsdocArgs &args)
{
    std::string port = args.port.empty() ? "VELLUMSCANNER.1" : args.port;
    if (!args.files.empty())
        return ExitCode(Send(port, CommandLine(args.files)));
    LONG worst = 0;
    for (std::string line; std::getline(std::cin, line);) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        LONG rc = Send(port, line);
        if (rc < 0)
            return 1;
        worst = std::max(worst, rc);
    }
    return ExitCode(worst);
}
