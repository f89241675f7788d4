#include "envstore.h"

#include "../dos/paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr const char *kMagic = "VSENV 1";
constexpr size_t kMaxStore = 1 << 20;   // a store is a few lines; anything larger is damage

std::string StorePath(CONST_STRPTR base, CONST_STRPTR section, bool archive)
{
    return HostPath((std::string(archive ? "ENVARC:" : "ENV:") + base + "." + section).c_str());
}

bool MakeDirs(const std::string &dir)
{
    for (size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos != dir.size() && dir[pos] != '/')
            continue;
        std::string part = dir.substr(0, pos);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ReadFile(const std::string &path, std::string &text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return text.size() <= kMaxStore;
}
}

std::string JoinNumbers(std::initializer_list<LONG> numbers)
{
    std::string out;
    for (LONG n : numbers)
        out += (out.empty() ? "" : ",") + std::to_string(n);
    return out;
}

int SplitNumbers(const std::string &text, LONG *out, int max)
{
    int count = 0;
    const char *p = text.c_str();
    while (count < max && *p) {
        char *end;
        errno = 0;
        long v = std::strtol(p, &end, 10);
        if (end == p || errno || v < -0x7FFFFFFFL || v > 0x7FFFFFFFL)
            break;
        out[count++] = LONG(v);
        p = *end == ',' ? end + 1 : end;
    }
    return count;
}

std::string EnvStoreFormat(const Dataspace &values)
{
    static const char digits[] = "0123456789abcdef";
    std::string out = std::string(kMagic) + "\n";
    for (const auto &[id, value] : values.Values()) {
        char head[16];
        std::snprintf(head, sizeof head, "%08lx ", (unsigned long)id);
        out += head;
        for (unsigned char c : value) {
            out += digits[c >> 4];
            out += digits[c & 15];
        }
        out += '\n';
    }
    return out;
}

bool EnvStoreParse(const std::string &text, Dataspace &out)
{
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kMagic)
        return false;
    Dataspace parsed;
    while (std::getline(in, line)) {
        if (line.size() < 9 || line[8] != ' ' || (line.size() - 9) % 2)
            return false;
        ULONG id = 0;
        for (int i = 0; i < 8; ++i) {
            int h = HexValue(line[size_t(i)]);
            if (h < 0)
                return false;
            id = id << 4 | ULONG(h);
        }
        std::string value;
        for (size_t i = 9; i < line.size(); i += 2) {
            int hi = HexValue(line[i]), lo = HexValue(line[i + 1]);
            if (hi < 0 || lo < 0)
                return false;
            value += char(hi << 4 | lo);
        }
        parsed.Add(id, value);
    }
    out = parsed;
    return true;
}

bool EnvStoreRead(CONST_STRPTR base, CONST_STRPTR section, bool archive, Dataspace &out)
{
    std::string text;
    if (!ReadFile(StorePath(base, section, archive), text)) {
        if (archive || !ReadFile(StorePath(base, section, true), text))
            return false;
    }
    return EnvStoreParse(text, out);
}

bool EnvStoreWrite(CONST_STRPTR base, CONST_STRPTR section, bool archive, const Dataspace &values)
{
    std::string path = StorePath(base, section, archive);
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && !MakeDirs(path.substr(0, slash)))
        return false;
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return false;
    std::string text = EnvStoreFormat(values);
    bool ok = write(fd, text.data(), text.size()) == ssize_t(text.size());
    ok = (close(fd) == 0) && ok;
    if (ok && rename(temp.c_str(), path.c_str()) == 0)
        return true;
    unlink(temp.c_str());
    return false;
}
