#include "document_files.h"

#include "platform/dos/files.h"
#include "search/targets.h"
#include "view/encoding.h"

#include <fcntl.h>
#include <unistd.h>

DocumentFiles::~DocumentFiles()
{
    for (auto &[doc, fd] : open_)
        close(fd);
}

int DocumentFiles::Descriptor(const Baza *doc)
{
    for (size_t i = 0; i < open_.size(); ++i)
        if (open_[i].first == doc) {
            std::pair<const Baza *, int> used = open_[i];
            open_.erase(open_.begin() + long(i));
            open_.push_back(used);
            return used.second;
        }
    int fd = open(DocumentPath(doc).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (open_.size() == kKeptOpen) {
        close(open_.front().second);
        open_.erase(open_.begin());
    }
    open_.emplace_back(doc, fd);
    return fd;
}

bool DocumentFiles::Read(const Baza *doc, off_t offset, size_t length, std::string &out)
{
    int fd = Descriptor(doc);
    out.resize(length);
    ssize_t got = fd < 0 ? -1 : pread(fd, out.data(), length, offset);
    out.resize(got > 0 ? size_t(got) : 0);
    return got >= 0;
}

bool DocumentFiles::IsUTF8(const Baza *doc)
{
    auto [it, made] = utf8_.try_emplace(doc, false);
    if (made) {
        FileHandle *fh = Open(DocumentPath(doc).c_str(), MODE_SHARED);
        it->second = fh && DocumentIsUTF8(fh);
        Close(fh);
    }
    return it->second;
}
