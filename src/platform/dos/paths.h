// Names of files: the file part, the path part and joining a name to a
// directory, on "/" and on the ":" of an assign; and turning a program name into
// the host's path (assigns replaced, relative names found in the current
// directory).
#pragma once
#include "../exec/types.h"

#include <string>

// The file part of a name: after the last "/" or ":"; the whole name when it has neither.
STRPTR FilePart(CONST_STRPTR path);
// Where the directory part of a name ends: at the last "/" (the root's "/" is
// kept), or just after a ":"; the start of the name when it has neither.
STRPTR PathPart(CONST_STRPTR path);
// Appends a name to the directory in buffer (size bytes in all), putting a "/"
// between them when needed; an absolute name replaces the directory. False when
// the result does not fit; the buffer is then unchanged.
BOOL AddPart(STRPTR buffer, CONST_STRPTR name, ULONG size);

// Assigns: "PROGDIR:" the program's directory, "T:" a scratch directory only
// this user can enter, "ENV:" and "ENVARC:" the environment store.
void AssignPath(CONST_STRPTR assign, const std::string &hostDir);   // "T" or "T:"
std::string AssignedPath(CONST_STRPTR assign);                      // "" when unknown
// Where an installed copy keeps its data (catalogs, tool types): the
// program's folder's sibling share/vellumscanner, wherever it was installed.
std::string InstalledDataPath(const std::string &relative);
// The program's directory, found from argv[0] or the running executable.
void SetProgramDir(CONST_STRPTR argv0);

std::string HostPath(CONST_STRPTR name);

// The host path of an existing file or folder whose name matches path but
// for case, component by component (the name as written first); the path
// unchanged when nothing matches.
std::string PathInAnyCase(const std::string &path);
