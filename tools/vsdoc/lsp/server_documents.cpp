// The editor's texts: kept whole as each didOpen and didChange sends them.
#include "server.h"

namespace {
const Json &TextDocument(const Message &msg)
{
    static const Json none = Json::object();
    const Json *doc = Member(msg.params, "textDocument");
    return doc ? *doc : none;
}
}

void LanguageServer::DidOpen(const Message &msg)
{
    const Json &doc = TextDocument(msg);
    const Json *text = Member(doc, "text");
    std::string uri = StringMember(doc, "uri");
    if (!uri.empty() && text && text->is_string())
        texts_.Set(uri, text->get<std::string>());
}

// Full sync: the last change holds the whole text.
void LanguageServer::DidChange(const Message &msg)
{
    std::string uri = StringMember(TextDocument(msg), "uri");
    const Json *changes = Member(msg.params, "contentChanges");
    if (uri.empty() || !changes || !changes->is_array() || changes->empty())
        return;
    const Json *text = Member(changes->back(), "text");
    if (text && text->is_string())
        texts_.Set(uri, text->get<std::string>());
}

void LanguageServer::DidClose(const Message &msg) { texts_.Close(StringMember(TextDocument(msg), "uri")); }

const std::string *LanguageServer::TextAt(const Message &msg, size_t &offset, int &code, std::string &fault) const
{
    const std::string *text = texts_.Text(StringMember(TextDocument(msg), "uri"));
    const Json *position = Member(msg.params, "position");
    long line = -1, character = -1;
    if (!text) {
        code = rpc::kInvalidParams, fault = "the document is not open";
    } else if (!position || !NumberMember(*position, "line", line) ||
               !NumberMember(*position, "character", character) || !OffsetOf(*text, line, character, offset)) {
        code = rpc::kInvalidParams, fault = "the position is outside the text";
        text = nullptr;
    }
    return text;
}
