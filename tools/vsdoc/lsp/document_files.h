// The documents' files as the server reads them: a few kept open (a
// completion reads two hundred entries, most from files read just before),
// and each document's encoding, found once.
#pragma once
#include "base/records.h"

#include <string>
#include <sys/types.h>
#include <unordered_map>
#include <utility>
#include <vector>

class DocumentFiles {
public:
    DocumentFiles() = default;
    DocumentFiles(const DocumentFiles &) = delete;
    DocumentFiles &operator=(const DocumentFiles &) = delete;
    ~DocumentFiles();
    // Up to length bytes of the document from offset; false when its file
    // cannot be read there.
    bool Read(const Baza *doc, off_t offset, size_t length, std::string &out);
    // Whether the document is UTF-8 (else Latin-1), as the viewer decides.
    bool IsUTF8(const Baza *doc);

private:
    int Descriptor(const Baza *doc);

    static constexpr size_t kKeptOpen = 256;
    std::vector<std::pair<const Baza *, int>> open_;   // the most recently used last
    std::unordered_map<const Baza *, bool> utf8_;
};
