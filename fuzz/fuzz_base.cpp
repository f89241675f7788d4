// Any bytes after a base file's header line: the reader, then a save of what
// it read and a second read of that.
#include "app/ids.h"
#include "app/konfig.h"
#include "app/startup.h"
#include "base/baseheader.h"
#include "base/baza.h"
#include "vsdoc/session.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static Session *session = new Session("fuzz_base");
    static std::string dir = [] {
        char templ[] = "/tmp/vsfuzz-base-XXXXXX";
        return std::string(mkdtemp(templ));
    }();
    std::string path = dir + "/in.qmx", copy = dir + "/copy.qmx";
    std::string text = std::string(PlikBaseHeader) + PlikVersionHeader + std::string(reinterpret_cast<const char *>(data), size);
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    if (!session->Ready())
        return 0;
    konfig.Modified = 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, path.c_str());
    if (DoMethod(QMXObject.BazaObj, QMXM_BazaOpen)) {
        unlink(copy.c_str());
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, copy.c_str());
        DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, copy.c_str());
        DoMethod(QMXObject.BazaObj, QMXM_BazaOpen);
    }
    return 0;
}
