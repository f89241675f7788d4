// Any bytes opened as a document through the viewer, and its first entry shown.
#include "app/ids.h"
#include "app/startup.h"
#include "vsdoc/session.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static Session *session = new Session("fuzz_document");
    static std::string path = [] {
        char templ[] = "/tmp/vsfuzz-doc-XXXXXX";
        int fd = mkstemp(templ);
        close(fd);
        return std::string(templ);
    }();
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    if (session->Ready() && session->Open(path.c_str()))
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
    return 0;
}
