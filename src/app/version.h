// The program's version and its date, as every text that names them shows them.
#pragma once
#include "core/version.h"

#define VS_DATE "07.12.2026"
