#include "source_corpus.h"

#include "corpus_files.h"

namespace {
const char *const kTypes[] = {"LONG",
                              "ULONG",
                              "UWORD",
                              "APTR",
                              "STRPTR",
                              "BYTE",
                              "struct Node *",
                              "struct List",
                              "struct MinNode",
                              "struct MsgPort *",
                              "struct TagItem *",
                              "BPTR"};
const char *const kParts[] = {"Mem",   "Port",   "Signal", "Task",   "Lib",     "Device", "Window", "Screen", "Gadget",
                              "Layer", "Region", "Font",   "BitMap", "Message", "Node",   "List",   "Hook",   "Lock"};

std::string Name(Random &r, unsigned n)
{
    return std::string(r.Pick(kParts, std::size(kParts))) + r.Pick(kParts, std::size(kParts)) + std::to_string(n);
}

void Structure(std::string &out, Random &r, unsigned n)
{
    std::string name = Name(r, n);
    out += "\n/* " + name + ": kept by the system, read only */\n";
    out += r.Next() % 2 ? "struct " + name + "\n{\n" : "struct " + name + " {\n";
    unsigned members = 3 + r.Next() % 5;
    for (unsigned m = 0; m < members; ++m)
        out += std::string("    ") + r.Pick(kTypes, std::size(kTypes)) + " " + name.substr(0, 3) + "_" +
               r.Pick(kParts, std::size(kParts)) + ";   /* member */\n";
    out += "};\n";
    for (unsigned d = 0; d < 2; ++d)
        out += "#define " + name.substr(0, 4) + "F_" + std::to_string(d) + " (1L<<" + std::to_string(d) + ")\n";
}
}

std::string MakeHeader(const std::string &name, size_t structs, unsigned seed)
{
    Random r{seed};
    std::string guard = name + "_H";
    std::string out = "#ifndef " + guard + "\n#define " + guard + "\n/*\n**\t$VER: " + name +
                      ".h 1.1\n*/\n\n#include <exec/types.h>\n\nstruct Forward;\n";
    for (unsigned i = 0; i < structs; ++i)
        Structure(out, r, i);
    return out + "\n#endif\n";
}

std::string MakeInterface(const std::string &library, size_t interfaces, size_t methods, unsigned seed)
{
    Random r{seed};
    std::string out = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<!DOCTYPE library SYSTEM \"library.dtd\">\n"
                      "<library name=\"" +
                      library + "\" basename=\"Base\" openname=\"" + library + ".library\">\n";
    for (size_t i = 0, done = 0; i < interfaces; ++i) {
        out += "\t<interface name=\"" + std::string(i ? "iface" + std::to_string(i) : "main") +
               "\" version=\"1.0\" struct=\"Iface\" prefix=\"_X_\">\n";
        for (size_t end = methods * (i + 1) / interfaces; done < end; ++done) {
            out += "\t\t<method name=\"" + Name(r, unsigned(done)) + "\" result=\"ULONG\">\n";
            for (unsigned a = 0, args = 3 + r.Next() % 4; a < args; ++a)
                out += "\t\t\t<arg name=\"" + std::string(r.Pick(kParts, std::size(kParts))) + "\" type=\"" +
                       r.Pick(kTypes, std::size(kTypes)) + "\"/>\n";
            out += "\t\t</method>\n";
        }
        out += "\t</interface>\n";
    }
    return out + "</library>\n";
}

std::vector<std::string> EnsureHeaderCorpus(const std::string &dir, size_t bytes)
{
    return EnsureFiles(
        dir, bytes, [](unsigned i) { return "h" + std::to_string(i) + ".h"; },
        [](unsigned i) { return MakeHeader("h" + std::to_string(i), 20 + i % 80, i); });
}

std::vector<std::string> EnsureInterfaceCorpus(const std::string &dir, size_t bytes)
{
    return EnsureFiles(
        dir, bytes, [](unsigned i) { return "i" + std::to_string(i) + ".xml"; },
        [](unsigned i) { return MakeInterface("i" + std::to_string(i), 1 + i % 3, 100 + i % 500, i); });
}
