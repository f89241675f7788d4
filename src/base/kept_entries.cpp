// Entries read from a base file, kept in large blocks with their names.
#include "records.h"

#include "platform/nlist/arena.h"
#include "util/strings.h"

#include <cstring>

namespace {
TextArena kept;

// Entry names are short: they are copied in a few overlapping moves made in
// place, which a call to the library's copy for each name would double.
void CopyName(char *to, const char *from, size_t n)
{
    if (n >= 16) {
        for (size_t i = 0; i + 16 <= n; i += 16)
            std::memcpy(to + i, from + i, 16);
        std::memcpy(to + n - 16, from + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else {
        std::memcpy(to, from, n);
    }
}
}

Doc *KeptDocAlloc(const char *name, LONG length)
{
    // every piece is a whole number of records' alignment, so the next starts aligned
    size_t size = (sizeof(Doc) + size_t(length) + 1 + alignof(Doc) - 1) & ~(alignof(Doc) - 1);
    auto *d = reinterpret_cast<Doc *>(kept.Allocate(size));
    auto *text = reinterpret_cast<char *>(d + 1);
    CopyName(text, name, size_t(length));
    text[length] = '\0';
    *d = Doc{{}, length ? text : EmptySTR, 0, 0, 0, ' ', 1};
    return d;
}

void KeptDocsFree() { kept.Clear(); }

size_t KeptDocBytes() { return kept.BytesHeld(); }
