// Tag lists: arrays of (tag, value) pairs ending in TAG_DONE, with TAG_MORE to
// continue in another list, TAG_IGNORE and TAG_SKIP to step over items.
#pragma once
#include "../exec/types.h"

using Tag = IPTR;

struct TagItem {
    Tag ti_Tag;
    IPTR ti_Data;
};

constexpr Tag TAG_DONE = 0;
constexpr Tag TAG_END = 0;
constexpr Tag TAG_IGNORE = 1;
constexpr Tag TAG_MORE = 2;
constexpr Tag TAG_SKIP = 3;
constexpr Tag TAG_USER = 0x80000000u;

// The next real item of a list, advancing *list past it; null at the end.
TagItem *NextTagItem(TagItem **list);
TagItem *FindTagItem(Tag tag, const TagItem *list);
IPTR GetTagData(Tag tag, IPTR defaultValue, const TagItem *list);


// Calls f with a tag list built on the stack from alternating tags and
// values (pointers or numbers), closed by TAG_DONE.
template <class F, class... A> auto WithTags(F f, A... tags)
{
    static_assert(sizeof...(A) % 2 == 0, "tags come in pairs");
    IPTR cells[] = {ToIPTR(tags)..., TAG_DONE, 0};
    return f(reinterpret_cast<TagItem *>(cells));
}
