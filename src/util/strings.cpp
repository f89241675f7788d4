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
