// The command port's line cutter: whatever the pieces a client's bytes come
// in, the lines are those of a plain cut at each newline, a line over the
// limit reported in its place.
#include "platform/rexx/portlines.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {
struct Cut {
    PortLines::Kind kind;
    std::string text;
    bool operator==(const Cut &) const = default;
};

std::vector<Cut> PlainCut(const std::string &bytes)
{
    std::vector<Cut> cuts;
    for (size_t from = 0, nl; (nl = bytes.find('\n', from)) != std::string::npos; from = nl + 1) {
        std::string line = bytes.substr(from, nl - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > PortLines::kMaxLine)
            cuts.push_back({PortLines::Kind::TooLong, ""});
        else
            cuts.push_back({PortLines::Kind::Line, line});
    }
    return cuts;
}
}

// The first byte picks the size of the pieces; the rest are the bytes. Long
// lines come of repeating the bytes, as a client may send megabytes.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 2)
        return 0;
    size_t piece = size_t(data[0]) * 97 + 1;
    std::string once(reinterpret_cast<const char *>(data + 1), size - 1), bytes;
    while (bytes.size() < 3 * PortLines::kMaxLine && (data[0] & 1))
        bytes += once;
    if (bytes.empty())
        bytes = once;
    PortLines lines;
    std::vector<Cut> got;
    std::string line;
    for (size_t at = 0; at < bytes.size(); at += piece) {
        lines.Add(bytes.data() + at, std::min(piece, bytes.size() - at));
        for (PortLines::Kind k; (k = lines.Next(line)) != PortLines::Kind::None;)
            got.push_back({k, k == PortLines::Kind::Line ? line : ""});
    }
    if (got != PlainCut(bytes))
        std::abort();
    return 0;
}
