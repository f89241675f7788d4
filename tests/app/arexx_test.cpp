// The program's commands through its real command port: a client thread
// sends, the test's main thread runs the input loop as the window does.
#include "base/baza.h"
#include "base/records.h"
#include "core/ids.h"
#include "core/objects.h"
#include "platform/rexx/port.h"
#include "search/find.h"
#include "support/support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <future>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {
class CommandPortOfTheProgram : public ::testing::Test {
protected:
    Sandbox box;
    bool runtimeMade = (mkdir(box.Path("run").c_str(), 0700), setenv("XDG_RUNTIME_DIR", box.Path("run").c_str(), 1),
                        true);
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
    std::string BaseFile()
    {
        auto name = reinterpret_cast<const char *>(xget(QMXObject.BazaObj, QMXA_Baza_File));
        return name ? name : "";
    }
    std::vector<std::string> Roots()
    {
        std::vector<std::string> names;
        for (TreeNode *n : *NListtreeRoots(BazaGUI.Tree))
            names.push_back(static_cast<Baza *>(n->tn_User)->Name);
        return names;
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
    EXPECT_EQ(Send("INFO BASE").result, "") << "no base open: no base file";
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
    std::string base = MakeBase("one.qmx", "mem.doc", kAdoc);
    EXPECT_EQ(Send("QMX_BaseOpen \"" + base + "\""), (Answer{0, ""}));
    EXPECT_EQ(BaseFile(), base);
    EXPECT_EQ(Send("INFO BASE"), (Answer{0, base})) << "the base open, by its file";
    EXPECT_EQ(Send("QMX_BaseClose"), (Answer{0, ""}));
    EXPECT_EQ(Send("INFO BASE"), (Answer{0, ""}));
    EXPECT_EQ(xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr), IPTR(-1));
}

TEST_F(CommandPortOfTheProgram, AFailureAnswers20WithTheWindowsTextShownAsALineAndAsksNobody)
{
    ASSERT_TRUE(app.Ready());
    std::string base = MakeBase("one.qmx", "mem.doc", kAdoc);
    std::string binary = box.Write("b.bin", std::string("\x01\x02\x03\0\xff", 5));
    std::string junk = box.Write("x.qmx", "no base at all\n");
    const Answer failures[] = {
        Send("QMX_FileOpen /missing.doc"),         Send("QMX_FileOpen " + binary),        Send("QMX_BaseOpen " + junk),
        Send("QMX_FindFunction AllocVex " + base), Send("QMX_FindText AllocVex " + junk),
    };
    const Answer expected[] = {
        {20, "Cannot open file: /missing.doc"}, {20, "Cannot open file: " + binary},
        {20, "Not a base file: " + junk},       {20, "No entry AllocVex"},
        {20, "Not a base file: " + junk},
    };
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(failures[i], expected[i]) << i;
    EXPECT_TRUE(app.requester.questions.empty()) << "a command never waits for a person";
    ASSERT_EQ(app.requester.notices.size(), 5u);
    EXPECT_EQ(app.requester.notices[0], "Cannot open file:\n/missing.doc") << "the window shows it in a line";
    EXPECT_EQ(Send("QMX_FindFunction AllocMem " + base), (Answer{0, ""}));
    EXPECT_EQ(Shown(), box.Path("mem.doc"));
}

TEST_F(CommandPortOfTheProgram, ABaseACommandNamesTakesTheOpenOnesPlaceUnlessThatHasUnsavedChanges)
{
    ASSERT_TRUE(app.Ready());
    std::string a = MakeBase("a.qmx", "mem.doc", kAdoc);
    std::string b = MakeBase("b.qmx", "txt.txt", "plain text with a needle\n");
    ASSERT_EQ(Send("QMX_BaseOpen " + a), (Answer{0, ""}));
    ASSERT_EQ(Send("QMX_BaseOpen " + b), (Answer{0, ""}));
    EXPECT_EQ(Roots(), std::vector<std::string>{"txt.txt"}) << "replaced, not merged";
    EXPECT_EQ(Send("QMX_FindFunction AllocMem " + a), (Answer{0, ""}));
    EXPECT_EQ(Roots(), std::vector<std::string>{"mem.doc"});
    EXPECT_EQ(Send("QMX_FindFunction AllocMem " + b), (Answer{20, "No entry AllocMem"})) << "b lacks it";
    EXPECT_EQ(Roots(), std::vector<std::string>{"txt.txt"});
    DoMethod(QMXObject.BazaObj, QMXM_BazaUpdate);   // a rescan leaves the base changed
    for (const std::string &line :
         {"QMX_BaseOpen " + a, "QMX_FindFunction AllocMem " + a, "QMX_FindText mem " + a, std::string("QMX_BaseClose")})
        EXPECT_EQ(Send(line), (Answer{20, "The base has unsaved changes"})) << line;
    EXPECT_EQ(Roots(), std::vector<std::string>{"txt.txt"});
    EXPECT_EQ(BaseFile(), b);
    EXPECT_TRUE(app.requester.questions.empty());
    EXPECT_EQ(Send("QMX_FindText needle " + b), (Answer{0, ""})) << "the open base itself may be searched";
    ASSERT_TRUE(FinishSearch());
}

TEST_F(CommandPortOfTheProgram, AWordOrATextIsLookedUpInTheBaseNamedOpenedWhenItIsAnother)
{
    ASSERT_TRUE(app.Ready());
    std::string first = MakeBase("first.qmx", "mem.doc", kAdoc);
    std::string second = MakeBase("second.qmx", "txt.txt", "plain text with a needle\n");
    ASSERT_EQ(Send("QMX_FindFunction AllocMem " + first).rc, 0);
    EXPECT_EQ(Shown(), box.Path("mem.doc"));
    EXPECT_EQ(Send("QMX_FindFunction AllocMem " + first), (Answer{0, ""})) << "asked again, found again";
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

TEST_F(CommandPortOfTheProgram, VsdocSendReachesTheProgramWithItsFileArgumentsMadeFull)
{
    ASSERT_TRUE(app.Ready());
    MakeBase("b.qmx", "mem.doc", kAdoc);
    // vsdoc runs in the sandbox; its relative names must reach the program whole
    auto run = [this](const std::string &args) {
        auto out = std::async(std::launch::async, [this, args] {
            std::string cmd = "cd " + box.Dir() + " && " + VSDOC_PATH + " send " + args + " 2>&1", text;
            FILE *p = popen(cmd.c_str(), "r");
            char buf[512];
            for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
                text.append(buf, n);
            return std::to_string(WEXITSTATUS(pclose(p))) + " " + text;
        });
        while (out.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr);
        return out.get();
    };
    EXPECT_EQ(run("QMX_FindFunction BASEFILE=b.qmx WORD=AllocMem"), "0 ");
    EXPECT_EQ(Shown(), box.Path("mem.doc"));
    EXPECT_EQ(run("QMX_FileOpen missing.doc"), "20 Cannot open file: " + box.Path("missing.doc") + "\n");
    EXPECT_EQ(run("QMX_FileOpen '?'"), "0 FILENAME/A\n");
}

TEST(CommandPortOfTheViewer, BaseCommandsAnswerThoughTheBasePanelIsHidden)
{
    Sandbox box;
    mkdir(box.Path("run").c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", box.Path("run").c_str(), 1);
    {
        TestApp app(false, true);   // the window of the viewer alone
        ASSERT_TRUE(app.Ready());
        auto reply = std::async(std::launch::async, [&box] {
            std::string replies, result, error;
            for (const char *line :
                 {"QMX_FindFunction AllocMem ", "QMX_FindText AllocMem ", "QMX_BaseOpen ", "QMX_BaseClose"}) {
                LONG rc = -1;
                std::string base = std::strchr(line, ' ') ? box.Path("none.qmx") : "";
                if (!SendPortCommand("VELLUMSCANNER.1", line + base, rc, result, error))
                    return error;
                replies += std::to_string(rc) + " " + result + "\n";
            }
            return replies;
        });
        while (reply.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr);
        std::string missing = "20 Cannot open file: " + box.Path("none.qmx") + "\n";
        EXPECT_EQ(reply.get(), missing + missing + missing + "0 \n");
    }
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(CommandPortOfTheProgramOff, ThePersonIsToldOnceWhyOnStandardErrorAndInTheWindow)
{
    Sandbox box;
    mkdir(box.Path("run").c_str(), 0755);   // open to others: not used
    setenv("XDG_RUNTIME_DIR", box.Path("run").c_str(), 1);
    setenv("TMPDIR", box.Dir().c_str(), 1);
    std::string folder = box.Path("vellumscanner-" + std::to_string(getuid()));
    mkdir(folder.c_str(), 0755);   // made first by someone, open to all
    std::vector<std::string> notices;
    testing::internal::CaptureStderr();
    {
        TestApp app(true, true);
        ASSERT_TRUE(app.Ready());
        notices = app.requester.notices;
    }
    std::string err = testing::internal::GetCapturedStderr();
    unsetenv("TMPDIR");
    unsetenv("XDG_RUNTIME_DIR");
    std::string why = "The command port is off: the folder " + folder + " is open to other users (mode 755)";
    EXPECT_EQ(notices, std::vector<std::string>{why});
    EXPECT_EQ(err, "Vellumscanner: " + why + "\n");
}
