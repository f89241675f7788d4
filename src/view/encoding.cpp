#include "encoding.h"

#include "platform/utility/charset.h"

#include <vector>

namespace {
constexpr LONG kBlock = 1 << 16;
constexpr LONG kLimit = 1 << 18;

// Whether the block from its first non-ASCII byte on is UTF-8 (1) or not
// (0); -1 when it is all ASCII.
int Decide(const char *block, LONG got)
{
    for (LONG i = 0; i < got; ++i)
        if (UBYTE(block[i]) >= 0x80)
            return IsUTF8(block + i, WithoutCutSequence(block + i, size_t(got - i))) ? 1 : 0;
    return -1;
}
}

bool DocumentIsUTF8(FileHandle *fh)
{
    std::vector<char> block(kBlock);
    int decision = -1;
    if (Seek(fh, 0, OFFSET_BEGINNING) >= 0)
        for (LONG read = 0; decision < 0 && read < kLimit;) {
            LONG got = Read(fh, block.data(), kBlock);
            if (got <= 0)
                break;
            decision = Decide(block.data(), got);
            read += got;
        }
    Seek(fh, 0, OFFSET_BEGINNING);
    return decision == 1;
}
