// Any bytes after an autodoc's contents line: the entry scan, every entry
// shown, its search rows looked up, and the heading test on each line.
#include "app/ids.h"
#include "app/startup.h"
#include "doctypes/adoc.h"
#include "vsdoc/session.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static Session *session = new Session("fuzz_autodoc");
    static std::string path = [] {
        char templ[] = "/tmp/vsfuzz-adoc-XXXXXX";
        close(mkstemp(templ));
        return std::string(templ);
    }();
    std::string text = "TABLE OF CONTENTS\n" + std::string(reinterpret_cast<const char *>(data), size);
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    if (session->Ready() && session->Open(path.c_str())) {
        for (LONG i = 0; i < 64 && DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, i); ++i) {
            SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, i);
            Find *hit = FindAlloc(nullptr);
            hit->Line = LONG(size % 97);
            hit->Column = LONG(size % 13);
            DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
            FindFree(hit);
        }
    }
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
    std::string line(reinterpret_cast<const char *>(data), size);
    FuncTestDir(line.data(), "exec.library");
    return 0;
}
