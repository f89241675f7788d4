// The language server: reads requests and notifications, answers them from
// the loaded bases and the editor's open texts. One dispatcher sends each
// method to its handler; the transport (stdio_loop) only frames.
#pragma once
#include "entry_index.h"
#include "entry_text.h"
#include "open_texts.h"
#include "rpc.h"

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class LanguageServer {
public:
    // bases: those named on the command line (they win over the client's).
    explicit LanguageServer(std::vector<std::string> bases);

    // The messages of one read, in order; returns what to send, framed. A
    // request that a $/cancelRequest of the same read names is answered
    // as cancelled.
    std::string Receive(const std::vector<Message> &batch);
    // The answer to a broken frame.
    std::string BadFrame(const std::string &fault);
    // Work left for after an answer went out: sorting the names after
    // initialize.
    void AfterAnswer();

    bool Exited() const { return exited_; }
    int ExitCode() const { return shutdown_ ? 0 : 1; }
    size_t OpenTextBytes() const { return texts_.Bytes(); }

private:
    using Handler = Json (LanguageServer::*)(const Message &msg, int &code, std::string &fault);
    using Listener = void (LanguageServer::*)(const Message &msg);

    void Request(const Message &msg);
    void Notification(const Message &msg);
    void Send(const Json &message);
    void LoadBases(const std::vector<std::string> &paths);
    const EntryIndex &Index();

    // lifecycle and documents (server.cpp, server_documents.cpp)
    Json Initialize(const Message &msg, int &code, std::string &fault);
    Json Shutdown(const Message &msg, int &code, std::string &fault);
    void Exit(const Message &msg);
    void DidOpen(const Message &msg);
    void DidChange(const Message &msg);
    void DidClose(const Message &msg);
    // features (server_features.cpp, server_symbols.cpp)
    Json Hover(const Message &msg, int &code, std::string &fault);
    Json Definition(const Message &msg, int &code, std::string &fault);
    Json Completion(const Message &msg, int &code, std::string &fault);
    Json ResolveCompletion(const Message &msg, int &code, std::string &fault);
    Json SignatureHelp(const Message &msg, int &code, std::string &fault);
    Json WorkspaceSymbol(const Message &msg, int &code, std::string &fault);

    // The open text and byte offset a request's params name; null with the
    // error set when the document is not open or the position outside it.
    const std::string *TextAt(const Message &msg, size_t &offset, int &code, std::string &fault) const;
    std::vector<EntryRef> EntriesAtCursor(const Message &msg, int &code, std::string &fault);
    std::vector<std::string> EntryLines(const EntryRef &ref, size_t maxLines = 400, bool synopsisOnly = false);
    const std::string &Synopsis(const EntryRef &ref);
    Json LocationOf(const EntryRef &ref);
    Json CompletionItem(const EntryRef &ref, bool documented);

    std::vector<std::string> commandLineBases_;
    std::map<std::string, Handler> requests_;
    std::map<std::string, Listener> notifications_;
    std::string out_;
    std::vector<Json> followUps_;   // notifications that go out after the answer being made
    bool initialized_ = false, shutdown_ = false, exited_ = false;
    OpenTexts texts_;
    std::vector<const Baza *> documents_;
    EntryIndex index_;
    EntryReader reader_;
    std::unordered_map<const Doc *, std::string> synopses_;   // completion's documentation, kept a while
};
