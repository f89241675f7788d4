// The program's commands through its real command port: a client thread
// sends, the test's main thread runs the input loop as the window does.
#include "app/ids.h"
#include "app/startup.h"
#include "base/baza.h"
#include "base/records.h"
#include "platform/rexx/port.h"
#include "search/find.h"
#include "support/support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <sys/stat.h>

namespace {
class CommandPortOfTheProgram : public ::testing::Test {
protected:
    Sandbox box;
    bool runtimeMade = (mkdir(box.Path("run").c_str(), 0700), setenv("XDG_RUNTIME_DIR", box.Path("run").c_str(), 1), true);
    TestApp app{true, true};

    ~CommandPortOfTheProgram() override { unsetenv("XDG_RUNTIME_DIR"); }

    struct Answer {
        LONG rc = -1;
        std::string result;
        bool operator==(const Answer &) const = default;
    };
    IPTR returnId = 0;   // the last the input loop gave

    // Sends a line and runs the input loop until the answer is in.
    Answer Send(const std::string &line)
    {
        auto reply = std::async(std::launch::async, [line] {
            Answer a;
            std::string error;
            if (!SendPortCommand("VELLUMSCANNER.1", line, a.rc, a.result, error))
                a.result = error;
            return a;
        });
        while (reply.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            if (IPTR id = DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr))
                returnId = id;
        return reply.get();
    }
    std::string MakeBase(const std::string &name, const std::string &doc, const std::string &text)
    {
        box.Write(doc, text);
        EXPECT_EQ(BazaAddFiles({box.Path(doc)}, nullptr), 1);
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, box.Path(name).c_str());
        DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
        return box.Path(name);
    }
    std::string Shown()
    {
        auto name = reinterpret_cast<const char *>(xget(QMXObject.ViewObj, QMXA_View_File));
        return name ? name : "";
    }
    void PrintTo(const Answer &a, std::ostream *os) { *os << a.rc << " " << a.result; }
};

const char *kAdoc = "TABLE OF CONTENTS\n\fm.library/AllocMem\n   NAME\n\tAllocMem -- get memory\n"
                    "\fm.library/FreeMem\n   NAME\n\tFreeMem -- give it back\n";
}

TEST_F(CommandPortOfTheProgram, TheToolkitsOwnCommandsAndWhatDoesNotFit)
{
    ASSERT_TRUE(app.Ready());
    EXPECT_EQ(Send("INFO VERSION").result.rfind("$VER: Vellumscanner ", 0), 0u);
    EXPECT_EQ(Send("info title"), (Answer{0, "Vellumscanner"})) << "names and items compare without case";
    EXPECT_EQ(Send("INFO BASE"), (Answer{0, "Vellumscanner"}));
    EXPECT_EQ(Send("INFO COLOUR").rc, 10);
    EXPECT_EQ(Send("NOSUCH thing"), (Answer{10, "Unknown command: NOSUCH"}));
    EXPECT_EQ(Send("QMX_BaseOpen"), (Answer{10, "Bad arguments for QMX_BaseOpen: FILENAME/A"}));
    EXPECT_EQ(Send("QMX_FileOpen ?"), (Answer{0, "FILENAME/A"}));
    ASSERT_EQ(Send("HELP " + box.Path("help.txt")).rc, 0);
    std::string help = ReadAll(box.Path("help.txt"));
    EXPECT_NE(help.find("QMX_FindText WORD/A, BASEFILE/A\n"), std::string::npos);
    EXPECT_NE(help.find("INFO ITEM/A\n"), std::string::npos);
    EXPECT_EQ(Send("HELP " + box.Path("no/such/folder/help.txt")).rc, 20);
    EXPECT_EQ(Send("QUIT").rc, 0);
    if (!returnId)
        returnId = DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr);
    EXPECT_EQ(returnId, MUIV_Application_ReturnID_Quit);
}

TEST_F(CommandPortOfTheProgram, DocumentsAndBasesOpenAndCloseAsFromTheMenus)
{
    ASSERT_TRUE(app.Ready());
    std::string doc = box.Write("m.doc", kAdoc);
    EXPECT_EQ(Send("QMX_FileOpen " + doc), (Answer{0, ""}));
    EXPECT_EQ(Shown(), doc);
    EXPECT_EQ(Send("QMX_FileClose"), (Answer{0, ""}));
    EXPECT_EQ(Shown(), "");
    std::string binary = box.Write("b.bin", std::string("\x01\x02\x03\0\xff", 5));
    EXPECT_EQ(Send("QMX_FileOpen " + binary), (Answer{0, ""})) << "a failure is the requester's, the code stays 0";
    ASSERT_FALSE(app.requester.questions.empty());
    EXPECT_NE(app.requester.questions.back().text.find("Cannot open file"), std::string::npos);
    std::string base = MakeBase("one.qmx", "mem.doc", kAdoc);
    EXPECT_EQ(Send("QMX_BaseOpen \"" + base + "\"").rc, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(xget(QMXObject.BazaObj, QMXA_Baza_File))), base);
    EXPECT_EQ(Send("QMX_BaseClose").rc, 0);
    EXPECT_EQ(xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr), IPTR(-1));
    size_t asked = app.requester.questions.size();
    EXPECT_EQ(Send("QMX_BaseOpen " + box.Dir()).rc, 0) << "a folder is no base: the panel says so";
    EXPECT_EQ(Send("QMX_FileOpen " + box.Path("missing.doc")).rc, 0);
    EXPECT_EQ(app.requester.questions.size(), asked + 2);
}

TEST_F(CommandPortOfTheProgram, AWordOrATextIsLookedUpInTheBaseNamedOpenedWhenItIsAnother)
{
    ASSERT_TRUE(app.Ready());
    std::string first = MakeBase("first.qmx", "mem.doc", kAdoc);
    std::string second = MakeBase("second.qmx", "txt.txt", "plain text with a needle\n");
    ASSERT_EQ(Send("QMX_FindFunction AllocMem " + first).rc, 0);
    EXPECT_EQ(Shown(), box.Path("mem.doc"));
    // the same base by another case: not opened again (it is gone from the disk, so it could not be)
    std::string upper = first;
    upper.replace(upper.size() - 9, 5, "FIRST");
    std::rename(first.c_str(), (first + ".moved").c_str());
    ASSERT_EQ(Send("QMX_FindFunction FreeMem " + upper).rc, 0);
    EXPECT_TRUE(app.requester.questions.empty()) << app.requester.questions.back().text;
    auto *entry = reinterpret_cast<Doc *>(DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, -1));
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->Name, "FreeMem");
    // another base is opened first, then searched through
    ASSERT_EQ(Send("QMX_FindText NEEDLE " + second).rc, 0);
    ASSERT_TRUE(FinishSearch());
    EXPECT_EQ(xget(FindGUI.Range, MUIA_Cycle_Active), 1u);
    auto *hit = reinterpret_cast<Find *>(xget(QMXObject.FindObj, QMXA_Find_Current));
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(std::string(hit->Path), box.Path("txt.txt"));
    EXPECT_EQ(hit->Column, 19);
}

TEST(CommandPortOfTheViewer, BaseCommandsAnswerWithoutABasePanel)
{
    Sandbox box;
    mkdir(box.Path("run").c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", box.Path("run").c_str(), 1);
    {
        TestApp app(false, true);   // the window of the viewer alone
        ASSERT_TRUE(app.Ready());
        auto reply = std::async(std::launch::async, [&box] {
            LONG rc = -1;
            std::string result, error;
            for (const char *line : {"QMX_FindFunction AllocMem ", "QMX_FindText AllocMem ", "QMX_BaseOpen "})
                if (!SendPortCommand("VELLUMSCANNER.1", line + box.Path("none.qmx"), rc, result, error) || rc != 0)
                    return false;
            return SendPortCommand("VELLUMSCANNER.1", "QMX_BaseClose", rc, result, error) && rc == 0;
        });
        while (reply.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr);
        EXPECT_TRUE(reply.get());
    }
    unsetenv("XDG_RUNTIME_DIR");
}
