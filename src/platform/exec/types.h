// The basic types the program is written with: fixed-width integers under the
// names it uses, and IPTR, an integer wide enough to carry a pointer, which is
// what every tag value, method argument and attribute value is passed as.
#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

using UBYTE = std::uint8_t;
using BYTE = std::int8_t;
using UWORD = std::uint16_t;
using WORD = std::int16_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using IPTR = std::uintptr_t;
using SIPTR = std::intptr_t;
using APTR = void *;
using STRPTR = char *;
using CONST_STRPTR = const char *;
using BOOL = std::int16_t;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// Any value, pointer or number, as an IPTR; used by the variadic helpers that
// build tag lists and method messages.
template <class T> constexpr IPTR ToIPTR(T v)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<IPTR>(v);
    else if constexpr (std::is_null_pointer_v<T>)
        return 0;
    else
        return static_cast<IPTR>(static_cast<SIPTR>(v));
}
