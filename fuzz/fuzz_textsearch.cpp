// A document and a text to find: every hit the search reports must be one
// that a line-by-line search of the viewer's lines finds, and none missed.
// The first byte gives the text's length; the rest is the text, then the file.
#include "platform/dos/files.h"
#include "platform/dos/lines.h"
#include "platform/utility/charset.h"
#include "search/textsearch.h"

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
struct Hit {
    LONG line, column;
    int64_t offset;
    bool operator==(const Hit &) const = default;
};

std::string Scratch()
{
    static std::string path = [] {
        char dir[] = "/tmp/fuzz-search-XXXXXX";
        return std::string(mkdtemp(dir)) + "/doc";
    }();
    return path;
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 1)
        return 0;
    size_t n = std::min<size_t>(data[0] % 16, size - 1);
    std::string text(reinterpret_cast<const char *>(data + 1), n);
    std::string file(reinterpret_cast<const char *>(data + 1 + n), size - 1 - n);
    FileHandle *out = Open(Scratch().c_str(), MODE_NEWFILE);
    Write(out, file.data(), LONG(file.size()));
    Close(out);
    std::vector<Hit> found, expected;
    TextPattern pattern(text.data(), text.size());
    SearchFile(Scratch().c_str(), pattern, {}, [&](const SearchHit &h) {
        found.push_back({h.Where.Line, h.Where.Column, h.Where.Offset});
        return true;
    });
    if (!text.empty() && text.find('\n') == std::string::npos) {
        FileHandle *in = Open(Scratch().c_str(), MODE_OLDFILE);
        LONG line = 0;
        int64_t offset = 0;
        ForEveryLine(in, kSearchLineMax + 1, [&](const char *p, size_t len) {
            ++line;
            for (size_t i = 0; i < len; ++i)   // either form, whatever its length
                if (pattern.HitAt(p + i, len - i))
                    expected.push_back({line, LONG(i + 1), offset});
            offset += int64_t(len);
        });
        Close(in);
    }
    if (found != expected)
        std::abort();
    return 0;
}
