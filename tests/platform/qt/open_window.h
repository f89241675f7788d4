// The program's window, open offscreen for as long as it lives.
#pragma once
#include "core/objects.h"
#include "support/support.h"

#include <gtest/gtest.h>

// The program started in a sandbox with its window open. A test asserts Ready() before anything else;
// the window closes at the end even when an assertion stops the test early.
class OpenWindow {
public:
    enum class Layout { ViewerOnly, Full };
    explicit OpenWindow(Layout layout = Layout::Full) : app(layout == Layout::Full)
    {
        if (app.Ready())
            SetAttrs(QMXObject.Win, MUIA_Window_Open, TRUE);
    }
    ~OpenWindow() { SetAttrs(QMXObject.Win, MUIA_Window_Open, FALSE); }
    OpenWindow(const OpenWindow &) = delete;
    OpenWindow &operator=(const OpenWindow &) = delete;

    bool Ready() const { return app.Ready(); }

    Sandbox box;
    TestApp app;
};

// The same for a fixture, with the full layout.
class OpenWindowTest : public ::testing::Test, protected OpenWindow {
protected:
    void SetUp() override { ASSERT_TRUE(Ready()); }
};
