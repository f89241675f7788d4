// The program's classes and window, made headless: vsdoc opens documents
// through the same viewer and index panel as the window program.
#pragma once
#include "app/headless.h"

class Session {
public:
    explicit Session(const char *program) : program_(program) {}
    bool Ready() const { return program_.Ready(); }
    // Opens a file in the viewer; false when no document type takes it.
    bool Open(const char *file);

private:
    HeadlessProgram program_;
};
