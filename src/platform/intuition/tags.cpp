#include "tags.h"

TagItem *NextTagItem(TagItem **list)
{
    if (!list)
        return nullptr;
    for (TagItem *t = *list; t;) {
        switch (t->ti_Tag) {
        case TAG_DONE: *list = nullptr; return nullptr;
        case TAG_IGNORE: ++t; break;
        case TAG_MORE: t = reinterpret_cast<TagItem *>(t->ti_Data); break;
        case TAG_SKIP: t += 1 + t->ti_Data; break;
        default: *list = t + 1; return t;
        }
    }
    *list = nullptr;
    return nullptr;
}

TagItem *FindTagItem(Tag tag, const TagItem *list)
{
    TagItem *walk = const_cast<TagItem *>(list);
    while (TagItem *t = NextTagItem(&walk))
        if (t->ti_Tag == tag)
            return t;
    return nullptr;
}

IPTR GetTagData(Tag tag, IPTR defaultValue, const TagItem *list)
{
    TagItem *t = FindTagItem(tag, list);
    return t ? t->ti_Data : defaultValue;
}
