#include "guide_corpus.h"

#include "corpus_files.h"

namespace {
const char *const kWords[] = {"the",  "scroll", "is",     "read",   "line", "by",   "with",
                              "a",    "buffer", "of",     "text",   "when", "this", "node",
                              "must", "be",     "opened", "closed", "and",  "its",  "library"};

std::string Words(Random &r, size_t n)
{
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += std::string(i ? " " : "") + r.Pick(kWords, std::size(kWords));
    return s;
}

// Node sizes from one line to hundreds, most of them short, as in real guides.
size_t NodeLines(Random &r, size_t average)
{
    size_t pick = r.Next() % 100;
    return pick < 60 ? 1 + r.Next() % average : pick < 95 ? average + r.Next() % (3 * average) : 10 * average;
}
}

std::string MakeGuide(const std::string &name, size_t nodes, size_t links, size_t bytes, unsigned seed)
{
    Random r{seed};
    std::string out = "@DATABASE " + name + ".guide\n@AUTHOR The synthetic corpus\n@$VER: " + name +
                      ".guide 1.0\n@INDEX Index\n@WORDWRAP\n";
    size_t average = std::max<size_t>(1, bytes / std::max<size_t>(1, nodes) / 60);
    size_t linksLeft = links;
    for (size_t n = 0; n < nodes; ++n) {
        std::string node = n == 0 ? "MAIN" : n + 1 == nodes ? "Index" : "Node" + std::to_string(n);
        out += "@NODE " + node + " \"" + Words(r, 3) + "\"\n";
        // the index node names every node: the largest of the guide
        size_t lines = n + 1 == nodes ? nodes : NodeLines(r, average);
        size_t nodeLinks = linksLeft * lines / std::max<size_t>(1, (nodes - n) * average);
        for (size_t l = 0; l < lines; ++l) {
            out += r.Next() % 8 ? Words(r, 6 + r.Next() % 6) : "@{b}" + Words(r, 2) + "@{ub} " + Words(r, 4);
            if (nodeLinks && linksLeft && r.Next() % 2) {
                out += " @{\"" + Words(r, 1) + "\" link Node" + std::to_string(1 + r.Next() % nodes) + "}";
                --nodeLinks, --linksLeft;
            }
            out += "\n";
        }
        out += "@ENDNODE\n\n";
    }
    return out;
}

std::vector<std::string> EnsureGuideCorpus(const std::string &dir, size_t files, size_t bytes)
{
    size_t each = bytes / files * 6 / 7;   // the guides come out a sixth longer than asked
    return EnsureFiles(
        dir, bytes, [](unsigned i) { return "g" + std::to_string(i) + ".guide"; },
        [each](unsigned i) { return MakeGuide("g" + std::to_string(i), 10 + i % 42, 20 + i % 40, each, i); }, files);
}
