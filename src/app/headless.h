// The program's classes and window made without a display, in the start-up's
// order, for the command-line companion, the tests and the benchmarks.
#pragma once
#include "platform/exec/types.h"

class HeadlessProgram {
public:
    // fullGUI picks the window layout; the full one saves its state at the end.
    // port: the application opens its command port.
    explicit HeadlessProgram(CONST_STRPTR program, bool fullGUI = false, bool port = false);
    ~HeadlessProgram();
    HeadlessProgram(const HeadlessProgram &) = delete;
    HeadlessProgram &operator=(const HeadlessProgram &) = delete;
    bool Ready() const { return ready_; }

private:
    bool libraries_ = false;
    bool classes_ = false;
    bool ready_ = false;
};
