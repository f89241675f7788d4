// One JSON object on one line, for vsdoc's --json output: named fields in
// the order they are added, strings in UTF-8.
#pragma once
#include <string>
#include <string_view>

class JsonLine {
public:
    // Text from a document: UTF-8 as it is, anything else read as Latin-1.
    JsonLine &Text(std::string_view key, const char *text);
    // A file name as the host spells it: its bytes kept, a byte that is no
    // part of a UTF-8 character written as U+FFFD (JSON holds only UTF-8).
    JsonLine &Name(std::string_view key, std::string_view name);
    JsonLine &Number(std::string_view key, long value);
    // The object, closed, with its newline.
    std::string Line() const { return out_ + "}\n"; }

private:
    void Key(std::string_view key);
    void Quoted(std::string_view utf8);
    std::string out_ = "{";
};
