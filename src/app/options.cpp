#include "options.h"

#include "startup.h"
#include "version.h"

#include <cstdio>

namespace {
void PrintHelp(FILE *to)
{
    std::fprintf(to, "%s\n\n", ArgTemplate);
    std::fputs("Usage: vellumscanner [FILE [FUNCTION]]\n"
               "A reader for the reference documentation of Amiga-family systems: autodocs,\n"
               "C headers, XML interface descriptions, AmigaGuide and plain text, and document\n"
               "bases (.qmx) built from them.\n\n"
               "  FILE       a document to show, or a document base to open\n"
               "  FUNCTION   the entry of FILE to show first (the rest of the line)\n"
               "  --help, ?  this text\n"
               "  --version  the program's version\n"
               "  --         ends the options: what follows is FILE and FUNCTION\n",
               to);
}

int HexDigit(char c)
{
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}
}

std::string FileFromURL(const std::string &word)
{
    const std::string scheme = "file://";
    if (word.compare(0, scheme.size(), scheme) != 0)
        return word;
    size_t path = word.find('/', scheme.size());   // past an empty or local host name
    if (path == std::string::npos)
        return word;
    std::string out;
    for (size_t i = path; i < word.size(); ++i) {
        int high = i + 2 < word.size() ? HexDigit(word[i + 1]) : -1, low = high >= 0 ? HexDigit(word[i + 2]) : -1;
        if (word[i] == '%' && low >= 0) {
            out += char(high * 16 + low);
            i += 2;
        } else {
            out += word[i];
        }
    }
    return out;
}

FrontAnswer ReadFrontOptions(int argc, char **argv, FILE *out, FILE *err)
{
    FrontAnswer answer;
    answer.words.push_back(argc > 0 ? argv[0] : "vellumscanner");
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        std::string w = argv[i];
        if (options && (w == "--help" || w == "-h" || (w == "?" && argc == 2))) {
            PrintHelp(out);
            answer.exitCode = 0;
            return answer;
        }
        if (options && w == "--version") {
            std::fputs("Vellumscanner " VS_VERSION " (" VS_DATE ")\n", out);
            answer.exitCode = 0;
            return answer;
        }
        if (options && w == "--") {
            options = false;
            continue;
        }
        if (options && w.size() > 1 && w[0] == '-') {
            std::fprintf(err, "vellumscanner: unknown option %s\n", w.c_str());
            PrintHelp(err);
            answer.exitCode = 2;
            return answer;
        }
        answer.words.push_back(FileFromURL(w));
    }
    return answer;
}
