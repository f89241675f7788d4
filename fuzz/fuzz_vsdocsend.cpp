// vsdoc send's handling of a command's words, one word per line of input:
// words that fit the command's template must make a line that the port reads
// back under that template, each value as typed or made full.
#include "app/arexx.h"
#include "platform/dos/readargs.h"
#include "platform/mui/commands.h"
#include "vsdoc/commands.h"

#include <cstdlib>
#include <map>
#include <sstream>

namespace {
bool SameOrMadeFull(const std::string &sent, const std::string &typed)
{
    return sent == typed || (sent.size() > typed.size() &&
                             sent.compare(sent.size() - typed.size() - 1, std::string::npos, "/" + typed) == 0);
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string input(reinterpret_cast<const char *>(data), size);
    if (input.find('\0') != std::string::npos)
        return 0;   // no argument of a shell holds one
    std::istringstream in(input);
    std::vector<std::string> words;
    for (std::string w; std::getline(in, w);)
        words.push_back(w);
    std::string line = SendCommandLine(words);
    if (words.empty())
        return 0;
    CONST_STRPTR templ = PortCommandTemplate(ARexxCommands, words[0].c_str());
    std::vector<std::string> rest(words.begin() + 1, words.end());
    std::vector<ArgPlace> places = templ ? PlaceArguments(templ, rest) : std::vector<ArgPlace>();
    if (places.empty() || (rest.size() == 1 && rest[0] == "?"))
        return 0;
    std::string args = line.substr(std::min(line.size(), words[0].size() + 1));
    if (args.find_first_not_of(" \t\n") != std::string::npos && args.substr(args.find_first_not_of(" \t\n")) == "?")
        return 0;   // ReadArgs would ask the terminal
    IPTR array[8] = {};
    RDArgs *rda = ReadArgs(templ, array, args.c_str());
    if (!rda)
        std::abort();   // the words fit, the line made of them must too
    // an item given twice keeps the last value
    std::map<int, std::string> last;
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i].item >= 0)
            last[places[i].item] = rest[i].substr(places[i].valueAt);
    for (const auto &[item, typed] : last)
        if (!SameOrMadeFull(reinterpret_cast<const char *>(array[item]), typed))
            std::abort();
    FreeArgs(rda);
    return 0;
}
