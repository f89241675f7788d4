#include "commands.h"

#include "../dos/files.h"
#include "../dos/readargs.h"
#include "../intuition/classes.h"
#include "../utility/charset.h"
#include "requesters.h"

#include <cstdlib>
#include <vector>

namespace {
constexpr LONG RC_ERROR = 10, RC_FAIL = 20;

struct BuiltIn {
    const char *name;
    const char *templ;
};
const BuiltIn kBuiltIns[] = {
    {"QUIT", "FORCE/S"}, {"HIDE", ""}, {"SHOW", ""}, {"INFO", "ITEM/A"}, {"HELP", "FILE/A"},
};

// The display the windows are on stands for the screen.
std::string ScreenName()
{
    for (const char *var : {"WAYLAND_DISPLAY", "DISPLAY"})
        if (const char *v = std::getenv(var); v && *v)
            return v;
    return "";
}

CommandReply Info(Object *app, const ApplicationInfo &info, CONST_STRPTR item)
{
    if (info.infoHook)
        if (auto *answer = reinterpret_cast<CONST_STRPTR>(CallHookPkt(info.infoHook, app, const_cast<STRPTR>(item))))
            return {0, answer};
    const std::pair<const char *, std::string> items[] = {
        {"TITLE", info.title},         {"AUTHOR", info.author},
        {"COPYRIGHT", info.copyright}, {"DESCRIPTION", info.description},
        {"VERSION", info.version},     {"BASE", info.base},
        {"SCREEN", ScreenName()},
    };
    for (const auto &[name, value] : items)
        if (Stricmp(item, name) == 0)
            return {0, value};
    return {RC_ERROR, std::string("Unknown item: ") + item};
}

CommandReply Help(const MUI_Command *table, CONST_STRPTR file)
{
    std::string text;
    for (const MUI_Command *c = table; c && c->mc_Name; ++c)
        text += std::string(c->mc_Name) + " " + (c->mc_Template ? c->mc_Template : "") + "\n";
    for (const BuiltIn &b : kBuiltIns)
        text += std::string(b.name) + " " + b.templ + "\n";
    FileHandle *fh = Open(file, MODE_NEWFILE);
    bool ok = fh && Write(fh, text.data(), LONG(text.size())) == LONG(text.size());
    if (fh && !Close(fh))
        ok = false;
    return ok ? CommandReply{0, ""} : CommandReply{RC_FAIL, std::string("Cannot write ") + file};
}

CommandReply RunBuiltIn(Object *app, const MUI_Command *table, const ApplicationInfo &info, const BuiltIn &b,
                        const IPTR *args)
{
    std::string name = b.name;
    if (name == "QUIT") {
        SetAttrs(app, MUIA_Application_ForceQuit, args[0] != 0);
        DoMethod(app, MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit);
    } else if (name == "HIDE" || name == "SHOW")
        SetAttrs(app, MUIA_Application_Iconified, name == "HIDE");
    else if (name == "INFO")
        return Info(app, info, reinterpret_cast<CONST_STRPTR>(args[0]));
    else
        return Help(table, reinterpret_cast<CONST_STRPTR>(args[0]));
    return {0, ""};
}

// The application's own commands come first: a name of its own hides a built-in one.
const MUI_Command *FindOwn(const MUI_Command *table, CONST_STRPTR name)
{
    for (const MUI_Command *c = table; c && c->mc_Name; ++c)
        if (Stricmp(c->mc_Name, name) == 0)
            return c;
    return nullptr;
}

const BuiltIn *FindBuiltIn(CONST_STRPTR name)
{
    for (const BuiltIn &b : kBuiltIns)
        if (Stricmp(b.name, name) == 0)
            return &b;
    return nullptr;
}

// A command that failed without words of its own is answered with what the
// window would have told a person.
CommandReply RunOwn(Object *app, const MUI_Command &c, IPTR *args)
{
    SetAttrs(app, MUIA_Application_RexxString, nullptr);
    UnattendedRequests unattended;
    LONG rc = LONG(CallHookPkt(c.mc_Hook, app, args));
    auto result = reinterpret_cast<CONST_STRPTR>(xget(app, MUIA_Application_RexxString));
    if (rc != 0 && !result)
        return {rc, unattended.Text()};
    return {rc, result ? result : ""};
}
}

namespace {
// The template of a command found among the program's own or the built-in ones; null for neither.
CONST_STRPTR TemplateOf(const MUI_Command *own, const BuiltIn *builtIn)
{
    if (own)
        return own->mc_Template ? own->mc_Template : "";
    return builtIn ? builtIn->templ : nullptr;
}
}

CONST_STRPTR PortCommandTemplate(const MUI_Command *table, CONST_STRPTR name)
{
    const MUI_Command *own = FindOwn(table, name);
    return TemplateOf(own, own ? nullptr : FindBuiltIn(name));
}

CommandReply RunPortCommand(Object *app, const MUI_Command *table, const ApplicationInfo &info, const std::string &line)
{
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos)
        return {RC_ERROR, "No command"};
    size_t end = line.find_first_of(" \t", start);
    std::string name = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::string rest = end == std::string::npos ? "" : line.substr(end + 1);
    const MUI_Command *own = FindOwn(table, name.c_str());
    const BuiltIn *builtIn = own ? nullptr : FindBuiltIn(name.c_str());
    CONST_STRPTR templ = TemplateOf(own, builtIn);
    if (!templ)
        return {RC_ERROR, "Unknown command: " + name};
    if (rest.find_first_not_of(" \t") != std::string::npos && rest.substr(rest.find_first_not_of(" \t")) == "?")
        return {0, templ};   // the template, where a shell would ask for the arguments
    std::vector<IPTR> args(std::string(templ).size() + 1, 0);   // more cells than the template has items
    RDArgs *rda = ReadArgs(templ, args.data(), rest.c_str());
    if (!rda)
        return {RC_ERROR, "Bad arguments for " + name + ": " + templ};
    CommandReply reply = own ? RunOwn(app, *own, args.data()) : RunBuiltIn(app, table, info, *builtIn, args.data());
    FreeArgs(rda);
    return reply;
}
