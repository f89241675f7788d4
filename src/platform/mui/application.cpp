// Application: owns the windows, hands out return ids (Quit from a menu or a
// close gadget) and pushed methods from its input loop, and saves and loads
// the state of every object with an object id in the environment store.
#include "../exec/signals.h"
#include "../rexx/port.h"
#include "commands.h"
#include "dataspace.h"
#include "envstore.h"
#include "internal.h"
#include "requesters.h"

#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace {
IClass *appClass = nullptr;

struct AppData {
    std::vector<Object *> windows;
    std::deque<IPTR> returnIds;
    std::mutex pushing;                     // other threads push methods too
    std::deque<std::vector<IPTR>> pushed;   // destination object, then the message
    ApplicationInfo info;                   // the base name among them
    const MUI_Command *commands = nullptr;
    bool useRexx = true;
    std::unique_ptr<CommandPort> port;
    std::string rexxString;
    bool rexxStringSet = false;
    LONG sleep = 0;
    std::vector<ULONG> icon;
    IPTR menuAction = 0;
    Object *dropObject = nullptr;
    bool forceQuit = false;
};

// Sleeping nests: the renderer hears of the first sleep and the last wake.
void Sleep(AppData *d, bool on)
{
    LONG before = d->sleep;
    d->sleep += on ? 1 : (d->sleep > 0 ? -1 : 0);
    if ((before == 0) != (d->sleep == 0))
        if (Renderer *r = CurrentRenderer())
            r->Busy(d->sleep > 0);
}

// HIDE and SHOW of the port: the windows are the renderer's to minimise.
void Iconify(bool hidden)
{
    if (Renderer *r = CurrentRenderer())
        r->Iconify(hidden);
}

void KeepIcon(AppData *d, const ULONG *block)
{
    d->icon.clear();
    if (block && block[0] && block[1] && block[0] <= 1024 && block[1] <= 1024)
        d->icon.assign(block, block + 4 + size_t(block[0]) * block[1]);
}

void ApplyTags(Object *self, AppData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        const char *s = reinterpret_cast<const char *>(t->ti_Data);
        switch (t->ti_Tag) {
        case MUIA_Application_Base: d->info.base = s ? s : ""; break;
        case MUIA_Application_Title: d->info.title = s ? s : ""; break;
        case MUIA_Application_Author: d->info.author = s ? s : ""; break;
        case MUIA_Application_Copyright: d->info.copyright = s ? s : ""; break;
        case MUIA_Application_Description: d->info.description = s ? s : ""; break;
        case MUIA_Application_Version: d->info.version = s ? s : ""; break;
        case MUIA_Application_InfoHook: d->info.infoHook = reinterpret_cast<Hook *>(t->ti_Data); break;
        case MUIA_Application_Commands: d->commands = reinterpret_cast<const MUI_Command *>(t->ti_Data); break;
        case MUIA_Application_UseRexx: d->useRexx = t->ti_Data != 0; break;
        case MUIA_Application_RexxString:
            d->rexxStringSet = s != nullptr;
            d->rexxString = s ? s : "";
            break;
        case MUIA_Application_Iconified: Iconify(t->ti_Data != 0); break;
        case MUIA_Application_MenuAction: d->menuAction = t->ti_Data; break;
        case MUIA_Application_DropObject: d->dropObject = reinterpret_cast<Object *>(t->ti_Data); break;
        case MUIA_Application_Sleep: Sleep(d, t->ti_Data != 0); break;
        case MUIA_Application_IconData: KeepIcon(d, reinterpret_cast<const ULONG *>(t->ti_Data)); break;
        case MUIA_Application_ForceQuit: d->forceQuit = t->ti_Data != 0; break;
        case MUIA_Application_Window:
            if (t->ti_Data) {
                d->windows.push_back(reinterpret_cast<Object *>(t->ti_Data));
                SetParent(d->windows.back(), self);
            }
            break;
        }
    }
}

bool HasMissingWindow(TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk))
        if (t->ti_Tag == MUIA_Application_Window && !t->ti_Data)
            return true;
    return false;
}

// Other programs cannot reach one whose port did not open: the person is
// told once why, on standard error and in the window.
void OpenPort(AppData *d)
{
    d->port = std::make_unique<CommandPort>(d->info.base);
    if (d->port->IsOpen())
        return;
    std::string text = "The command port is off: " + d->port->Problem();
    std::fprintf(stderr, "%s: %s\n", d->info.base.c_str(), text.c_str());
    ShowNotice(text);
}

IPTR AppNew(IClass *cl, Object *self, Msg msg)
{
    TagItem *tags = SetTags(msg);
    Object *obj = HasMissingWindow(tags) ? nullptr : reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
    if (!obj) {
        TagItem *walk = tags;
        while (TagItem *t = NextTagItem(&walk))
            if (t->ti_Tag == MUIA_Application_Window)
                DisposeObject(reinterpret_cast<Object *>(t->ti_Data));
        return 0;
    }
    AppData *d = NewInstance<AppData>(cl, obj);
    NotifyOf(obj)->kind = ObjectKind::Application;
    ApplyTags(obj, d, tags);
    if (d->commands && d->useRexx && !d->info.base.empty())
        OpenPort(d);
    return ToIPTR(obj);
}

bool TakePushed(AppData *d, std::vector<IPTR> &call)
{
    std::lock_guard<std::mutex> lock(d->pushing);
    if (d->pushed.empty())
        return false;
    call = std::move(d->pushed.front());
    d->pushed.pop_front();
    return true;
}

bool HasPushed(AppData *d)
{
    std::lock_guard<std::mutex> lock(d->pushing);
    return !d->pushed.empty();
}

// The commands that came to the port, one after the other, each answered
// before the next runs.
void ServePort(Object *self, AppData *d)
{
    PortRequest request;
    while (d->port && d->port->Take(request)) {
        CommandReply reply = RunPortCommand(self, d->commands, d->info, request.Line);
        d->port->Reply(request.Client, reply.rc, reply.result);
    }
}

IPTR NewInput(Object *self, AppData *d, MUIP_Application_NewInput *msg)
{
    ULONG *signals = msg->signal;
    for (std::vector<IPTR> call; TakePushed(d, call);)
        DoMethodA(reinterpret_cast<Object *>(call[0]), reinterpret_cast<Msg>(call.data() + 1));
    ServePort(self, d);
    if (Renderer *r = CurrentRenderer())
        r->ProcessEvents();
    if (signals)
        *signals = SIGF_INPUT;
    if (d->returnIds.empty())
        return 0;
    IPTR id = d->returnIds.front();
    d->returnIds.pop_front();
    if (!d->returnIds.empty() || HasPushed(d))
        Signal(SIGF_INPUT);   // more is waiting: the loop must come back at once
    return id;
}

// PushMethod: destination, count, then the method and its arguments; run at
// the next pass of the input loop. Any thread may push: a worker hands its
// results to the objects this way, which it must not touch itself.
IPTR PushMethod(AppData *d, MUIP_Application_PushMethod *msg)
{
    IPTR count = msg->count & 0xF;
    if (count == 0 || count > MUIV_PushMethod_MaxArgs)
        return FALSE;
    std::vector<IPTR> call{ToIPTR(msg->dest)};
    call.insert(call.end(), msg->method, msg->method + count);
    {
        std::lock_guard<std::mutex> lock(d->pushing);
        d->pushed.push_back(std::move(call));
    }
    Signal(SIGF_INPUT);
    return TRUE;
}

IPTR SaveState(AppData *d, MUIP_Application_Save *msg)
{
    bool archive = msg->name == MUIV_Application_Save_ENVARC;
    Dataspace ds;
    MUIP_Export ex = {MUIM_Export, &ds};
    for (Object *w : d->windows)
        DoMethodA(w, reinterpret_cast<Msg>(&ex));
    return EnvStoreWrite(d->info.base.c_str(), "state", archive, ds);
}

IPTR LoadState(AppData *d, MUIP_Application_Save *msg)
{
    bool archive = msg->name == MUIV_Application_Load_ENVARC;
    Dataspace ds;
    if (!EnvStoreRead(d->info.base.c_str(), "state", archive, ds))
        return FALSE;
    MUIP_Export im = {MUIM_Import, &ds};
    for (Object *w : d->windows)
        DoMethodA(w, reinterpret_cast<Msg>(&im));
    return TRUE;
}

IPTR AppGet(IClass *cl, Object *self, Msg msg)
{
    AppData *d = Instance<AppData>(cl, self);
    switch (GetMsg(msg)->opg_AttrID) {
    case MUIA_Application_Base: return Answer(msg, ToIPTR(d->info.base.c_str()));
    case MUIA_Application_Title: return Answer(msg, ToIPTR(d->info.title.c_str()));
    case MUIA_Application_RexxString: return Answer(msg, d->rexxStringSet ? ToIPTR(d->rexxString.c_str()) : 0);
    case MUIA_Application_MenuAction: return Answer(msg, d->menuAction);
    case MUIA_Application_Sleep: return Answer(msg, d->sleep > 0);
    case MUIA_Application_DropObject: return Answer(msg, ToIPTR(d->dropObject));
    case MUIA_Application_ForceQuit: return Answer(msg, d->forceQuit);
    default: return DoSuperMethodA(cl, self, msg);
    }
}

IPTR AppDispatcher(IClass *cl, Object *self, Msg msg)
{
    AppData *d = msg->MethodID == OM_NEW ? nullptr : Instance<AppData>(cl, self);
    switch (msg->MethodID) {
    case OM_NEW: return AppNew(cl, self, msg);
    case OM_DISPOSE:
        for (auto it = d->windows.rbegin(); it != d->windows.rend(); ++it)
            DisposeObject(*it);
        DeleteInstance<AppData>(cl, self);
        return DoSuperMethodA(cl, self, msg);
    case OM_SET: ApplyTags(self, d, SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: return AppGet(cl, self, msg);
    case MUIM_Application_NewInput: return NewInput(self, d, reinterpret_cast<MUIP_Application_NewInput *>(msg));
    case MUIM_Application_ReturnID:
        d->returnIds.push_back(reinterpret_cast<MUIP_Application_ReturnID *>(msg)->retid);
        Signal(SIGF_INPUT);
        return TRUE;
    case MUIM_Application_PushMethod: return PushMethod(d, reinterpret_cast<MUIP_Application_PushMethod *>(msg));
    case MUIM_Application_Save: return SaveState(d, reinterpret_cast<MUIP_Application_Save *>(msg));
    case MUIM_Application_Load: return LoadState(d, reinterpret_cast<MUIP_Application_Save *>(msg));
    case MUIM_Application_CheckRefresh:
        if (Renderer *r = CurrentRenderer())
            r->ProcessEvents();
        return 0;
    case MUIM_Application_OpenConfigWindow:
        if (Renderer *r = CurrentRenderer())
            r->OpenConfigWindow(self);
        return 0;
    case MUIM_FindUData: {
        if (IPTR own = DoSuperMethodA(cl, self, msg))
            return own;
        for (Object *w : d->windows)
            if (IPTR hit = DoMethodA(w, msg))
                return hit;
        return 0;
    }
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterApplicationClass()
{
    appClass = MakeBuiltinClass(MUIC_Application, MUIC_Notify, sizeof(AppData), AppDispatcher);
}

const ULONG *ApplicationIconData(Object *app)
{
    if (!app || !appClass || !IsInstanceOf(app, appClass))
        return nullptr;
    AppData *d = Instance<AppData>(appClass, app);
    return d->icon.empty() ? nullptr : d->icon.data();
}
