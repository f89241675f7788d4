// Text codes inside list lines: the escape character followed by "b" bold,
// "i" italic, "u" underline, "n" plain, "l" "c" "r" alignment, "P[n]" pen n,
// a digit a text pen, "E" a separator rule, "o[n@m]" embedded button n
// reporting m. The layout of a line is computed here once, for the renderer
// to draw and for the list to turn a clicked column into a character index,
// so both always agree.
#pragma once
#include "../exec/types.h"

#include <functional>
#include <string>
#include <vector>

constexpr char kEsc = 27;
constexpr int kTabWidth = 8;

enum class CodeKind : UBYTE {
    Bold,
    Italic,
    Underline,
    Plain,
    Left,
    Center,
    Right,
    Pen,
    TextPen,
    Separator,
    Embedded,
    Other
};

struct TextCode {
    CodeKind kind;
    LONG a;          // pen number, text pen digit, or button number
    LONG b;          // the value an embedded button reports
    size_t length;   // bytes the code takes, escape included
};

// The code at text[i], which must be the escape character.
TextCode ReadTextCode(const char *text, size_t end, size_t i);

struct TextStyle {
    bool bold = false, italic = false, underline = false;
    LONG pen = -1;   // -1: the list's text pen
};

enum class RunKind : UBYTE { Text, Separator, Button };

struct TextRun {
    RunKind kind;
    size_t first, last;   // characters [first, last) of the line's text
    LONG column;          // where the run starts on screen
    LONG columns;         // how many columns it takes
    TextStyle style;
    LONG button = 0, value = 0;   // for a button: its number and reported value
};

// The column after the byte text[j] when it starts at column col: a tab runs
// to the next tab stop; in UTF-8 text the bytes that go on a character take
// no room of their own.
inline LONG NextColumn(const char *text, size_t j, LONG col, bool utf8)
{
    if (text[j] == '\t')
        return (col / kTabWidth + 1) * kTabWidth;
    return utf8 && (UBYTE(text[j]) & 0xC0) == 0x80 ? col : col + 1;
}

// The label of embedded button n (its width on screen is label + 2 columns).
using CodeButtonLabel = std::function<std::string(LONG)>;

// Lays out characters [pos, pos + len) of text; codes before pos set the
// starting style. width is the list's width in columns, for alignment; utf8
// tells how the text is encoded (else Latin-1, a byte a column).
std::vector<TextRun> LayoutLine(const char *text, size_t pos, size_t len, LONG width, bool utf8,
                                const CodeButtonLabel &label);
// The character under a column: inside a run, or the nearest edge (the first
// byte of a UTF-8 character).
size_t CharAtColumn(const char *text, const std::vector<TextRun> &runs, size_t pos, size_t len, LONG column, bool utf8);
// The text without its codes (for a terminal that cannot show them).
std::string StripTextCodes(const char *text);
