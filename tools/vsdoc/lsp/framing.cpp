#include "framing.h"

#include "platform/utility/charset.h"

#include <charconv>
#include <cstring>

namespace {
constexpr std::string_view kLengthField = "content-length:";

// Where "Content-Length:" (case ignored) begins in text from `from` on, or npos.
size_t FindLengthField(const std::string &text, size_t from)
{
    for (size_t at = text.find_first_of("Cc", from); at != std::string::npos; at = text.find_first_of("Cc", at + 1))
        if (text.size() - at >= kLengthField.size() &&
            SameIgnoringCase(text.data() + at, kLengthField.data(), kLengthField.size()))
            return at;
    return std::string::npos;
}

// The value of the length field in one header block; false when there is
// none or it is no plain number.
bool LengthOf(std::string_view block, size_t &length)
{
    size_t line = 0;
    while (line < block.size()) {
        size_t end = block.find("\r\n", line);
        end = end == std::string_view::npos ? block.size() : end;
        std::string_view field = block.substr(line, end - line);
        line = end + 2;
        if (field.size() < kLengthField.size() ||
            !SameIgnoringCase(field.data(), kLengthField.data(), kLengthField.size()))
            continue;
        std::string_view value = field.substr(kLengthField.size());
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        while (!value.empty() && value.back() == ' ')
            value.remove_suffix(1);
        auto [end2, error] = std::from_chars(value.data(), value.data() + value.size(), length);
        return error == std::errc() && end2 == value.data() + value.size() && !value.empty();
    }
    return false;
}
}

void MessageReader::Feed(const char *bytes, size_t length)
{
    size_t passed = std::min(skip_, length);
    skip_ -= passed;
    if (start_ > (1u << 16) && start_ * 2 > buffer_.size()) {   // keep the buffer from growing with what was read
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes + passed, length - passed);
}

void MessageReader::Resynchronise()
{
    size_t at = FindLengthField(buffer_, start_);
    if (at != std::string::npos) {
        start_ = at;
        lost_ = false;
        return;
    }
    // keep only what may be the start of the field, cut by the read
    size_t keep = std::min(buffer_.size() - start_, kLengthField.size() - 1);
    start_ = buffer_.size() - keep;
}

MessageReader::Next MessageReader::Header(std::string &fault)
{
    size_t end = buffer_.find("\r\n\r\n", start_);
    if (end == std::string::npos) {
        if (buffer_.size() - start_ <= kMaxHeader)
            return Next::NeedMore;
        fault = "a header longer than 8192 bytes";
        ++start_;   // the field it began with, if any, is not taken again
        lost_ = true;
        return Next::BadFrame;
    }
    size_t length = 0;
    bool known = LengthOf(std::string_view(buffer_).substr(start_, end - start_), length);
    start_ = end + 4;
    if (!known) {
        fault = "a header without a valid Content-Length";
        lost_ = true;
        return Next::BadFrame;
    }
    if (length > kMaxBody) {
        fault = "a body of " + std::to_string(length) + " bytes, more than 64 MB";
        size_t here = std::min(length, buffer_.size() - start_);
        start_ += here;
        skip_ = length - here;
        return Next::BadFrame;
    }
    body_ = length;
    inBody_ = true;
    return Next::NeedMore;
}

MessageReader::Next MessageReader::Take(std::string &body, std::string &fault)
{
    if (lost_)
        Resynchronise();
    if (lost_)
        return Next::NeedMore;
    if (!inBody_) {
        Next next = Header(fault);
        if (next == Next::BadFrame || !inBody_)
            return next;
    }
    if (buffer_.size() - start_ < body_)
        return Next::NeedMore;
    body.assign(buffer_, start_, body_);
    start_ += body_;
    inBody_ = false;
    return Next::Message;
}

std::string Framed(const std::string &body)
{
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}
