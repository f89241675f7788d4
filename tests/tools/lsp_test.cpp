// The language server: its framing, its answers to good and bad messages,
// and what it finds in a base built from small documents.
#include "core/ids.h"
#include "platform/mui/envstore.h"
#include "support/support.h"
#include "vsdoc/commands.h"
#include "vsdoc/lsp/framing.h"
#include "vsdoc/lsp/stdio_loop.h"
#include "vsdoc/lsp/words.h"

#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
std::string Body(const Json &message) { return message.dump(); }

Json Req(int id, const std::string &method, Json params = Json::object())
{
    return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
}

Json Note(const std::string &method, Json params = Json::object())
{
    return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

Json At(long line, long character, const std::string &uri = "file:///t.c")
{
    return {{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", character}}}};
}

// The messages in what the server wrote, in order.
std::vector<Json> Unframed(const std::string &bytes)
{
    MessageReader reader;
    reader.Feed(bytes.data(), bytes.size());
    std::vector<Json> out;
    std::string body, fault;
    while (reader.Take(body, fault) == MessageReader::Next::Message)
        out.push_back(Json::parse(body));
    return out;
}

std::vector<Json> Send(LanguageServer &server, const std::vector<Json> &messages)
{
    std::vector<Message> batch;
    for (const Json &m : messages)
        batch.push_back(ReadMessage(Body(m)));
    std::vector<Json> answers = Unframed(server.Receive(batch));
    server.AfterAnswer();
    return answers;
}

int ErrorCode(const Json &answer) { return answer.contains("error") ? answer["error"]["code"].get<int>() : 0; }

const char kSource[] = "void f(void)\n{\n    struct Window *w = OpenWin\n    APTR p = IExec->AllocVec(64, MEMF_ANY);\n"
                       "    Gr\xC3\xB6\xC3\x9F"
                       "e(1, \n}\n";

// A base of two autodocs (the second Latin-1, with a second AllocVec) and a header.
struct LspBase {
    Sandbox box;
    TestApp app;
    std::string exec = box.Write("a/exec.doc",
                                 "TABLE OF CONTENTS\n\fexec.library/AllocVec\n   NAME\n\tAllocVec -- get memory\n"
                                 "   SYNOPSIS\n\tAPTR AllocVec(ULONG size, ULONG flags);\n   FUNCTION\n"
                                 "\tGives *memory*.\n   EXAMPLE\n\tp = AllocVec(8, 0);\n");
    std::string other = box.Write("b/other.doc",
                                  "TABLE OF CONTENTS\n\fother.library/AllocVec\n   NAME\n\tAllocVec -- gr\xF6\xDF"
                                  "er\n"
                                  "\fother.library/Gr\xF6\xDF"
                                  "e\n   SYNOPSIS\n\tLONG Gr\xF6\xDF"
                                  "e(LONG a, LONG b);\n");
    std::string header = box.Write(
        "a/window.h",
        "/* w */\nstruct Window\n{\n    WORD Left; /* { */\n};\nstruct OpenWindowArgs\n{\n    LONG a;\n};\n");
    std::string base = box.Path("t.qmx");

    LspBase()
    {
        std::string cmd = std::string(VSDOC_PATH) + " base add " + base + " " + exec + " " + header + " " + other;
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
};
}

TEST(LspFraming, MessagesCutAnywhereOrSharingAReadComeOutWhole)
{
    std::string one = Framed("{\"a\":1}"), two = Framed("{\"b\":\"\xC3\xA4\"}");
    MessageReader reader;
    std::string body, fault;
    for (char c : one) {
        EXPECT_NE(reader.Take(body, fault), MessageReader::Next::Message);
        reader.Feed(&c, 1);
    }
    ASSERT_EQ(reader.Take(body, fault), MessageReader::Next::Message);
    EXPECT_EQ(body, "{\"a\":1}");
    std::string both = "Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n" + one + two;
    reader.Feed(both.data(), both.size());
    ASSERT_EQ(reader.Take(body, fault), MessageReader::Next::Message);
    EXPECT_EQ(body, "{\"a\":1}");
    ASSERT_EQ(reader.Take(body, fault), MessageReader::Next::Message);
    EXPECT_EQ(body, "{\"b\":\"\xC3\xA4\"}");
    EXPECT_EQ(reader.Take(body, fault), MessageReader::Next::NeedMore);
}

TEST(LspFraming, BrokenHeadersAreReportedAndTheNextMessageStillComes)
{
    for (const std::string &bad :
         {std::string("Content-Type: x\r\n\r\n"), std::string("Content-Length: 1x\r\n\r\n"),
          std::string("Content-Length: -5\r\n\r\n"), std::string("garbage"), std::string(9000, 'z') + "\r\n\r\n"}) {
        MessageReader reader;
        std::string bytes = bad + "\r\n\r\n" + Framed("{}"), body, fault;
        reader.Feed(bytes.data(), bytes.size());
        EXPECT_EQ(reader.Take(body, fault), MessageReader::Next::BadFrame) << bad.substr(0, 40);
        EXPECT_FALSE(fault.empty());
        MessageReader::Next next;
        while ((next = reader.Take(body, fault)) == MessageReader::Next::BadFrame) {
        }
        EXPECT_EQ(next, MessageReader::Next::Message) << bad.substr(0, 40);
        EXPECT_EQ(body, "{}");
    }
}

TEST(LspFraming, ABodyOver64MBIsRefusedAndPassedOver)
{
    MessageReader reader;
    std::string header = "Content-Length: " + std::to_string((64 << 20) + 1) + "\r\n\r\n", chunk(1 << 20, '{'), body,
                fault;
    reader.Feed(header.data(), header.size());
    EXPECT_EQ(reader.Take(body, fault), MessageReader::Next::BadFrame);
    for (int i = 0; i < 64; ++i)
        reader.Feed(chunk.data(), chunk.size());
    std::string rest = "{" + Framed("[]");
    reader.Feed(rest.data(), rest.size());
    ASSERT_EQ(reader.Take(body, fault), MessageReader::Next::Message);
    EXPECT_EQ(body, "[]");
}

TEST(LspWords, TheWordUnderTheCursorTheWordBeforeItAndTheCall)
{
    std::string text = kSource;
    EXPECT_EQ(WordAt(text, text.find("struct") + 2), "Window");
    EXPECT_EQ(WordAt(text, text.find("IExec") + 1), "AllocVec");
    EXPECT_EQ(WordAt(text, text.find("MEMF_ANY") + 8), "MEMF_ANY");
    EXPECT_EQ(WordAt(text, text.find("(64") + 1), "") << "a number is no name";
    EXPECT_EQ(WordBefore(text, text.find("OpenWin") + 7), "OpenWin");
    EXPECT_EQ(WordBefore(text, text.find("= OpenWin") + 1), "");
    CallSite call = CallAt(text, text.find("MEMF_ANY"));
    EXPECT_EQ(call.function, "AllocVec");
    EXPECT_EQ(call.argument, 1);
    EXPECT_EQ(CallAt(text, text.find("OpenWin")).function, "") << "a statement's end stops the look back";
}

TEST(LspServer, BadMessagesGetTheirErrorsAndTheServerGoesOn)
{
    LspBase b;
    LanguageServer server({b.base});
    std::vector<Message> batch = {
        ReadMessage("{not json"), ReadMessage("[1,2]"), ReadMessage("{\"jsonrpc\":\"2.0\",\"id\":{}}"),
        ReadMessage("{\"jsonrpc\":\"2.0\",\"method\":\"x\",\"params\":\"s\",\"id\":3}"),
        ReadMessage("{\"jsonrpc\":\"2.0\",\"id\":4,\"method\":\"t\",\"params\":{\"u\":\"\xFF\"}}")};
    std::vector<Json> answers = Unframed(server.Receive(batch));
    ASSERT_EQ(answers.size(), 5u);
    EXPECT_EQ(ErrorCode(answers[0]), -32700);
    EXPECT_EQ(ErrorCode(answers[1]), -32600);
    EXPECT_EQ(ErrorCode(answers[2]), -32600);
    EXPECT_EQ(answers[3]["id"], 3) << "the id is kept when it can be told";
    EXPECT_EQ(ErrorCode(answers[4]), -32700) << "invalid UTF-8 is no JSON";
    answers = Send(server,
                   {Req(5, "textDocument/hover", At(0, 0)), Req(6, "initialize"), Req(7, "initialize"),
                    Req(8, "no/such"), Req(9, "textDocument/hover", At(0, 0)),
                    Note("textDocument/didOpen", {{"textDocument", {{"uri", "file:///t.c"}, {"text", kSource}}}}),
                    Req(10, "textDocument/hover", At(40, 0)), Req(11, "textDocument/hover", {{"position", 3}})});
    ASSERT_EQ(answers.size(), 7u);
    EXPECT_EQ(ErrorCode(answers[0]), -32002);
    EXPECT_TRUE(answers[1]["result"].contains("capabilities"));
    EXPECT_EQ(ErrorCode(answers[2]), -32600);
    EXPECT_EQ(ErrorCode(answers[3]), -32601);
    EXPECT_EQ(ErrorCode(answers[4]), -32602) << "a document not open";
    EXPECT_EQ(ErrorCode(answers[5]), -32602) << "a line past the end";
    EXPECT_EQ(ErrorCode(answers[6]), -32602);
    EXPECT_EQ(Send(server, {Req(12, "textDocument/hover", At(3, 999))})[0]["result"], nullptr)
        << "a character past the line's end is its end";
}

TEST(LspServer, HoverDefinitionCompletionAndSignatureFromTheBase)
{
    LspBase b;
    LanguageServer server({b.base});
    Send(server, {Req(1, "initialize"),
                  Note("textDocument/didOpen", {{"textDocument", {{"uri", "file:///t.c"}, {"text", kSource}}}})});
    std::string hover = Send(server, {Req(2, "textDocument/hover", At(3, 21))})[0]["result"]["contents"]["value"];
    EXPECT_EQ(
        hover,
        "**AllocVec -- get memory**\n\n\n```c\nAPTR AllocVec(ULONG size, ULONG flags);\n```\n\n"
        "#### FUNCTION\nGives \\*memory\\*.  \n\n#### EXAMPLE\n```c\np = AllocVec(8, 0);\n```\n\n\n---\n*exec.doc*\n");
    std::vector<Json> definition = Send(
        server, {Req(3, "textDocument/definition", At(3, 21)), Req(4, "textDocument/definition", At(2, 6))});
    ASSERT_EQ(definition[0]["result"].size(), 2u) << "both AllocVecs, the lookup's first";
    EXPECT_EQ(definition[0]["result"][0]["uri"], "file://" + b.exec);
    EXPECT_EQ(definition[0]["result"][0]["range"]["start"]["line"], 1) << "the heading";
    EXPECT_EQ(definition[0]["result"][1]["uri"], "file://" + b.other);
    EXPECT_EQ(definition[1]["result"][0]["range"]["start"]["line"], 1) << "the structure's line";
    std::string window = Send(server, {Req(5, "textDocument/hover", At(2, 13))})[0]["result"]["contents"]["value"];
    EXPECT_EQ(window, "```c\nstruct Window\n{\n    WORD Left; /* { */\n};\n```\n\n---\n*window.h*\n");
    Json completion = Send(server, {Req(6, "textDocument/completion", At(2, 30))})[0]["result"];
    EXPECT_EQ(completion["isIncomplete"], false);
    ASSERT_EQ(completion["items"].size(), 1u);
    EXPECT_EQ(completion["items"][0]["label"], "OpenWindowArgs");
    EXPECT_EQ(completion["items"][0]["kind"], 22);
    EXPECT_EQ(completion["items"][0]["detail"], "window.h");
    EXPECT_EQ(completion["items"][0]["documentation"]["value"],
              "```c\nstruct OpenWindowArgs\n{\n    LONG a;\n};\n```\n");
    EXPECT_EQ(Send(server, {Req(7, "textDocument/completion", At(2, 22))})[0]["result"]["items"].size(), 0u)
        << "no word";
    Json help = Send(server, {Req(8, "textDocument/signatureHelp", At(4, 15))})[0]["result"];
    EXPECT_EQ(help["signatures"][0]["label"], "LONG Gr\xC3\xB6\xC3\x9F"
                                              "e(LONG a, LONG b)")
        << "Latin-1 read as UTF-8";
    EXPECT_EQ(help["signatures"][0]["parameters"][1]["label"], Json::array({19, 25}));
    EXPECT_EQ(help["activeParameter"], 1);
    Json symbols = Send(server, {Req(9, "workspace/symbol", {{"query", "allocv"}})})[0]["result"];
    EXPECT_EQ(symbols.size(), 2u);
    std::remove(b.exec.c_str());
    LanguageServer after({b.base});
    Send(after, {Req(1, "initialize"),
                 Note("textDocument/didOpen", {{"textDocument", {{"uri", "file:///t.c"}, {"text", kSource}}}})});
    EXPECT_EQ(Send(after, {Req(2, "textDocument/hover", At(3, 21))})[0]["result"]["contents"]["value"],
              "*" + b.exec + "* could not be read.");
}

TEST(LspServer, CompletionIsCutAt200AndCancelledRequestsAnswerSo)
{
    LspBase b;
    std::string many = "TABLE OF CONTENTS\n";
    for (int i = 0; i < 205; ++i)
        many += "\fm.library/Tag" + std::to_string(i) + "\n   NAME\n\tTag\n";
    std::string base = b.box.Path("many.qmx");
    ASSERT_EQ(std::system((std::string(VSDOC_PATH) + " base add " + base + " " + b.box.Write("m.doc", many)).c_str()),
              0);
    LanguageServer server({base, b.box.Path("missing.qmx")});
    std::vector<Json> answers = Send(
        server, {Req(1, "initialize"),
                 Note("textDocument/didOpen", {{"textDocument", {{"uri", "file:///m.c"}, {"text", "tag"}}}})});
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[1]["method"], "window/showMessage") << "the base that could not be opened";
    Json completion = Send(server, {Req(2, "textDocument/completion", At(0, 3, "file:///m.c"))})[0]["result"];
    EXPECT_EQ(completion["isIncomplete"], true);
    EXPECT_EQ(completion["items"].size(), 200u);
    EXPECT_FALSE(completion["items"][5].contains("documentation")) << "a long list's items are resolved one by one";
    Json resolved = Send(server, {Req(20, "completionItem/resolve", completion["items"][5])})[0]["result"];
    EXPECT_EQ(resolved["label"], completion["items"][5]["label"]);
    EXPECT_TRUE(resolved.contains("documentation"));
    Json forged = completion["items"][5];
    forged["data"] = Json::array({7, 0});
    EXPECT_EQ(ErrorCode(Send(server, {Req(21, "completionItem/resolve", forged)})[0]), -32602);
    answers = Send(server,
                   {Req(3, "textDocument/completion", At(0, 3, "file:///m.c")), Note("$/cancelRequest", {{"id", 3}}),
                    Req(4, "shutdown"), Req(5, "textDocument/hover", At(0, 0, "file:///m.c")), Note("exit")});
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(ErrorCode(answers[0]), -32800);
    EXPECT_EQ(answers[1]["result"], nullptr);
    EXPECT_EQ(ErrorCode(answers[2]), -32600) << "after shutdown";
    EXPECT_TRUE(server.Exited());
    EXPECT_EQ(server.ExitCode(), 0);
}

TEST(LspServer, WithoutABaseItRunsAndSaysHowToNameOne_OrTakesTheClientsOrTheLastOne)
{
    LspBase b;
    LanguageServer none({});
    std::vector<Json> answers = Send(none, {Req(1, "initialize")});
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_NE(answers[1]["params"]["message"].get<std::string>().find("--base"), std::string::npos);
    EXPECT_EQ(Send(none, {Req(2, "workspace/symbol", {{"query", ""}})})[0]["result"].size(), 0u);
    Dataspace state;
    state.Add(OBJID_LastBase, b.base);
    ASSERT_TRUE(EnvStoreWrite("Vellumscanner", "state", false, state));
    LanguageServer last({});
    EXPECT_EQ(Send(last, {Req(1, "initialize")}).size(), 1u) << "the last base opened, nothing to say";
    EXPECT_EQ(Send(last, {Req(2, "workspace/symbol", {{"query", "window"}})})[0]["result"].size(), 2u);
}

TEST(LspServer, TheLoopAnswersWhatComesThroughAFileDescriptorAndEndsWithExit)
{
    LspBase b;
    std::string in = b.box.Write(
        "in",
        "garbage\r\n\r\n" + Framed(Body(Req(1, "initialize", {{"initializationOptions", {{"bases", {b.base}}}}}))) +
            Framed(Body(Req(2, "workspace/symbol",
                            {{"query", "Gr\xC3\xB6\xC3\x9F"
                                       "e"}}))) +
            Framed("{\"jsonrpc\":\"2.0\",\"method\":\"exit\",\"params\":null}") + Framed(Body(Req(3, "shutdown"))));
    int inFd = open(in.c_str(), O_RDONLY), outFd = open(b.box.Path("out").c_str(), O_WRONLY | O_CREAT, 0600);
    LanguageServer server({});
    EXPECT_EQ(RunLanguageServer(server, inFd, outFd), 1) << "exit without shutdown";
    close(inFd);
    close(outFd);
    std::vector<Json> answers = Unframed(ReadAll(b.box.Path("out")));
    ASSERT_EQ(answers.size(), 3u) << "nothing after exit";
    EXPECT_EQ(ErrorCode(answers[0]), -32700);
    EXPECT_EQ(answers[2]["result"][0]["name"], "Gr\xC3\xB6\xC3\x9F"
                                               "e");
}

TEST(LspCommandLine, BasesInOrderAndNothingElse)
{
    VsdocArgs args;
    std::string error;
    ASSERT_TRUE(ParseVsdocArgs({"lsp", "--base", "a.qmx", "--base", "b c.qmx"}, args, error)) << error;
    EXPECT_EQ(args.bases, (std::vector<std::string>{"a.qmx", "b c.qmx"}));
    VsdocArgs more;
    EXPECT_FALSE(ParseVsdocArgs({"lsp", "a.qmx"}, more, error));
    EXPECT_FALSE(ParseVsdocArgs({"lsp", "--base"}, more, error));
    EXPECT_NE(error.find("--base needs a base"), std::string::npos);
}
