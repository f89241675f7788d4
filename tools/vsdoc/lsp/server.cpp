#include "server.h"

#include "framing.h"

#include <set>

LanguageServer::LanguageServer(std::vector<std::string> bases) : commandLineBases_(std::move(bases))
{
    requests_ = {
        {"initialize", &LanguageServer::Initialize},
        {"shutdown", &LanguageServer::Shutdown},
        {"textDocument/hover", &LanguageServer::Hover},
        {"textDocument/definition", &LanguageServer::Definition},
        {"textDocument/completion", &LanguageServer::Completion},
        {"completionItem/resolve", &LanguageServer::ResolveCompletion},
        {"textDocument/signatureHelp", &LanguageServer::SignatureHelp},
        {"workspace/symbol", &LanguageServer::WorkspaceSymbol},
    };
    notifications_ = {
        {"exit", &LanguageServer::Exit},
        {"textDocument/didOpen", &LanguageServer::DidOpen},
        {"textDocument/didChange", &LanguageServer::DidChange},
        {"textDocument/didClose", &LanguageServer::DidClose},
    };
}

void LanguageServer::Send(const Json &message) { out_ += Framed(Serialized(message)); }

std::string LanguageServer::Receive(const std::vector<Message> &batch)
{
    std::set<std::string> cancelled;
    for (const Message &m : batch)
        if (m.kind == Message::Kind::Notification && m.method == "$/cancelRequest")
            if (const Json *id = Member(m.params, "id"))
                cancelled.insert(id->dump());
    for (const Message &m : batch) {
        if (exited_)
            break;
        if (m.kind == Message::Kind::Request && cancelled.count(m.id.dump()))
            Send(ErrorAnswer(m.id, rpc::kRequestCancelled, "cancelled"));
        else if (m.kind == Message::Kind::Request)
            Request(m);
        else if (m.kind == Message::Kind::Notification)
            Notification(m);
        else if (m.kind == Message::Kind::Invalid)
            Send(ErrorAnswer(m.id, m.code, m.fault));
    }
    return std::move(out_);
}

std::string LanguageServer::BadFrame(const std::string &fault)
{
    return Framed(Serialized(ErrorAnswer(nullptr, rpc::kParseError, "broken framing: " + fault)));
}

void LanguageServer::Request(const Message &msg)
{
    auto it = requests_.find(msg.method);
    int code = 0;
    std::string fault;
    if (it == requests_.end()) {
        code = rpc::kMethodNotFound, fault = "unknown method " + msg.method;
    } else if (!initialized_ && msg.method != "initialize") {
        code = rpc::kServerNotInitialized, fault = "initialize comes first";
    } else if (shutdown_) {
        code = rpc::kInvalidRequest, fault = "the server is shut down; only exit is left";
    } else {
        // the handlers read their params by checked look-ups; should one still
        // meet a shape the JSON library refuses, the request fails alone
        try {
            Json result = (this->*it->second)(msg, code, fault);
            if (!code)
                Send(ResultAnswer(msg.id, std::move(result)));
        } catch (const Json::exception &e) {
            code = rpc::kInternalError, fault = e.what();
        }
    }
    if (code)
        Send(ErrorAnswer(msg.id, code, fault));
    for (const Json &note : followUps_)
        Send(note);
    followUps_.clear();
}

// Unknown notifications, those before initialize and the protocol's own
// "$/" ones are passed over, as the protocol asks.
void LanguageServer::Notification(const Message &msg)
{
    auto it = notifications_.find(msg.method);
    if (it != notifications_.end() && (initialized_ || msg.method == "exit"))
        (this->*it->second)(msg);
}

Json LanguageServer::Shutdown(const Message &, int &, std::string &)
{
    shutdown_ = true;
    return nullptr;
}

void LanguageServer::Exit(const Message &) { exited_ = true; }

void LanguageServer::AfterAnswer()
{
    if (initialized_ && !index_.Built())
        index_.Build(documents_);
}

const EntryIndex &LanguageServer::Index()
{
    AfterAnswer();
    return index_;
}
