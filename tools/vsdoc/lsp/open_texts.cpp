#include "open_texts.h"

void OpenTexts::Set(const std::string &uri, std::string text) { texts_[uri] = std::move(text); }

void OpenTexts::Close(const std::string &uri) { texts_.erase(uri); }

const std::string *OpenTexts::Text(const std::string &uri) const
{
    auto it = texts_.find(uri);
    return it == texts_.end() ? nullptr : &it->second;
}

size_t OpenTexts::Bytes() const
{
    size_t bytes = 0;
    for (const auto &[uri, text] : texts_)
        bytes += uri.size() + text.size();
    return bytes;
}

bool OffsetOf(const std::string &text, long line, long character, size_t &offset)
{
    if (line < 0 || character < 0)
        return false;
    size_t at = 0;
    for (long n = 0; n < line; ++n) {
        at = text.find('\n', at);
        if (at == std::string::npos)
            return false;
        ++at;
    }
    long units = 0;
    while (at < text.size() && text[at] != '\n' && text[at] != '\r' && units < character) {
        unsigned char c = static_cast<unsigned char>(text[at]);
        size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        units += length == 4 ? 2 : 1;
        at = std::min(text.size(), at + length);
    }
    offset = at;
    return true;
}
