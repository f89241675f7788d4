// Any bytes after a base file's header line: the reader, then a save of what
// it read and a second read of that, which must give the same tree.
#include "base/baseheader.h"
#include "base/baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "vsdoc/session.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
// Every node and entry with every field, in tree order.
void Describe(const TreeNode *node, std::string &out)
{
    out += std::to_string(NodeKind(node)) + "(";
    if (NodeKind(node) == KIND_GROUP) {
        out += static_cast<const char *>(node->tn_User);
    } else {
        auto *b = static_cast<const Baza *>(node->tn_User);
        out += std::string(b->Dir ? b->Dir : "") + "|" + (b->Name ? b->Name : "") + "|" +
               (b->Library ? b->Library : "");
        for (Doc *e = FirstEntry(b); e; e = NextEntry(e))
            out += std::string("[") + e->Name + e->Mark + std::to_string(e->Offset) + "," + std::to_string(e->Lines) +
                   "," + std::to_string(e->Line) + "]";
    }
    for (const TreeNode *child : node->tn_Children)
        Describe(child, out);
    out += ")";
}

std::string Tree()
{
    std::string out;
    for (const TreeNode *n : *NListtreeRoots(BazaGUI.Tree))
        Describe(n, out);
    return out;
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static Session *session = new Session("fuzz_base");
    static std::string dir = [] {
        char templ[] = "/tmp/vsfuzz-base-XXXXXX";
        return std::string(mkdtemp(templ));
    }();
    std::string path = dir + "/in.qmx", copy = dir + "/copy.qmx";
    std::string text = std::string(PlikBaseHeader) + PlikVersionHeader +
                       std::string(reinterpret_cast<const char *>(data), size);
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    if (!session->Ready())
        return 0;
    konfig.Modified = 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, path.c_str());
    if (DoMethod(QMXObject.BazaObj, QMXM_BazaOpen)) {
        std::string first = Tree();
        unlink(copy.c_str());
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, copy.c_str());
        DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, copy.c_str());
        if (DoMethod(QMXObject.BazaObj, QMXM_BazaOpen) && Tree() != first)
            __builtin_trap();   // what was saved did not read back the same
    }
    return 0;
}
