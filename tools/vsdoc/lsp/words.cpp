#include "words.h"

#include <algorithm>

namespace {
// Bytes of wider characters count as letters: names of documents in
// other languages than C's (and newer compilers' identifiers) hold them.
bool IsNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

size_t SkipBlanks(const std::string &text, size_t at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    return at;
}

size_t NameEnd(const std::string &text, size_t at)
{
    while (at < text.size() && IsNameByte(text[at]))
        ++at;
    return at;
}

size_t NameStart(const std::string &text, size_t at)
{
    while (at > 0 && IsNameByte(text[at - 1]))
        --at;
    return at;
}

// The name that follows at (blanks first); empty when none does.
std::string NameAfter(const std::string &text, size_t at, size_t &end)
{
    size_t begin = SkipBlanks(text, at);
    end = NameEnd(text, begin);
    bool name = end > begin && !(text[begin] >= '0' && text[begin] <= '9');
    return name ? text.substr(begin, end - begin) : std::string();
}
}

std::string WordAt(const std::string &text, size_t offset)
{
    offset = std::min(offset, text.size());
    if (!(offset < text.size() && IsNameByte(text[offset])) && !(offset > 0 && IsNameByte(text[offset - 1])))
        return {};
    size_t begin = NameStart(text, offset), end = NameEnd(text, offset);
    std::string word = text.substr(begin, end - begin);
    if (word.empty() || (word[0] >= '0' && word[0] <= '9'))
        return {};
    size_t after;
    if (word == "struct" || word == "union" || word == "enum") {
        std::string name = NameAfter(text, end, after);
        return name.empty() ? word : name;
    }
    size_t arrow = SkipBlanks(text, end);
    if (text.compare(arrow, 2, "->") == 0) {
        std::string method = NameAfter(text, arrow + 2, after);
        if (!method.empty() && SkipBlanks(text, after) < text.size() && text[SkipBlanks(text, after)] == '(')
            return method;
    }
    return word;
}

std::string WordBefore(const std::string &text, size_t offset)
{
    offset = std::min(offset, text.size());
    size_t begin = NameStart(text, offset);
    return text.substr(begin, offset - begin);
}

CallSite CallAt(const std::string &text, size_t offset)
{
    constexpr size_t kLookBack = 4096;
    offset = std::min(offset, text.size());
    size_t stop = offset > kLookBack ? offset - kLookBack : 0;
    int depth = 0, commas = 0;
    for (size_t at = offset; at > stop; --at) {
        char c = text[at - 1];
        if (c == ')' || c == ']')
            ++depth;
        else if ((c == '(' || c == '[') && depth > 0)
            --depth;
        else if (c == ',' && depth == 0)
            ++commas;
        else if ((c == ';' || c == '{' || c == '}') && depth == 0)
            break;
        else if (c == '(' && depth == 0) {
            size_t end = at - 1;
            while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
                --end;
            size_t begin = NameStart(text, end);
            if (begin == end)
                return {};
            return {text.substr(begin, end - begin), commas};
        }
    }
    return {};
}
