#include "portlines.h"

#include <cstring>

void PortLines::Add(const char *data, size_t size)
{
    while (size > 0) {
        auto *nl = static_cast<const char *>(std::memchr(data, '\n', size));
        size_t piece = nl ? size_t(nl - data) : size;
        // one byte more than the limit may still be the carriage return of "\r\n"
        if (!tooLong_ && part_.size() + piece > kMaxLine + 1) {
            tooLong_ = true;
            part_.clear();
        }
        if (!tooLong_)
            part_.append(data, piece);
        if (!nl)
            return;
        EndLine();
        data = nl + 1;
        size -= piece + 1;
    }
}

void PortLines::EndLine()
{
    if (!part_.empty() && part_.back() == '\r')
        part_.pop_back();
    if (tooLong_ || part_.size() > kMaxLine)
        whole_.push_back({Kind::TooLong, std::string()});
    else
        whole_.push_back({Kind::Line, std::move(part_)});
    part_.clear();
    tooLong_ = false;
}

PortLines::Kind PortLines::Next(std::string &line)
{
    if (whole_.empty())
        return Kind::None;
    Whole w = std::move(whole_.front());
    whole_.pop_front();
    line = std::move(w.text);
    return w.kind;
}
