#include "catcomp.h"

#include <cstdint>
#include <map>
#include <sstream>

namespace {
void Big32(std::string &out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char(v >> shift & 0xFF);
}

void Chunk(std::string &out, const char *id, const std::string &body)
{
    out += id;
    Big32(out, uint32_t(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
}

// UTF-8 to Latin-1; characters beyond Latin-1 become "?".
std::string ToLatin1(const std::string &utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += char(c);
            ++i;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            unsigned cp = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            out += cp < 0x100 ? char(cp) : '?';
            i += 2;
        } else {
            out += '?';
            for (++i; i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80; ++i) {
            }
        }
    }
    return out;
}

bool Unescape(const std::string &in, std::string &out)
{
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i >= in.size())
            return false;
        switch (in[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        default: {
            int value = 0, digits = 0;
            for (; digits < 3 && i < in.size() && in[i] >= '0' && in[i] <= '7'; ++digits, ++i)
                value = value * 8 + (in[i] - '0');
            if (!digits)
                return false;
            --i;
            out += char(value);
        }
        }
    }
    return true;
}
}

bool CompileCatalog(const std::string &source, std::string &catalog, std::string &error)
{
    std::istringstream in(source);
    std::string line, language, version;
    std::map<uint32_t, std::string> strings;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line.rfind("## language ", 0) == 0) {
            language = line.substr(12);
            continue;
        }
        if (line.rfind("## version ", 0) == 0) {
            version = line.substr(11);
            continue;
        }
        size_t blank = line.find(' ');
        std::string id = line.substr(0, blank), text;
        if (id.empty() || id.find_first_not_of("0123456789") != std::string::npos || id.size() > 9 ||
            !Unescape(blank == std::string::npos ? "" : line.substr(blank + 1), text)) {
            error = "line " + std::to_string(number) + ": expected an id and a text";
            return false;
        }
        strings[uint32_t(std::stoul(id))] = ToLatin1(text);
    }
    if (language.empty()) {
        error = "no \"## language\" line";
        return false;
    }
    std::string strs;
    for (const auto &[id, text] : strings) {
        Big32(strs, id);
        Big32(strs, uint32_t(text.size() + 1));
        strs += text;
        strs.append(4 - text.size() % 4, '\0');   // the NUL and the padding to a longword
    }
    std::string body = "CTLG";
    Chunk(body, "FVER", version + '\0');
    Chunk(body, "LANG", ToLatin1(language) + '\0');
    Chunk(body, "STRS", strs);
    catalog = "FORM";
    Big32(catalog, uint32_t(body.size()));
    catalog += body;
    return true;
}
