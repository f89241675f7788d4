// Storage for the lines a list copies: large blocks filled one after another
// and released together when the list is cleared, so a million lines cost a
// million copies and no million allocations.
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

class TextArena {
public:
    char *Copy(const char *text);
    void Clear();
    size_t BytesHeld() const { return held_; }

private:
    static constexpr size_t kBlock = 1 << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char *cursor_ = nullptr;
    size_t left_ = 0;
    size_t held_ = 0;
};
