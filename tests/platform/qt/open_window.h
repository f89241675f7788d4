// The full window, open offscreen for the length of one test.
#pragma once
#include "core/objects.h"
#include "support/support.h"

#include <gtest/gtest.h>

class OpenWindowTest : public ::testing::Test {
protected:
    Sandbox box;
    TestApp app{true};

    void SetUp() override
    {
        ASSERT_TRUE(app.Ready());
        SetAttrs(QMXObject.Win, MUIA_Window_Open, TRUE);
    }
    void TearDown() override { SetAttrs(QMXObject.Win, MUIA_Window_Open, FALSE); }
};
