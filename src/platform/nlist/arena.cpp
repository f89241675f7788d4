#include "arena.h"

#include <cstring>

char *TextArena::Copy(const char *text)
{
    size_t need = std::strlen(text) + 1;
    if (need > kBlock / 4) {   // a long line gets a block of its own
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(need));
        held_ += need;
        std::memcpy(blocks_.back().get(), text, need);
        return blocks_.back().get();
    }
    if (need > left_) {
        auto block = std::make_unique_for_overwrite<char[]>(kBlock);
        cursor_ = block.get();
        left_ = kBlock;
        held_ += kBlock;
        blocks_.push_back(std::move(block));
    }
    char *out = cursor_;
    std::memcpy(out, text, need);
    cursor_ += need;
    left_ -= need;
    return out;
}

void TextArena::Clear()
{
    blocks_.clear();
    cursor_ = nullptr;
    left_ = 0;
    held_ = 0;
}
