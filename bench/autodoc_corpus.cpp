#include "autodoc_corpus.h"
#include "corpus_files.h"

#include <cstdint>
#include <fstream>
#include <sys/stat.h>

namespace {
const char *const kVerbs[] = {"Alloc", "Free",   "Open", "Close",  "Read",   "Write",   "Get",    "Set",    "Find",
                              "Lock",  "Unlock", "Add",  "Remove", "Obtain", "Release", "Create", "Delete", "Wait"};
const char *const kNouns[] = {"Mem",    "Vec",    "Port",      "Signal",  "Task",  "Library",
                              "Device", "Window", "Screen",    "Gadget",  "Layer", "Region",
                              "Font",   "BitMap", "Semaphore", "Message", "Node",  "List"};
const char *const kWords[] = {"the",     "a",    "memory", "block",    "of",    "is",  "returned", "to",
                              "system",  "when", "this",   "function", "must",  "be",  "called",   "with",
                              "pointer", "NULL", "size",   "bytes",    "flags", "and", "or",       "if",
                              "not",     "free", "list",   "task",     "signal"};

std::string Sentence(Random &r, size_t words)
{
    std::string s;
    for (size_t i = 0; i < words; ++i)
        s += std::string(i ? " " : "") + r.Pick(kWords, sizeof kWords / sizeof kWords[0]);
    return s;
}

std::string Paragraph(Random &r, size_t lines)
{
    std::string s;
    for (size_t i = 0; i < lines; ++i)
        s += "\t" + Sentence(r, 6 + r.Next() % 6) + "\n";
    return s;
}

std::string FunctionName(Random &r, size_t i)
{
    return std::string(r.Pick(kVerbs, sizeof kVerbs / sizeof kVerbs[0])) +
           r.Pick(kNouns, sizeof kNouns / sizeof kNouns[0]) + std::to_string(i);
}

std::string Heading(const std::string &full)
{
    std::string h = full;
    h.append(full.size() < 38 ? 76 - 2 * full.size() : 2, ' ');
    return h + full + "\n";
}
}

std::string MakeAutodoc(const std::string &library, size_t entries, unsigned seed)
{
    Random r{0x5eedULL + seed};
    std::vector<std::string> names;
    for (size_t i = 0; i < entries; ++i)
        names.push_back(FunctionName(r, i));
    std::string doc = "TABLE OF CONTENTS\n\n";
    for (const std::string &n : names)
        doc += library + "/" + n + "\n";
    for (const std::string &n : names) {
        doc += "\f" + Heading(library + "/" + n) + "\n";
        doc += "   NAME\n\t" + n + " -- " + Sentence(r, 5) + " (V" + std::to_string(36 + r.Next() % 18) + ")\n\n";
        doc += "   SYNOPSIS\n\tresult = " + n + "(arg, size)\n\tD0" + std::string(12, ' ') + "A0   D0\n\n";
        doc += "   FUNCTION\n" + Paragraph(r, 3 + r.Next() % 12) + "\n";
        doc += "   INPUTS\n\targ - " + Sentence(r, 7) + "\n\tsize - " + Sentence(r, 5) + "\n\n";
        doc += "   RESULT\n" + Paragraph(r, 1 + r.Next() % 3) + "\n";
        if (r.Next() % 3 == 0)
            doc += "   EXAMPLE\n\tAPTR p = " + n + "(NULL, 64);\n\tif (p)\n\t    FreeVec(p);\n\n";
        doc += "   SEE ALSO\n\t" + names[r.Next() % names.size()] + "(), exec.library/AllocVec()\n\n";
    }
    return doc;
}

std::vector<std::string> EnsureAutodocCorpus(const std::string &dir, size_t bytes)
{
    return EnsureFiles(
        dir, bytes, [](unsigned i) { return "lib" + std::to_string(i) + ".doc"; },
        [](unsigned i) { return MakeAutodoc("lib" + std::to_string(i) + ".library", 150 + i % 200, i); });
}
