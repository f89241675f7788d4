#include "entry_text.h"

#include "platform/dos/files.h"
#include "platform/utility/charset.h"
#include "search/targets.h"
#include "view/encoding.h"

#include <algorithm>
#include <memory>

namespace {
constexpr ULONG kLineBytes = 8192;

struct CloseFile {
    void operator()(FileHandle *fh) const { Close(fh); }
};
using File = std::unique_ptr<FileHandle, CloseFile>;

bool Blank(const std::string &line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

// Where a kind of entry ends, seen line by line.
class EntryEnd {
public:
    EntryEnd(EntryKind kind, const Doc *entry) : kind_(kind), entry_(entry) {}
    // Whether line (the count-th of the entry, from 0) still belongs to it.
    bool Holds(const std::string &line, size_t count)
    {
        switch (kind_) {
        case EntryKind::Function: return !(count > 0 && !line.empty() && line[0] == '\f') && (entry_->Lines <= 0 || long(count) <= entry_->Lines);
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
    int depth_ = 0;
    bool opened_ = false, done_ = false, comment_ = false;
};

std::string LineOf(const char *text, ULONG length)
{
    while (length && (text[length - 1] == '\n' || text[length - 1] == '\r'))
        --length;
    return std::string(text, length);
}
}

bool EntryReader::IsUTF8(const Baza *doc, FileHandle *fh)
{
    auto [it, made] = utf8_.try_emplace(doc, false);
    if (made)
        it->second = DocumentIsUTF8(fh);
    return it->second;
}

bool EntryReader::Lines(const EntryRef &ref, size_t maxLines, std::vector<std::string> &lines)
{
    lines.clear();
    File fh(Open(DocumentPath(ref.doc).c_str(), MODE_SHARED));
    if (!fh)
        return false;
    bool utf8 = IsUTF8(ref.doc, fh.get());
    EntryKind kind = KindOfDocument(ref.doc);
    bool byOffset = kind == EntryKind::Function || kind == EntryKind::Node;
    long skip = byOffset || kind == EntryKind::Text ? 0 : std::max<long>(ref.entry->Line - 1, 0);
    if (byOffset && Seek(fh.get(), ref.entry->Offset, OFFSET_BEGINNING) < 0)
        return false;
    EntryEnd end(kind, ref.entry);
    ULONG length;
    for (const char *text; lines.size() < maxLines && (text = FReadLine(fh.get(), kLineBytes, &length));) {
        if (skip > 0) {
            skip -= length && text[length - 1] == '\n';
            continue;
        }
        std::string line = LineOf(text, length);
        if (!end.Holds(line, lines.size()))
            break;
        lines.push_back(utf8 ? line : Latin1ToUTF8(line.data(), line.size()));
    }
    return true;
}

long EntryReader::DefinitionLine(const EntryRef &ref)
{
    long line = std::max<long>(ref.entry->Line - 1, 0);
    if (KindOfDocument(ref.doc) != EntryKind::Function)
        return KindOfDocument(ref.doc) == EntryKind::Text ? 0 : line;
    // the heading is the last line with text before the entry's first line
    constexpr LONG kBack = 4096;
    LONG from = std::max<LONG>(ref.entry->Offset - kBack, 0);
    File fh(Open(DocumentPath(ref.doc).c_str(), MODE_SHARED));
    std::string before(size_t(ref.entry->Offset - from), '\0');
    if (!fh || Seek(fh.get(), from, OFFSET_BEGINNING) < 0 || Read(fh.get(), before.data(), LONG(before.size())) != LONG(before.size()))
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
