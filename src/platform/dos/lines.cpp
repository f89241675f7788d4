#include "lines.h"

// The C library's header is C that only GCC's C++ accepts.
#if defined(__x86_64__) && !defined(__clang__) && __has_include(<sys/platform/x86.h>)
#define VS_LIBC_CPU_FEATURES 1
#include <sys/platform/x86.h>
#endif

// The C library has looked at the processor already; asking it costs nothing,
// where asking the processor again is slow in a virtual machine.
bool HasAVX2()
{
#if defined(VS_LIBC_CPU_FEATURES)
    return CPU_FEATURE_ACTIVE(AVX2);
#elif defined(__x86_64__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

size_t BulkPass(const char *text, size_t i, size_t end, size_t max, size_t &start, size_t &lines, char wanted)
{
    using Pass = size_t (*)(const char *, size_t, size_t, size_t, size_t &, size_t &, char);
#if defined(__x86_64__)
    static const Pass pass = HasAVX2() ? BulkPassAVX2 : BulkPassPlain;
#else
    static const Pass pass = BulkPassPlain;
#endif
    return pass(text, i, end, max, start, lines, wanted);
}
