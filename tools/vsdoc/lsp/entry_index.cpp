#include "entry_index.h"

#include "util/names.h"

#include <algorithm>
#include <cstring>

namespace {
unsigned char Folded(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? u | 0x20 : u;
}

// <0, 0, >0 over the first n bytes of a (n = its length when shorter).
int CompareFolded(std::string_view a, std::string_view b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (Folded(a[i]) != Folded(b[i]))
            return Folded(a[i]) < Folded(b[i]) ? -1 : 1;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool StartsFolded(std::string_view key, std::string_view prefix)
{
    return key.size() >= prefix.size() && CompareFolded(key.substr(0, prefix.size()), prefix) == 0;
}

bool ContainsFolded(std::string_view key, std::string_view part)
{
    for (size_t at = 0; at + part.size() <= key.size(); ++at)
        if (StartsFolded(key.substr(at), part))
            return true;
    return false;
}

// Names worth offering start with a letter, a digit, "_" or a byte of a
// wider character; a guide's header entries (a text code first) and the
// whole-file entry do not.
bool Offered(std::string_view key)
{
    if (key.empty())
        return false;
    unsigned char c = static_cast<unsigned char>(key[0]);
    return c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || (Folded(char(c)) >= 'a' && Folded(char(c)) <= 'z');
}
}

EntryKind KindOfDocument(const Baza *doc)
{
    const char *caption = doc->Library ? doc->Library : "";
    if (std::strcmp(caption, "struct ...") == 0)
        return EntryKind::Structure;
    if (std::strcmp(caption, "interface/method") == 0)
        return EntryKind::Method;
    if (std::strcmp(caption, "@NODE") == 0)
        return EntryKind::Node;
    const Doc *first = FirstEntry(doc);
    bool whole = first && first->Name && std::strcmp(first->Name, ">> Whole file <<") == 0;
    return *caption || !whole ? EntryKind::Function : EntryKind::Text;
}

namespace {
std::string_view KeyOf(const char *name, bool method)
{
    name = name ? name : "";
    if (method)
        if (const char *slash = std::strrchr(name, '/'))
            name = slash + 1;
    size_t length = 0;
    while (static_cast<unsigned char>(name[length]) > 32)
        ++length;
    return {name, length};
}

bool IsMethodDocument(const Baza *doc) { return doc->Library && std::strcmp(doc->Library, "interface/method") == 0; }
}

std::string_view EntryKey(const Baza *doc, const Doc *entry) { return KeyOf(entry->Name, IsMethodDocument(doc)); }

// The sort compares names a million times: whether a document holds
// methods is looked up, not compared anew.
std::string_view EntryIndex::Key(const Item &item) const { return KeyOf(item.entry->Name, methods_[item.doc]); }

void EntryIndex::Build(const std::vector<const Baza *> &documents)
{
    docs_ = documents;
    methods_.clear();
    for (const Baza *doc : docs_)
        methods_.push_back(IsMethodDocument(doc));
    sorted_.clear();
    firstOrder_.clear();
    uint32_t order = 0;
    for (uint32_t d = 0; d < docs_.size(); ++d) {
        firstOrder_.push_back(order);
        for (const Doc *e = FirstEntry(docs_[d]); e; e = NextEntry(e), ++order)
            if (Offered(KeyOf(e->Name, methods_[d])))
                sorted_.push_back({e, order, d});
    }
    sorted_.shrink_to_fit();
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [this](const Item &a, const Item &b) { return CompareFolded(Key(a), Key(b)) < 0; });
    built_ = true;
}

std::pair<size_t, size_t> EntryIndex::PrefixRange(std::string_view prefix) const
{
    auto begin = std::lower_bound(sorted_.begin(), sorted_.end(), prefix, [this](const Item &item, std::string_view p) {
        return CompareFolded(Key(item), p) < 0;
    });
    auto end = std::upper_bound(begin, sorted_.end(), prefix, [this](std::string_view p, const Item &item) {
        return CompareFolded(p, Key(item).substr(0, p.size())) < 0;
    });
    return {size_t(begin - sorted_.begin()), size_t(end - sorted_.begin())};
}

std::vector<EntryIndex::Item> EntryIndex::NamedItems(std::string_view word) const
{
    std::vector<Item> items;
    if (word.empty())
        return items;
    for (size_t i = PrefixRange(word).first; i < sorted_.size() && CompareFolded(Key(sorted_[i]), word) == 0; ++i)
        items.push_back(sorted_[i]);
    return items;
}

std::vector<EntryRef> EntryIndex::Named(std::string_view word) const
{
    std::vector<Item> items = NamedItems(word);
    std::string other = OtherEncoding(std::string(word).c_str(), word.size());
    if (!other.empty()) {
        std::vector<Item> more = NamedItems(other);
        items.insert(items.end(), more.begin(), more.end());
        std::sort(items.begin(), items.end(), [](const Item &a, const Item &b) { return a.order < b.order; });
    }
    std::vector<EntryRef> refs;
    for (const Item &item : items)
        refs.push_back(Ref(item));
    return refs;
}

std::vector<EntryRef> EntryIndex::Starting(std::string_view prefix, size_t max, bool &cut) const
{
    std::vector<EntryRef> refs;
    cut = false;
    if (prefix.empty())
        return refs;
    auto [begin, end] = PrefixRange(prefix);
    for (size_t i = begin; i < end && refs.size() < max; ++i)
        refs.push_back(Ref(sorted_[i]));
    cut = end - begin > max;
    return refs;
}

bool EntryIndex::At(uint32_t docNr, uint32_t entryNr, EntryRef &ref) const
{
    if (docNr >= docs_.size())
        return false;
    const Doc *e = FirstEntry(docs_[docNr]);
    for (uint32_t n = 0; e && n < entryNr; ++n)
        e = NextEntry(e);
    ref = {docs_[docNr], e, docNr, entryNr};
    return e != nullptr;
}

std::vector<EntryRef> EntryIndex::Containing(std::string_view part, size_t max) const
{
    std::string other = OtherEncoding(std::string(part).c_str(), part.size());
    std::vector<EntryRef> refs;
    for (const Item &item : sorted_) {
        if (refs.size() == max)
            break;
        if (ContainsFolded(Key(item), part) || (!other.empty() && ContainsFolded(Key(item), other)))
            refs.push_back(Ref(item));
    }
    return refs;
}
