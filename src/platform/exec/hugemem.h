// Large blocks of memory the system maps zeroed, backed by huge pages where
// it has them. Where a page fault is dear (a virtual machine), filling fresh
// memory a small page at a time costs more than what is written into it:
// the records of a large base, the lines of a large document. Built with
// VS_PLAIN_ALLOC a block is a plain allocation, so that the sanitizers see it.
#pragma once
#include <cstddef>

class HugeBlock {
public:
    HugeBlock() = default;
    explicit HugeBlock(size_t size);   // Data() is null when there was no memory
    ~HugeBlock();
    HugeBlock(HugeBlock &&other) noexcept;
    HugeBlock &operator=(HugeBlock &&other) noexcept;
    HugeBlock(const HugeBlock &) = delete;
    HugeBlock &operator=(const HugeBlock &) = delete;

    char *Data() const { return data_; }
    size_t Size() const { return size_; }   // as asked for

private:
    char *data_ = nullptr;
    size_t size_ = 0;
};
