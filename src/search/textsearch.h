// Finding a text in the lines of a document file, case ignored, as the search
// panel and `vsdoc search` find it. Lines are cut where the viewer's line
// reader cuts them (after a newline, or after 8191 bytes, a CR before the
// newline kept with its line), so a hit's line number is the line the viewer
// shows. Every position where the text starts is a hit, overlapping ones too.
// Nothing here touches shared state: a worker thread may search.
#pragma once
#include "platform/dos/lines.h"
#include "platform/exec/types.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

// A typed text as the search takes it: without its leading blanks.
inline const char *WithoutLeadingBlanks(const char *text) { return text + std::strspn(text, " "); }

// The longest line piece, as the line reader's 8192-byte buffer holds it.
constexpr size_t kSearchLineMax = kLineBuffer - 1;

// The text to find, in the form it was given and in the other encoding that
// documents use (a text typed on a UTF-8 desktop finds a Latin-1 document's
// letters). Case is folded as the name compares fold it.
class TextPattern {
public:
    TextPattern() = default;
    TextPattern(const char *text, size_t length);

    // Nothing to find: empty, longer than a line, or a newline inside.
    bool Never() const { return forms_ == 0; }

    // The starts of the hits among the 64 positions from text + at, as bits;
    // the bytes up to at + 64 + Length + 64 must be readable.
    uint64_t Hits64(const char *text, size_t at) const;
    // Whether a hit of either form starts at text (length bytes readable).
    bool HitAt(const char *text, size_t length) const;

private:
    struct Probe {
        size_t rare1 = 0, rare2 = 0;   // the two rarest bytes' places, candidates first tested there
        char low1 = 0, high1 = 0, low2 = 0, high2 = 0;
    };
    uint64_t FormHits64(int form, const char *text, size_t at) const;

    std::string text_[2];
    Probe probe_[2];
    int forms_ = 0;
};

// Where a search starts and where it found a hit. Offset: the file offset of
// the line's start; Line: its number (1 the first); Column: the search
// starts at this byte of the line, and a hit's is its 0-based place plus one.
struct SearchPosition {
    int64_t Offset = 0;
    LONG Line = 1;
    LONG Column = 0;
};

// A hit: its position and the line that holds it, without its line end.
struct SearchHit {
    SearchPosition Where;
    const char *Text;
    size_t Length;
};

enum class SearchEnd { Finished, Stopped, Unreadable, Cancelled };

// Reads the file from the start position and calls hit for each hit in file
// order, until it returns false (Stopped), the end (Finished), a failing
// read or a file that is not a readable regular file (Unreadable), or cancel
// becoming true (Cancelled, looked at between blocks).
SearchEnd SearchFile(CONST_STRPTR path, const TextPattern &pattern, const SearchPosition &start,
                     const std::function<bool(const SearchHit &)> &hit, const std::atomic<bool> *cancel = nullptr);

// The first hit from the start position on, in found; false when there is none.
bool FindFirstInFile(CONST_STRPTR path, const TextPattern &pattern, const SearchPosition &start, SearchPosition &found,
                     const std::atomic<bool> *cancel = nullptr);
