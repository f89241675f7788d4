#include "strings.h"

#include "platform/exec/pool.h"

#include <cstring>

char EmptySTR[1] = {0};

STRPTR AllocTxt(LONG n)
{
    if (n <= 0)
        return EmptySTR;
    auto *text = static_cast<STRPTR>(AllocPooled(MemPool, ULONG(n) + 1));
    if (text)
        text[n] = '\0';
    return text;
}

STRPTR NewSTR(CONST_STRPTR source, LONG length)
{
    if (!source)
        return EmptySTR;
    if (length < 0) {
        const char *nl = std::strchr(source, '\n');
        length = LONG(nl ? nl - source : LONG(std::strlen(source)));
    }
    if (length == 0)
        return EmptySTR;
    STRPTR copy = AllocTxt(length);
    if (copy)
        std::memcpy(copy, source, size_t(length));
    return copy;
}

void DelSTR(STRPTR *variable)
{
    if (!variable || !*variable)
        return;
    if (*variable != EmptySTR)
        FreePooled(MemPool, *variable, ULONG(std::strlen(*variable)) + 1);
    *variable = nullptr;
}

namespace {
bool WithinASequence(const std::string &text, size_t at)
{
    return at < text.size() && (UBYTE(text[at]) & 0xC0) == 0x80;
}
}

std::string ShortenedInItsMiddle(const std::string &text, size_t most)
{
    static const std::string kEllipsis = "\xE2\x80\xA6";
    if (text.size() <= most)
        return text;
    size_t keep = most > kEllipsis.size() ? most - kEllipsis.size() : 0;
    size_t head = keep / 2, tail = text.size() - (keep - head);
    while (head > 0 && WithinASequence(text, head))
        --head;
    while (WithinASequence(text, tail))
        ++tail;
    return text.substr(0, head) + kEllipsis + text.substr(tail);
}
