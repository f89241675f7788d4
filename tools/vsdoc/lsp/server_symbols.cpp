// Where entries are: file URIs and lines, for definition and workspace
// symbols.
#include "server.h"

#include "platform/utility/charset.h"
#include "search/targets.h"

namespace {
constexpr size_t kMaxSymbols = 500;

// A path as a file URI: its bytes kept, those a URI may not hold as they
// are written as %XX.
std::string FileUri(const std::string &path)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : path) {
        bool plain = std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            uri += char(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

int SymbolKind(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Function: return 12;    // Function
    case EntryKind::Structure: return 23;   // Struct
    case EntryKind::Method: return 6;       // Method
    case EntryKind::Node: return 15;        // String: a guide's text
    default: return 1;                      // File
    }
}
}

Json LanguageServer::LocationOf(const EntryRef &ref)
{
    long line = reader_.DefinitionLine(ref);
    Json position = {{"line", line}, {"character", 0}};
    return {{"uri", FileUri(DocumentPath(ref.doc))}, {"range", {{"start", position}, {"end", position}}}};
}

Json LanguageServer::WorkspaceSymbol(const Message &msg, int &, std::string &)
{
    Json symbols = Json::array();
    for (const EntryRef &ref : Index().Containing(StringMember(msg.params, "query"), kMaxSymbols))
        symbols.push_back({{"name", HostText(std::string(EntryKey(ref.doc, ref.entry)).c_str())},
                           {"kind", SymbolKind(KindOfDocument(ref.doc))},
                           {"location", LocationOf(ref)},
                           {"containerName", HostText(ref.doc->Name)}});
    return symbols;
}
