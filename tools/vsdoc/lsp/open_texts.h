// The texts the editor has open, as it last sent them (full sync), and
// positions in them: LSP counts a line's characters in UTF-16 units.
#pragma once
#include <map>
#include <string>

class OpenTexts {
public:
    void Set(const std::string &uri, std::string text);
    void Close(const std::string &uri);
    // Null for a document the editor has not opened.
    const std::string *Text(const std::string &uri) const;
    size_t Bytes() const;

private:
    std::map<std::string, std::string> texts_;
};

// The byte offset of a position (0-based line, UTF-16 character) in UTF-8
// text; false for a line past the end or a negative number. A character past
// its line's end is the line's end, as the protocol says.
bool OffsetOf(const std::string &text, long line, long character, size_t &offset);
