// Base files start with a header line naming the program; this tells a base
// from a document without reading further.
#pragma once
#include "core/version.h"
#include "platform/exec/types.h"

constexpr const char *PlikBaseHeader = "::Vellumscanner:: $ver: ";   // 24 characters
inline constexpr char PlikVersionHeader[] = VS_VERSION "\n";

// 1 when the file starts with the base header, else 0 (also for a directory
// or a file shorter than the header).
LONG IsBaseHeader(CONST_STRPTR fileName);
