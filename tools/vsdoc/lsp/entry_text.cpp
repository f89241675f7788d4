#include "entry_text.h"

#include "doctypes/adoc.h"
#include "markdown.h"
#include "platform/dos/lines.h"
#include "platform/utility/charset.h"

#include <algorithm>

namespace {
constexpr size_t kBlock = 2048;

bool Blank(const std::string &line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

// Where a kind of entry ends, seen line by line.
class EntryEnd {
public:
    EntryEnd(EntryKind kind, const Doc *entry, bool synopsisOnly)
        : kind_(kind), entry_(entry), synopsisOnly_(synopsisOnly && kind == EntryKind::Function)
    {
    }
    // Whether line (the count-th of the entry, from 0) still belongs to it.
    bool Holds(const std::string &line, size_t count)
    {
        if (synopsisOnly_ && IsSectionHeading(line)) {
            size_t at = line.find_first_not_of(" \t");
            if (FuncTest(line.data() + at, line.size() - at) != KIND_SYNOPSIS)
                return false;   // the first section after the name and synopsis
        }
        switch (kind_) {
        case EntryKind::Function:
            return !(count > 0 && !line.empty() && line[0] == '\f') &&
                   (entry_->Lines <= 0 || long(count) <= entry_->Lines);
        case EntryKind::Node: return entry_->Lines <= 0 || long(count) < entry_->Lines;
        case EntryKind::Structure: return Structure(line);
        case EntryKind::Method: return Method(line, count);
        default: return true;
        }
    }

private:
    // Up to the line that closes the first brace (or a line with ";" before
    // any brace); braces in comments do not count.
    bool Structure(const std::string &line)
    {
        if (done_)
            return false;
        bool semicolon = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (comment_) {
                comment_ = line.compare(i, 2, "*/") != 0;
                i += comment_ ? 0 : 1;
            } else if (line.compare(i, 2, "/*") == 0 || line.compare(i, 2, "//") == 0) {
                comment_ = line[i + 1] == '*';
                if (!comment_)
                    break;
                ++i;
            } else {
                depth_ += line[i] == '{' ? 1 : line[i] == '}' ? -1 : 0;
                opened_ = opened_ || line[i] == '{';
                semicolon = semicolon || line[i] == ';';
            }
        }
        done_ = (opened_ && depth_ <= 0) || (!opened_ && semicolon);
        return true;
    }
    // Up to "</method>", or the element's one line when it closes itself.
    bool Method(const std::string &line, size_t count)
    {
        if (done_)
            return false;
        done_ = line.find("</method>") != std::string::npos || (count == 0 && line.find("/>") != std::string::npos);
        return true;
    }

    EntryKind kind_;
    const Doc *entry_;
    bool synopsisOnly_;
    int depth_ = 0;
    bool opened_ = false, done_ = false, comment_ = false;
};

std::string LineOf(const char *text, size_t length)
{
    while (length && (text[length - 1] == '\n' || text[length - 1] == '\r'))
        --length;
    return std::string(text, length);
}
}

// The lines from offset on, cut where each newline is (a line longer than
// the reader's 8 KB comes in pieces); `skip` lines passed over first.
bool EntryReader::ReadLines(const EntryRef &ref, off_t offset, long skip, size_t maxLines,
                            std::vector<std::string> &lines, bool synopsisOnly)
{
    EntryEnd end(KindOfDocument(ref.doc), ref.entry, synopsisOnly);
    bool utf8 = files_.IsUTF8(ref.doc);
    std::string carry, block;
    for (bool more = true; more && lines.size() < maxLines;) {
        if (!files_.Read(ref.doc, offset, kBlock, block))
            return false;
        offset += off_t(block.size());
        more = !block.empty();
        carry += block;
        size_t start = 0;
        for (size_t nl; lines.size() < maxLines && start < carry.size(); start = nl + 1) {
            nl = carry.find('\n', start);
            if (nl == std::string::npos && more && carry.size() - start < kLineBuffer)
                break;
            nl = nl == std::string::npos ? std::min(carry.size(), start + kLineBuffer) - 1 : nl;
            if (skip > 0) {
                skip -= carry[nl] == '\n';
                continue;
            }
            std::string line = LineOf(carry.data() + start, nl + 1 - start);
            if (!end.Holds(line, lines.size()))
                return true;
            lines.push_back(utf8 ? line : Latin1ToUTF8(line.data(), line.size()));
        }
        carry.erase(0, std::min(start, carry.size()));
    }
    return true;
}

bool EntryReader::Lines(const EntryRef &ref, size_t maxLines, std::vector<std::string> &lines, bool synopsisOnly)
{
    lines.clear();
    EntryKind kind = KindOfDocument(ref.doc);
    bool byOffset = kind == EntryKind::Function || kind == EntryKind::Node;
    long skip = byOffset || kind == EntryKind::Text ? 0 : std::max<long>(ref.entry->Line - 1, 0);
    return ReadLines(ref, byOffset ? std::max<LONG>(ref.entry->Offset, 0) : 0, skip, maxLines, lines, synopsisOnly);
}

long EntryReader::DefinitionLine(const EntryRef &ref)
{
    long line = std::max<long>(ref.entry->Line - 1, 0);
    if (KindOfDocument(ref.doc) != EntryKind::Function)
        return KindOfDocument(ref.doc) == EntryKind::Text ? 0 : line;
    // the heading is the last line with text before the entry's first line
    LONG from = std::max<LONG>(ref.entry->Offset - LONG(kBlock), 0);
    std::string before;
    if (!files_.Read(ref.doc, from, size_t(std::max<LONG>(ref.entry->Offset - from, 0)), before))
        return line;
    size_t end = before.size() - (!before.empty() && before.back() == '\n');
    for (long back = 1; end > 0; ++back) {
        size_t start = before.rfind('\n', end - 1);
        start = start == std::string::npos ? 0 : start + 1;
        if (!Blank(before.substr(start, end - start)))
            return std::max<long>(line - back, 0);
        if (start == 0)
            break;
        end = start - 1;
    }
    return line;
}
