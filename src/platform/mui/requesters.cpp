#include "requesters.h"

#include "../dos/format.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <utility>

namespace {
RequesterBackend *backend = nullptr;
UnattendedRequests *unattended = nullptr;

// The file requester as the program sees it, with the storage behind its fields.
struct FullRequester {
    FileRequester pub{};
    FileRequestSpec spec;
    Hook *intuiMsgFunc = nullptr;
    std::string file, drawer;
    std::deque<std::string> names;
    std::vector<WBArg> args;
};

void ApplyTags(FullRequester *r, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        const char *s = reinterpret_cast<const char *>(t->ti_Data);
        switch (t->ti_Tag) {
        case ASLFR_TitleText: r->spec.title = s ? s : ""; break;
        case ASLFR_InitialFile: r->spec.file = s ? s : ""; break;
        case ASLFR_InitialDrawer: r->spec.drawer = s ? s : ""; break;
        case ASLFR_InitialPattern: r->spec.pattern = s ? s : ""; break;
        case ASLFR_PatternName: r->spec.patternName = s ? s : ""; break;
        case ASLFR_AllFilesFirst: r->spec.allFilesFirst = t->ti_Data != 0; break;
        case ASLFR_DoSaveMode: r->spec.save = t->ti_Data != 0; break;
        case ASLFR_DoMultiSelect: r->spec.multiSelect = t->ti_Data != 0; break;
        case ASLFR_RejectIcons: r->spec.rejectIcons = t->ti_Data != 0; break;
        case ASLFR_Flags1:
            r->spec.save = (t->ti_Data & FRF_DOSAVEMODE) != 0;
            r->spec.multiSelect = (t->ti_Data & FRF_DOMULTISELECT) != 0;
            break;
        case ASLFR_Flags2: r->spec.rejectIcons = (t->ti_Data & FRF_REJECTICONS) != 0; break;
        case ASLFR_UserData: r->pub.fr_UserData = reinterpret_cast<APTR>(t->ti_Data); break;
        case ASLFR_IntuiMsgFunc: r->intuiMsgFunc = reinterpret_cast<Hook *>(t->ti_Data); break;
        }
    }
}

void StoreResult(FullRequester *r, const FileRequestResult &result)
{
    r->drawer = result.drawer;
    r->file = result.files.empty() ? std::string() : result.files.front();
    r->names.assign(result.files.begin(), result.files.end());
    r->args.clear();
    for (std::string &n : r->names)
        r->args.push_back(WBArg{nullptr, n.data()});
    r->pub.fr_File = r->file.data();
    r->pub.fr_Drawer = r->drawer.data();
    r->pub.fr_NumArgs = r->spec.multiSelect ? LONG(r->args.size()) : 0;
    r->pub.fr_ArgList = r->args.empty() ? nullptr : r->args.data();
}
}

void SetRequesterBackend(RequesterBackend *b) { backend = b; }
RequesterBackend *CurrentRequesterBackend() { return backend; }

void ShowNotice(const std::string &text)
{
    if (backend)
        backend->Notice(text);
}

UnattendedRequests::UnattendedRequests() : outer_(std::exchange(unattended, this)) {}
UnattendedRequests::~UnattendedRequests() { unattended = outer_; }
const UnattendedRequests *CurrentUnattendedRequests() { return unattended; }

LONG MUI_RequestA(Object *, Object *, ULONG, CONST_STRPTR title, CONST_STRPTR buttons, CONST_STRPTR format,
                  const IPTR *args, int argCount)
{
    std::string text = VFormat(format, args, argCount);
    if (unattended) {
        ++unattended->count_;
        unattended->last_ = text;
        ShowNotice(text);
        return 0;
    }
    if (backend)
        return backend->Request(title ? title : "", buttons ? buttons : "", text);
    std::fprintf(stderr, "%s\n", text.c_str());
    return 0;
}

FileRequester *MUI_AllocAslRequest(IPTR type, TagItem *tags)
{
    if (type != ASL_FileRequest)
        return nullptr;
    auto *r = new FullRequester;
    ApplyTags(r, tags);
    r->drawer = r->spec.drawer;
    r->file = r->spec.file;
    r->pub.fr_File = r->file.data();
    r->pub.fr_Drawer = r->drawer.data();
    return &r->pub;
}

BOOL MUI_AslRequest(FileRequester *req, TagItem *tags)
{
    if (!req || !backend || unattended)
        return FALSE;
    auto *r = reinterpret_cast<FullRequester *>(req);
    ApplyTags(r, tags);
    FileRequestResult result;
    bool chosen = backend->FileRequest(r->spec, result);
    if (chosen)
        StoreResult(r, result);
    // The dialog is gone: the windows it covered want redrawing.
    IntuiMessage refresh = {IDCMP_REFRESHWINDOW};
    CallHookPkt(r->intuiMsgFunc, &refresh, req);
    return chosen;
}

void MUI_FreeAslRequest(FileRequester *req) { delete reinterpret_cast<FullRequester *>(req); }
