// The entries of the loaded bases, sorted by name (case ignored) for the
// server's look-ups: the entries that bear a name, that start with a text,
// that contain one. Entries of one name keep the tree's order, so the first
// is the one the base lookup finds.
#pragma once
#include "base/records.h"

#include <cstdint>
#include <string_view>
#include <vector>

enum class EntryKind { Function, Structure, Method, Node, Text };
// What a document's entries are, told by the caption its type gives it.
EntryKind KindOfDocument(const Baza *doc);

struct EntryRef {
    const Baza *doc;
    const Doc *entry;
    uint32_t docNr = 0, entryNr = 0;   // the document's place in tree order, the entry's in its document
};

// The name an entry is looked up by: up to its first blank or control byte;
// an interface method's without its interface ("main/OpenScroll").
std::string_view EntryKey(const Baza *doc, const Doc *entry);

class EntryIndex {
public:
    // The documents in tree order.
    void Build(const std::vector<const Baza *> &documents);
    bool Built() const { return built_; }
    size_t Size() const { return sorted_.size(); }
    // Every entry of that name, case ignored, in tree order; a UTF-8 word
    // is tried in Latin-1 too.
    std::vector<EntryRef> Named(std::string_view word) const;
    // Entries whose name starts with prefix (case ignored), in name order;
    // cut tells that there were more than max.
    std::vector<EntryRef> Starting(std::string_view prefix, size_t max, bool &cut) const;
    // The entry a completion item named by its numbers; false when there is none.
    bool At(uint32_t docNr, uint32_t entryNr, EntryRef &ref) const;
    // Entries whose name contains part (case ignored), at most max.
    std::vector<EntryRef> Containing(std::string_view part, size_t max) const;

private:
    struct Item {
        const Doc *entry;
        uint32_t order;   // the place in tree order
        uint32_t doc;
    };
    std::string_view Key(const Item &item) const;
    EntryRef Ref(const Item &item) const
    {
        return {docs_[item.doc], item.entry, item.doc, item.order - firstOrder_[item.doc]};
    }
    std::pair<size_t, size_t> PrefixRange(std::string_view prefix) const;
    std::vector<Item> NamedItems(std::string_view word) const;

    std::vector<const Baza *> docs_;
    std::vector<bool> methods_;          // per document: its entries are interface methods
    std::vector<uint32_t> firstOrder_;   // per document: its first entry's place in tree order
    std::vector<Item> sorted_;
    bool built_ = false;
};
