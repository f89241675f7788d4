// The program's version and its date, as every text that names them shows them.
#pragma once

#define VS_VERSION "1.6.5"
#define VS_DATE "07.12.2026"
