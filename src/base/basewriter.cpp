#include "basewriter.h"

#include "baseheader.h"
#include "platform/dos/files.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace {
// A number record laid into a gathered piece: its tag, then its 4 bytes.
char *NumberAt(char *at, const char *record, LONG v)
{
    std::memcpy(at, record, 5);
    std::memcpy(at + 5, &v, 4);
    return at + 9;
}

constexpr size_t kBlock = 1 << 17;

// Where the writer's bytes go, a block at a time; false ends the writing.
class Sink {
public:
    virtual ~Sink() = default;
    virtual bool Take(const char *p, size_t n) = 0;
};

class ToFile : public Sink {
public:
    explicit ToFile(FileHandle *fh) : fh_(fh) {}
    bool Take(const char *p, size_t n) override { return FWrite(fh_, p, ULONG(n), 1) == 1; }

private:
    FileHandle *fh_;
};

// Holds the bytes against those of a file, from its start on.
class SameAsFile : public Sink {
public:
    explicit SameAsFile(FileHandle *fh) : fh_(fh), read_(std::make_unique_for_overwrite<char[]>(kBlock)) {}
    bool Take(const char *p, size_t n) override
    {
        for (size_t done = 0; done < n;) {
            size_t part = std::min(n - done, kBlock);
            if (Read(fh_, read_.get(), LONG(part)) != LONG(part) || std::memcmp(read_.get(), p + done, part) != 0)
                return false;
            done += part;
        }
        return true;
    }
    bool AtEnd() { return Read(fh_, read_.get(), 1) == 0; }

private:
    FileHandle *fh_;
    std::unique_ptr<char[]> read_;
};

class BaseWriter {
public:
    explicit BaseWriter(Sink &sink) : sink_(sink), block_(std::make_unique_for_overwrite<char[]>(kBlock)) {}
    bool Ok() const { return ok_; }
    void Tree(const std::vector<TreeNode *> &roots);

private:
    // Records are a few bytes each: they are gathered in a block, and only
    // a text longer than a block is written straight through. A block is
    // larger than the file handle's buffer, so it goes to the file without
    // a copy there.
    void Put(const void *p, size_t n)
    {
        if (used_ + n > kBlock) {
            Flush();
            if (n > kBlock) {
                Write(p, n);
                return;
            }
        }
        std::memcpy(block_.get() + used_, p, n);
        used_ += n;
    }
    void Flush()
    {
        Write(block_.get(), used_);
        used_ = 0;
    }
    void Write(const void *p, size_t n)
    {
        if (n && ok_ && !sink_.Take(static_cast<const char *>(p), n))
            ok_ = false;
    }
    void Tag(const char *record) { Put(record, 5); }
    void Number(const char *record, LONG v)
    {
        char piece[9];
        NumberAt(piece, record, v);
        Put(piece, sizeof piece);
    }
    void Text(const char *record, CONST_STRPTR text)   // FPutSTR: the length, then the characters
    {
        Tag(record);
        LONG n = LONG(std::strlen(text));
        Put(&n, 4);
        Put(text, size_t(n));
    }
    void Entry(const Doc *e);
    void Node(const TreeNode *node);

    Sink &sink_;
    std::unique_ptr<char[]> block_;
    size_t used_ = 0;
    bool ok_ = true;
    std::unordered_map<const TreeNode *, LONG> numbers_;
    const TreeNode *parent_ = nullptr;
    LONG next_ = 0;
};

// A base holds tens of thousands of entries: each is gathered into two
// pieces around its name, the same records that Tag, Text and Number write.
void BaseWriter::Entry(const Doc *e)
{
    const char *name = e->Name ? e->Name : "";
    LONG n = LONG(std::strlen(name));
    char head[14], tail[38];
    std::memcpy(head, "\nFNC\n", 5);
    NumberAt(head + 5, "sFn01", n);
    std::memcpy(tail, "cFn02", 5);
    tail[5] = e->Mark;
    char *at = NumberAt(tail + 6, "lFn03", e->Offset);
    at = NumberAt(at, "lFn04", e->Lines);
    at = NumberAt(at, "lFn05", e->Line);
    std::memcpy(at, "\nFn&\n", 5);
    Put(head, sizeof head);
    Put(name, size_t(n));
    Put(tail, sizeof tail);
}

void BaseWriter::Node(const TreeNode *node)
{
    numbers_[node] = next_++;
    if (node->tn_Parent != parent_) {
        parent_ = node->tn_Parent;
        Number("lTREE", parent_ ? numbers_[parent_] : -1);
    }
    if (NodeKind(node) == KIND_GROUP) {
        Tag("\nGRP\n");
        Text("sGr01", static_cast<CONST_STRPTR>(node->tn_User));
        Tag("\nGr&\n");
    } else {
        auto *b = static_cast<const Baza *>(node->tn_User);
        Tag("\nDOC\n");
        if (b->Dir)
            Text("sDc01", b->Dir);
        Text("sDc02", b->Name ? b->Name : "");
        if (b->Library)
            Text("sDc03", b->Library);
        Tag("\nDc&\n");
        for (Doc *e = FirstEntry(b); e; e = NextEntry(e))
            Entry(e);
    }
    for (const TreeNode *child : node->tn_Children)
        Node(child);
}

void BaseWriter::Tree(const std::vector<TreeNode *> &roots)
{
    Put(PlikBaseHeader, 24);
    Put(PlikVersionHeader, sizeof PlikVersionHeader - 1);
    Number("lQMX:", BaseCurrentVersion);
    for (const TreeNode *n : roots)
        Node(n);
    Tag("\nEND.");
    Flush();
}

}

bool WriteBaseTree(FileHandle *fh, const std::vector<TreeNode *> &roots)
{
    ToFile file(fh);
    BaseWriter writer(file);
    writer.Tree(roots);
    return writer.Ok();
}

bool BaseFileHolds(CONST_STRPTR name, const std::vector<TreeNode *> &roots)
{
    FileHandle *fh = Open(name, MODE_SHARED);
    if (!fh)
        return false;
    SameAsFile same(fh);
    BaseWriter writer(same);
    writer.Tree(roots);
    bool holds = writer.Ok() && same.AtEnd();
    Close(fh);
    return holds;
}
