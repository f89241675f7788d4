// A file's type decided and its entries scanned without the types' objects,
// so that any thread may do it (a base is built on several): the same tests
// in the same order as the viewer asks its types, and the same scans.
#pragma once
#include "base/records.h"
#include "platform/dos/files.h"

// The base's DocumentScan: reads the file's first bytes through fh (a header
// is known by its name), then a fresh record captioned library gets the
// file's entries and the type's caption, as the type gives them.
Baza *ScanDocument(FileHandle *fh, CONST_STRPTR name, CONST_STRPTR library, int *slot);
