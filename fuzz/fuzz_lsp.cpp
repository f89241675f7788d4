// The language server's input: any bytes, fed to the framing in pieces of
// the size the first byte gives, each piece's whole messages answered by a
// server over a small base. Everything it writes must be framed JSON.
#include "base/baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "vsdoc/lsp/framing.h"
#include "vsdoc/lsp/stdio_loop.h"
#include "vsdoc/session.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
void WriteFile(const std::string &path, const std::string &text)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

// An autodoc, a header and a guide in a base of their own.
std::string MakeBase()
{
    char templ[] = "/tmp/vsfuzz-lsp-XXXXXX";
    std::string dir = mkdtemp(templ);
    WriteFile(dir + "/f.doc",
              "TABLE OF CONTENTS\n\ff.library/Open\n   NAME\n\tOpen -- o\n   SYNOPSIS\n\tLONG Open(LONG a, LONG b);\n"
              "   EXAMPLE\n\tOpen(1, 2);\n   SEE ALSO\n\tClose()\n");
    WriteFile(dir + "/f.h", "struct Open\n{\n    LONG a; /* } */\n};\n");
    WriteFile(dir + "/f.guide", "@DATABASE f\n@NODE MAIN \"m\"\n@{b}Open@{ub} @{\" x \" link MAIN}\n@ENDNODE\n");
    BazaAddFiles({dir + "/f.doc", dir + "/f.h", dir + "/f.guide"}, nullptr);
    std::string base = dir + "/f.qmx";
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, base.c_str());
    DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
    return base;
}

void CheckFramed(const std::string &bytes)
{
    MessageReader reader;
    reader.Feed(bytes.data(), bytes.size());
    std::string body, fault;
    MessageReader::Next next;
    while ((next = reader.Take(body, fault)) == MessageReader::Next::Message)
        if (Json::parse(body, nullptr, false).is_discarded())
            __builtin_trap();   // the server wrote something that is no JSON
    if (next == MessageReader::Next::BadFrame)
        __builtin_trap();
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static Session *session = new Session("fuzz_lsp");
    static std::string base = session->Ready() ? MakeBase() : std::string();
    if (!session->Ready() || size == 0)
        return 0;
    konfig.Modified = 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    size_t piece = size_t(data[0]) + 1;
    LanguageServer server({base});
    MessageReader reader;
    for (size_t at = 1; at < size && !server.Exited(); at += piece) {
        reader.Feed(reinterpret_cast<const char *>(data) + at, std::min(piece, size - at));
        CheckFramed(AnswerWholeMessages(reader, server));
        server.AfterAnswer();
    }
    return 0;
}
