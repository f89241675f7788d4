#include "json_line.h"

#include "platform/utility/charset.h"

#include <charconv>

void JsonLine::Key(std::string_view key)
{
    if (out_.size() > 1)
        out_ += ',';
    Quoted(key);
    out_ += ':';
}

// Escapes what JSON asks to be escaped; the text is well-formed UTF-8.
void JsonLine::Quoted(std::string_view utf8)
{
    static const char kHex[] = "0123456789abcdef";
    out_ += '"';
    for (char c : utf8) {
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (c == '\t' || c == '\n' || c == '\r') {
            out_ += c == '\t' ? "\\t" : c == '\n' ? "\\n" : "\\r";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out_ += "\\u00";
            out_ += kHex[c >> 4];
            out_ += kHex[c & 15];
        } else {
            out_ += c;
        }
    }
    out_ += '"';
}

JsonLine &JsonLine::Text(std::string_view key, const char *text)
{
    Key(key);
    Quoted(HostText(text ? text : ""));
    return *this;
}

JsonLine &JsonLine::Name(std::string_view key, std::string_view name)
{
    std::string kept;
    auto *p = reinterpret_cast<const UBYTE *>(name.data()), *end = p + name.size();
    while (p < end) {
        size_t length = UTF8SequenceLength(p, end);
        if (length == 0) {
            kept += "\xEF\xBF\xBD";
            ++p;
            continue;
        }
        kept.append(reinterpret_cast<const char *>(p), length);
        p += length;
    }
    Key(key);
    Quoted(kept);
    return *this;
}

JsonLine &JsonLine::Number(std::string_view key, long value)
{
    Key(key);
    char digits[24];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    return *this;
}
