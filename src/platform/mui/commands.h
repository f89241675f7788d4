// The commands an application's port answers: its own, from its command
// table, and those every application of this toolkit answers (QUIT, HIDE,
// SHOW, INFO, HELP). A line is the command's name (case ignored) and its
// arguments, parsed against the command's template.
#pragma once
#include "mui.h"

#include <string>

struct CommandReply {
    LONG rc;   // 0; 10 for a command that is not known or does not fit its template; 20 for one that failed
    std::string result;
};

// What the application knows of itself for INFO.
struct ApplicationInfo {
    std::string title, author, copyright, description, version, base;
    Hook *infoHook = nullptr;   // asked first (MUIA_Application_InfoHook)
};

// The template of a command, its own or a built-in one; null for a name
// that is neither.
CONST_STRPTR PortCommandTemplate(const MUI_Command *table, CONST_STRPTR name);
CommandReply RunPortCommand(Object *app, const MUI_Command *table, const ApplicationInfo &info,
                            const std::string &line);
