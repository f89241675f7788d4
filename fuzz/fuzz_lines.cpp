// The line cutter against a plain cut of the same bytes, line by line: the
// same lines handed on, the same lines and bytes told as passed over. The
// first byte chooses the line buffer's size and which lines are looked at.
#include "platform/dos/lines.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {
struct Call {
    std::string text;   // empty with passed only: the lines after the last one
    bool last;
    size_t lines, bytes;
    bool operator==(const Call &) const = default;
};

// Every few lines the reader asks for the line after too, as the scans do.
bool AskNext(const std::string &line) { return line.size() % 3 == 0; }

template <class Starts> std::vector<Call> Plain(const std::string &text, size_t maxLine)
{
    std::vector<Call> calls;
    bool wanted = true;
    PassedLines passed;
    for (size_t start = 0; start < text.size();) {
        size_t nl = text.find('\n', start);
        size_t length = std::min(nl == std::string::npos ? text.size() - start : nl - start + 1, maxLine - 1);
        std::string line = text.substr(start, length);
        start += length;
        bool crPiece = Starts::kCRPieces && length == maxLine - 1 && line.back() == '\r';
        if (wanted || Starts::Wanted(line[0]) || crPiece) {
            calls.push_back({line, false, passed.lines, passed.bytes});
            wanted = AskNext(line);
            passed = PassedLines();
        } else {
            ++passed.lines;
            passed.bytes += length;
        }
    }
    if (passed.lines)
        calls.push_back({"", true, passed.lines, passed.bytes});
    return calls;
}

template <class Starts> std::vector<Call> Cut(const std::string &text, size_t maxLine)
{
    std::vector<Call> calls;
    auto line = [&](const char *p, size_t length, PassedLines passed) {
        calls.push_back({p ? std::string(p, length) : "", !p, passed.lines, passed.bytes});
        return p && AskNext(calls.back().text);
    };
    TextLineCutter<decltype(line), Starts> cutter(maxLine, line);
    // in two blocks where the bytes allow, as the reader hands them on
    size_t start = 0, half = text.size() / 2;
    cutter.Cut(text.data(), 0, half, start);
    cutter.Cut(text.data(), half, text.size(), start);
    cutter.Finish(text.data(), start, text.size());
    return calls;
}

template <class Starts> void Compare(const std::string &text, size_t maxLine)
{
    if (Plain<Starts>(text, maxLine) != Cut<Starts>(text, maxLine))
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 1)
        return 0;
    size_t maxLine = 2 + data[0] % 128 + (data[0] & 0x80 ? 64 : 0);
    std::string text(reinterpret_cast<const char *>(data) + 1, size - 1);
    if (data[0] & 1)
        Compare<AtSignLineStarts>(text, maxLine);
    else
        Compare<TextLineStarts>(text, maxLine);
    return 0;
}
