// The program's classes and window, made headless: vsdoc opens documents
// through the same viewer and index panel as the window program.
#pragma once
#include "platform/mui/mui.h"

class Session {
public:
    explicit Session(const char *program);
    ~Session();
    bool Ready() const { return ready_; }
    // Opens a file in the viewer; false when no document type takes it.
    bool Open(const char *file);

private:
    bool ready_ = false;
    bool classes_ = false;
};
