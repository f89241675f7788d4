#include "textcodes.h"

#include <cstring>

namespace {
// A bracketed argument "[...]" after the code letter; returns the index after "]".
size_t BracketEnd(const char *text, size_t end, size_t open)
{
    if (open >= end || text[open] != '[')
        return open;
    for (size_t j = open + 1; j < end; ++j)
        if (text[j] == ']')
            return j + 1;
    return end;
}

LONG Number(const char *text, size_t from, size_t to, size_t *stop)
{
    LONG v = 0;
    size_t j = from;
    for (; j < to && text[j] >= '0' && text[j] <= '9'; ++j)
        v = v < 100000000 ? v * 10 + (text[j] - '0') : v;
    *stop = j;
    return v;
}

void ApplyStyle(TextStyle &s, const TextCode &c)
{
    switch (c.kind) {
    case CodeKind::Bold: s.bold = true; break;
    case CodeKind::Italic: s.italic = true; break;
    case CodeKind::Underline: s.underline = true; break;
    case CodeKind::Plain: s = TextStyle(); break;
    case CodeKind::Pen:
    case CodeKind::TextPen: s.pen = c.a; break;
    default: break;
    }
}

LONG ColumnsOf(const char *text, size_t from, size_t to, LONG startColumn, bool utf8)
{
    LONG col = startColumn;
    for (size_t j = from; j < to; ++j)
        col = NextColumn(text, j, col, utf8);
    return col - startColumn;
}

struct Layout {
    const char *text;
    size_t end;
    LONG width;
    bool utf8;
    const CodeButtonLabel &label;
    std::vector<TextRun> runs;
    TextStyle style;
    LONG column = 0;
    char align = 'l';

    void Text(size_t from, size_t to)
    {
        if (from >= to)
            return;
        LONG cols = ColumnsOf(text, from, to, column, utf8);
        runs.push_back(TextRun{RunKind::Text, from, to, column, cols, style});
        column += cols;
    }

    void Code(size_t at, const TextCode &c)
    {
        if (c.kind == CodeKind::Separator) {
            runs.push_back(TextRun{RunKind::Separator, at, at + c.length, column, 0, style});
        } else if (c.kind == CodeKind::Embedded) {
            LONG cols = LONG(label ? label(c.a).size() : 0) + 2;
            runs.push_back(TextRun{RunKind::Button, at, at + c.length, column, cols, style, c.a, c.b});
            column += cols;
        } else if (c.kind == CodeKind::Left || c.kind == CodeKind::Center || c.kind == CodeKind::Right) {
            align = c.kind == CodeKind::Left ? 'l' : c.kind == CodeKind::Center ? 'c' : 'r';
        }
        ApplyStyle(style, c);
    }

    void Align()
    {
        LONG shift = align == 'c' ? (width - column) / 2 : align == 'r' ? width - column : 0;
        if (shift <= 0)
            return;
        for (TextRun &r : runs)
            r.column += shift;
    }
};
}

TextCode ReadTextCode(const char *text, size_t end, size_t i)
{
    if (i + 1 >= end)
        return TextCode{CodeKind::Other, 0, 0, 1};
    char c = text[i + 1];
    size_t stop;
    switch (c) {
    case 'b': return {CodeKind::Bold, 0, 0, 2};
    case 'i': return {CodeKind::Italic, 0, 0, 2};
    case 'u': return {CodeKind::Underline, 0, 0, 2};
    case 'n': return {CodeKind::Plain, 0, 0, 2};
    case 'l': return {CodeKind::Left, 0, 0, 2};
    case 'c': return {CodeKind::Center, 0, 0, 2};
    case 'r': return {CodeKind::Right, 0, 0, 2};
    case 'E': return {CodeKind::Separator, 0, 0, 2};
    case 'P': {
        size_t close = BracketEnd(text, end, i + 2);
        LONG pen = Number(text, i + 3, close, &stop);
        return {CodeKind::Pen, pen, 0, close - i};
    }
    case 'o': {
        size_t close = BracketEnd(text, end, i + 2);
        LONG n = Number(text, i + 3, close, &stop);
        LONG m = stop < close && text[stop] == '@' ? Number(text, stop + 1, close, &stop) : 0;
        return {CodeKind::Embedded, n, m, close - i};
    }
    case 'I': return {CodeKind::Other, 0, 0, BracketEnd(text, end, i + 2) - i};
    default:
        if (c >= '0' && c <= '9')
            return {CodeKind::TextPen, c - '0', 0, 2};
        return {CodeKind::Other, 0, 0, 2};
    }
}

std::vector<TextRun> LayoutLine(const char *text, size_t pos, size_t len, LONG width, bool utf8,
                                const CodeButtonLabel &label)
{
    size_t end = pos + len;
    Layout lay{text, end, width, utf8, label, {}, {}};
    for (size_t j = 0; j < pos;) {   // codes before a wrapped piece carry on into it
        if (text[j] != kEsc) {
            ++j;
            continue;
        }
        TextCode c = ReadTextCode(text, pos, j);
        ApplyStyle(lay.style, c);
        j += c.length;
    }
    size_t runStart = pos;
    for (size_t j = pos; j < end;) {
        if (text[j] != kEsc) {
            ++j;
            continue;
        }
        lay.Text(runStart, j);
        TextCode c = ReadTextCode(text, end, j);
        lay.Code(j, c);
        j += c.length;
        runStart = j;
    }
    lay.Text(runStart, end);
    lay.Align();
    return std::move(lay.runs);
}

size_t CharAtColumn(const char *text, const std::vector<TextRun> &runs, size_t pos, size_t len, LONG column, bool utf8)
{
    for (const TextRun &r : runs) {
        if (column < r.column)
            return r.first;
        if (column >= r.column + r.columns)
            continue;
        if (r.kind != RunKind::Text)
            return r.first;
        LONG col = r.column;
        for (size_t j = r.first; j < r.last; ++j) {
            LONG next = NextColumn(text, j, col, utf8);
            if (column < next)
                return j;
            col = next;
        }
        return r.last;
    }
    return pos + len;   // past the end: the end of the text
}

std::string StripTextCodes(const char *text)
{
    std::string out;
    size_t end = std::strlen(text);
    for (size_t j = 0; j < end;) {
        if (text[j] == kEsc) {
            j += ReadTextCode(text, end, j).length;
            continue;
        }
        out += text[j++];
    }
    return out;
}
