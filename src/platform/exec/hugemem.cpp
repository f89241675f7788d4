#include "hugemem.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <utility>

#ifndef VS_PLAIN_ALLOC
namespace {
constexpr size_t kHugePage = size_t(2) << 20;

size_t Mapped(size_t size) { return (size + kHugePage - 1) & ~(kHugePage - 1); }

// Mapped one huge page too large, so that an aligned block lies within.
char *MapAligned(size_t size)
{
    size_t span = size + kHugePage;
    void *mem = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mem == MAP_FAILED)
        return nullptr;
    auto *start = reinterpret_cast<char *>((reinterpret_cast<uintptr_t>(mem) + kHugePage - 1) & ~(kHugePage - 1));
    size_t head = size_t(start - static_cast<char *>(mem));
    if (head)
        munmap(mem, head);
    munmap(start + size, span - head - size);
    madvise(start, size, MADV_HUGEPAGE);
    return start;
}
}
#endif

HugeBlock::HugeBlock(size_t size)
{
#ifdef VS_PLAIN_ALLOC
    data_ = static_cast<char *>(std::calloc(1, size));
#else
    data_ = size ? MapAligned(Mapped(size)) : nullptr;
#endif
    size_ = data_ ? size : 0;
}

HugeBlock::~HugeBlock()
{
#ifdef VS_PLAIN_ALLOC
    std::free(data_);
#else
    if (data_)
        munmap(data_, Mapped(size_));
#endif
}

HugeBlock::HugeBlock(HugeBlock &&other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

HugeBlock &HugeBlock::operator=(HugeBlock &&other) noexcept
{
    if (this != &other) {
        HugeBlock gone(std::move(*this));
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}
