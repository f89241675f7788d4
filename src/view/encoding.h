// Which of the two encodings a document is written in.
#pragma once
#include "platform/dos/files.h"

// True for a document in UTF-8: the first text past plain ASCII, within the
// first 256 KB, is well-formed UTF-8. Anything else is Latin-1, the
// platform's own. Reads from the start; the handle is left at the start.
bool DocumentIsUTF8(FileHandle *fh);
