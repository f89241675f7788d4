#include "format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
struct Spec {
    bool left = false;
    bool zero = false;
    int width = 0;
    int precision = -1;
};

void Pad(std::string &out, const std::string &body, const Spec &spec, bool numeric)
{
    int fill = spec.width - int(body.size());
    if (fill <= 0) {
        out += body;
        return;
    }
    if (spec.left) {
        out += body;
        out.append(size_t(fill), ' ');
    } else if (spec.zero && numeric) {
        size_t sign = (!body.empty() && body[0] == '-') ? 1 : 0;
        out += body.substr(0, sign);
        out.append(size_t(fill), '0');
        out += body.substr(sign);
    } else {
        out.append(size_t(fill), ' ');
        out += body;
    }
}

std::string Convert(char conv, IPTR value, const Spec &spec)
{
    char num[32];
    switch (conv) {
    case 's': {
        const char *s = reinterpret_cast<const char *>(value);
        if (!s)
            s = "";
        size_t len = std::strlen(s);
        if (spec.precision >= 0 && size_t(spec.precision) < len)
            len = size_t(spec.precision);
        return std::string(s, len);
    }
    case 'd': std::snprintf(num, sizeof num, "%ld", long(LONG(value))); return num;
    case 'u': std::snprintf(num, sizeof num, "%lu", (unsigned long)ULONG(value)); return num;
    case 'x': std::snprintf(num, sizeof num, "%lx", (unsigned long)ULONG(value)); return num;
    case 'X': std::snprintf(num, sizeof num, "%lX", (unsigned long)ULONG(value)); return num;
    case 'c': return std::string(1, char(value));
    default: return std::string();
    }
}
}

std::string VFormat(CONST_STRPTR format, const IPTR *args, int argCount)
{
    std::string out;
    if (!format)
        return out;
    int next = 0;
    for (const char *p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const char *start = p++;
        if (*p == '%') {
            out += '%';
            continue;
        }
        Spec spec;
        for (; *p == '-' || *p == '0'; ++p)
            (*p == '-' ? spec.left : spec.zero) = true;
        for (; *p >= '0' && *p <= '9'; ++p)
            spec.width = std::min(spec.width * 10 + (*p - '0'), 4096);
        if (*p == '.') {
            spec.precision = 0;
            for (++p; *p >= '0' && *p <= '9'; ++p)
                spec.precision = std::min(spec.precision * 10 + (*p - '0'), 1 << 20);
        }
        if (*p == 'l')
            ++p;
        if (!std::strchr("sduxXc", *p) || !*p) {
            out.append(start, size_t(p - start) + (*p ? 1 : 0));   // not a conversion: keep as written
            if (!*p)
                break;
            continue;
        }
        if (next >= argCount)
            continue;   // no argument was passed for it
        bool numeric = *p != 's' && *p != 'c';
        Pad(out, Convert(*p, args[next++], spec), spec, numeric);
    }
    return out;
}
