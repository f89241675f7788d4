// Requesters: a message with buttons, and the file requester. Both go through
// one small interface: dialogs in the window program, a scripted responder in
// tests, and without either a line on standard error (the answer is then the
// last button, the one that changes nothing).
#pragma once
#include "../icon/workbench.h"
#include "mui.h"

#include <string>
#include <vector>

struct FileRequestSpec {
    std::string title;
    std::string drawer;
    std::string file;
    std::string pattern;          // a shell pattern such as "#?.(doc|h|xml|guide)", or empty
    std::string patternName;      // what the files the pattern picks are called ("Documents")
    bool allFilesFirst = false;   // the requester opens showing every file, the pattern a choice
    bool save = false;
    bool multiSelect = false;
    bool rejectIcons = false;
};

struct FileRequestResult {
    std::string drawer;
    std::vector<std::string> files;
};

struct RequesterBackend {
    virtual ~RequesterBackend() = default;
    // Returns 1 for the first button, 2 for the next, ..., 0 for the last.
    virtual LONG Request(const std::string &title, const std::string &buttons, const std::string &text) = 0;
    // False when cancelled.
    virtual bool FileRequest(const FileRequestSpec &spec, FileRequestResult &result) = 0;
    // A line in the window that waits for nobody; a backend without a
    // window has nowhere to show it.
    virtual void Notice(const std::string &) {}
};

void SetRequesterBackend(RequesterBackend *backend);
RequesterBackend *CurrentRequesterBackend();
// Shows text as a notice in the window, when there is one to show it.
void ShowNotice(const std::string &text);

// A command from another program cannot wait for a person. While one of
// these lives, a requester opens no window: its text is kept and shown as a
// notice, and its answer is the last button, the one that changes nothing;
// a file requester is cancelled.
class UnattendedRequests {
public:
    UnattendedRequests();
    ~UnattendedRequests();
    UnattendedRequests(const UnattendedRequests &) = delete;
    UnattendedRequests &operator=(const UnattendedRequests &) = delete;
    // How many requesters came meanwhile, and the last one's text.
    size_t Count() const { return count_; }
    const std::string &Text() const { return last_; }

private:
    friend LONG MUI_RequestA(Object *, Object *, ULONG, CONST_STRPTR, CONST_STRPTR, CONST_STRPTR, const IPTR *, int);
    UnattendedRequests *outer_;
    size_t count_ = 0;
    std::string last_;
};
// The requesters of the command running now, null when a person is there to answer them.
const UnattendedRequests *CurrentUnattendedRequests();

LONG MUI_RequestA(Object *app, Object *win, ULONG flags, CONST_STRPTR title, CONST_STRPTR buttons, CONST_STRPTR format,
                  const IPTR *args, int argCount);
template <class... A>
LONG MUI_Request(Object *app, Object *win, ULONG flags, CONST_STRPTR title, CONST_STRPTR buttons, CONST_STRPTR format,
                 A... args)
{
    IPTR cells[] = {ToIPTR(args)..., 0};
    return MUI_RequestA(app, win, flags, title, buttons, format, cells, int(sizeof...(A)));
}

// ---- the file requester
struct FileRequester {
    STRPTR fr_File;
    STRPTR fr_Drawer;
    LONG fr_NumArgs;
    WBArg *fr_ArgList;
    APTR fr_UserData;
};

constexpr IPTR ASL_FileRequest = 0;
constexpr IPTR ASLFR_TitleText = 0x80080001;
constexpr IPTR ASLFR_Window = 0x80080002;
constexpr IPTR ASLFR_InitialFile = 0x80080008;
constexpr IPTR ASLFR_InitialDrawer = 0x80080009;
constexpr IPTR ASLFR_InitialPattern = 0x8008000a;
constexpr IPTR ASLFR_Flags1 = 0x80080014;
constexpr IPTR ASLFR_Flags2 = 0x80080016;
constexpr IPTR ASLFR_UserData = 0x80080034;
constexpr IPTR ASLFR_IntuiMsgFunc = 0x80080046;
constexpr IPTR ASLFR_PrivateIDCMP = 0x8008002d;
constexpr IPTR ASLFR_DoSaveMode = 0x8008002c;
constexpr IPTR ASLFR_DoMultiSelect = 0x8008002f;
constexpr IPTR ASLFR_DoPatterns = 0x80080032;
constexpr IPTR ASLFR_RejectIcons = 0x8008003c;
// This platform's own: a desktop's requester names its filter, and a reader
// of files that often have no extension opens it on all files.
constexpr IPTR ASLFR_PatternName = 0x800800a0;
constexpr IPTR ASLFR_AllFilesFirst = 0x800800a1;
constexpr IPTR FRF_DOSAVEMODE = 1u << 5;
constexpr IPTR FRF_DOMULTISELECT = 1u << 6;
constexpr IPTR FRF_DOPATTERNS = 1u << 0;
constexpr IPTR FRF_REJECTICONS = 1u << 0;   // in Flags2

// What the requester's message hook is called with; the class of a message
// that asks the program to redraw its windows.
constexpr ULONG IDCMP_REFRESHWINDOW = 4;
struct IntuiMessage {
    ULONG Class;
};

FileRequester *MUI_AllocAslRequest(IPTR type, TagItem *tags);
BOOL MUI_AslRequest(FileRequester *req, TagItem *tags);
void MUI_FreeAslRequest(FileRequester *req);
template <class... A> FileRequester *MUI_AllocAslRequestTags(IPTR type, A... tags)
{
    return WithTags([&](TagItem *t) { return MUI_AllocAslRequest(type, t); }, tags...);
}
template <class... A> BOOL MUI_AslRequestTags(FileRequester *req, A... tags)
{
    return WithTags([&](TagItem *t) { return MUI_AslRequest(req, t); }, tags...);
}
