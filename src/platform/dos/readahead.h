// Reading a file's blocks one ahead, on a thread of their own, so that
// copying the next block out of the system's cache overlaps the caller's
// work on the one before. One such thread serves the program; a reader that
// finds it busy (another thread reading at the same time, or a read within
// a read) reads its blocks itself.
#pragma once
#include "files.h"

#include <memory>

class BlockReadAhead {
public:
    // Blocks of `block` bytes, each with `reserve` bytes of room before it.
    BlockReadAhead(FileHandle *fh, size_t block, size_t reserve);
    ~BlockReadAhead();   // waits for a read still under way
    BlockReadAhead(const BlockReadAhead &) = delete;
    BlockReadAhead &operator=(const BlockReadAhead &) = delete;

    // The next block, at the returned pointer (the reserve lies before it),
    // and its length in got: 0 at the end of the file, -1 when reading
    // failed. The block handed out before is free to be read into from now on.
    char *Next(LONG &got);
    // Where the next block will be: the caller may fill the reserve before
    // it while the block is being read.
    char *Upcoming() { return Buffer(next_); }

private:
    char *Buffer(int i) { return buffers_[i].get() + reserve_; }
    void Start(int i);
    LONG Finish();

    FileHandle *fh_;
    size_t block_, reserve_;
    std::unique_ptr<char[]> buffers_[2];
    int next_ = 0;         // the buffer the next block goes to
    bool ahead_ = false;   // the read thread serves this reader
    bool pending_ = false;
    LONG syncGot_ = 0;
};
