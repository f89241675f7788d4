#include "arena.h"

#include <algorithm>
#include <cstring>
#include <new>

// One pass over the text: memccpy copies up to and including the NUL, so the
// length is never counted separately.
char *TextArena::Copy(const char *text)
{
    if (left_) {
        if (void *end = memccpy(cursor_, text, 0, left_)) {
            char *out = cursor_;
            left_ -= size_t(static_cast<char *>(end) - cursor_);
            cursor_ = static_cast<char *>(end);
            return out;
        }
    }
    size_t need = std::strlen(text) + 1;
    if (need > kBlock / 4) {   // a long line gets a block of its own
        char *own = NewBlock(need);
        std::memcpy(own, text, need);
        return own;
    }
    char *out = NewBlock(kBlock);
    std::memcpy(out, text, need);
    cursor_ = out + need;
    left_ = kBlock - need;
    return out;
}

char *TextArena::Allocate(size_t size)
{
    if (size > left_) {
        size_t block = size > kBlock / 4 ? size : kBlock;   // a large piece gets a block of its own
        char *fresh = NewBlock(block);
        if (block == size)
            return fresh;
        cursor_ = fresh;
        left_ = block;
    }
    char *out = cursor_;
    cursor_ += size;
    left_ -= size;
    if (left_ > kAhead)   // blocks outgrow the caches: the next bytes to fill are asked for early
        __builtin_prefetch(cursor_ + kAhead, 1);
    return out;
}

char *TextArena::Extend(char *start, size_t length, size_t more)
{
    if (length + more <= left_)
        return cursor_;
    size_t block = std::max(kBlock, length + more);
    char *fresh = NewBlock(block);
    if (length)
        std::memcpy(fresh, start, length);
    cursor_ = fresh;
    left_ = block;
    return cursor_;
}

void TextArena::Commit(char *end)
{
    left_ -= size_t(end - cursor_);
    cursor_ = end;
}

char *TextArena::Copy(const char *text, size_t length)
{
    char *out = Allocate(length + 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
    return out;
}

char *TextArena::NewBlock(size_t size)
{
    if (size == kBlock && !spare_.empty()) {
        blocks_.push_back(std::move(spare_.back()));
        spare_.pop_back();
    } else {
        blocks_.emplace_back(size);
    }
    if (!blocks_.back().Data()) {
        blocks_.pop_back();
        throw std::bad_alloc();
    }
    return blocks_.back().Data();
}

void TextArena::Clear()
{
    for (HugeBlock &block : blocks_)
        if (block.Size() == kBlock && spare_.size() < kKeptBlocks)
            spare_.push_back(std::move(block));
    blocks_.clear();
    cursor_ = nullptr;
    left_ = 0;
}

size_t TextArena::BytesHeld() const
{
    size_t held = spare_.size() * kBlock;
    for (const HugeBlock &block : blocks_)
        held += block.Size();
    return held;
}
