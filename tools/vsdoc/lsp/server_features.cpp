// The answers about the word under the cursor: hover, definition,
// completion and signature help.
#include "server.h"

#include "markdown.h"
#include "platform/utility/charset.h"
#include "search/targets.h"
#include "signature.h"
#include "words.h"

namespace {
constexpr size_t kMaxCompletions = 200;
constexpr size_t kDocumentedCompletions = 20;
constexpr size_t kKeptSynopses = 4096;

int CompletionKind(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Function: return 3;     // Function
    case EntryKind::Structure: return 22;   // Struct
    case EntryKind::Method: return 2;       // Method
    case EntryKind::Node: return 18;        // Reference
    default: return 1;                      // Text
    }
}

Json Markdown(const std::string &text) { return {{"kind", "markdown"}, {"value", text}}; }

// The UTF-16 length of UTF-8 text: where a parameter starts in a label.
size_t Utf16Units(const std::string &text, size_t bytes)
{
    size_t units = 0;
    for (size_t i = 0; i < bytes && i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        units += (c & 0xC0) != 0x80 ? (c >= 0xF0 ? 2 : 1) : 0;
    }
    return units;
}
}

std::vector<std::string> LanguageServer::EntryLines(const EntryRef &ref, size_t maxLines, bool synopsisOnly)
{
    std::vector<std::string> lines;
    reader_.Lines(ref, maxLines, lines, synopsisOnly);
    return lines;
}

const std::string &LanguageServer::Synopsis(const EntryRef &ref)
{
    auto it = synopses_.find(ref.entry);
    if (it != synopses_.end())
        return it->second;
    if (synopses_.size() >= kKeptSynopses)
        synopses_.clear();
    return synopses_[ref.entry] = SynopsisMarkdown(ref, EntryLines(ref, 400, true));
}

// The entries named by the word under the cursor, the lookup's first.
std::vector<EntryRef> LanguageServer::EntriesAtCursor(const Message &msg, int &code, std::string &fault)
{
    size_t offset;
    const std::string *text = TextAt(msg, offset, code, fault);
    return text ? Index().Named(WordAt(*text, offset)) : std::vector<EntryRef>();
}

Json LanguageServer::Hover(const Message &msg, int &code, std::string &fault)
{
    std::vector<EntryRef> found = EntriesAtCursor(msg, code, fault);
    if (found.empty())
        return nullptr;
    std::vector<std::string> lines = EntryLines(found[0]);
    if (lines.empty())   // the document moved or went since the base was built
        return {{"contents", Markdown("*" + EscapedMarkdown(DocumentPath(found[0].doc)) + "* could not be read.")}};
    return {{"contents", Markdown(HoverMarkdown(found[0], lines))}};
}

Json LanguageServer::Definition(const Message &msg, int &code, std::string &fault)
{
    std::vector<EntryRef> found = EntriesAtCursor(msg, code, fault);
    if (found.empty())
        return nullptr;
    Json locations = Json::array();
    for (const EntryRef &ref : found)
        locations.push_back(LocationOf(ref));
    return locations;
}

// An item names its entry by numbers the resolve request brings back; its
// documentation comes with it when the list is short, else when the editor
// resolves the item it shows (reading two hundred entries' synopses would
// keep a long list waiting).
Json LanguageServer::CompletionItem(const EntryRef &ref, bool documented)
{
    Json item = {{"label", HostText(std::string(EntryKey(ref.doc, ref.entry)).c_str())},
                 {"kind", CompletionKind(KindOfDocument(ref.doc))},
                 {"detail", HostText(ref.doc->Name)},
                 {"data", {ref.docNr, ref.entryNr}}};
    if (documented)
        item["documentation"] = Markdown(Synopsis(ref));
    return item;
}

Json LanguageServer::Completion(const Message &msg, int &code, std::string &fault)
{
    size_t offset;
    const std::string *text = TextAt(msg, offset, code, fault);
    if (!text)
        return nullptr;
    bool cut = false;
    std::vector<EntryRef> found = Index().Starting(WordBefore(*text, offset), kMaxCompletions, cut);
    Json items = Json::array();
    for (const EntryRef &ref : found)
        items.push_back(CompletionItem(ref, found.size() <= kDocumentedCompletions));
    return {{"isIncomplete", cut}, {"items", std::move(items)}};
}

Json LanguageServer::ResolveCompletion(const Message &msg, int &code, std::string &fault)
{
    const Json *data = Member(msg.params, "data");
    EntryRef ref;
    bool named = data && data->is_array() && data->size() == 2 && (*data)[0].is_number_unsigned() &&
                 (*data)[1].is_number_unsigned() &&
                 Index().At((*data)[0].get<uint32_t>(), (*data)[1].get<uint32_t>(), ref);
    if (!named) {
        code = rpc::kInvalidParams, fault = "the item names no entry of the base";
        return nullptr;
    }
    return CompletionItem(ref, true);
}

Json LanguageServer::SignatureHelp(const Message &msg, int &code, std::string &fault)
{
    size_t offset;
    const std::string *text = TextAt(msg, offset, code, fault);
    CallSite call = text ? CallAt(*text, offset) : CallSite();
    std::vector<EntryRef> found = call.function.empty() ? std::vector<EntryRef>() : Index().Named(call.function);
    Prototype prototype;
    if (found.empty() || !FindPrototype(found[0], call.function, EntryLines(found[0]), prototype))
        return nullptr;
    Json parameters = Json::array();
    for (auto [begin, end] : prototype.parameters)
        parameters.push_back({{"label", {Utf16Units(prototype.label, begin), Utf16Units(prototype.label, end)}}});
    int active = prototype.parameters.empty() ? 0 : std::min<int>(call.argument, int(prototype.parameters.size()) - 1);
    Json signature = {{"label", prototype.label},
                      {"documentation", Markdown(Synopsis(found[0]))},
                      {"parameters", std::move(parameters)},
                      {"activeParameter", active}};
    return {{"signatures", {std::move(signature)}}, {"activeSignature", 0}, {"activeParameter", active}};
}
