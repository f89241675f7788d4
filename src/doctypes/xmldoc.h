// XML interface descriptions: "interface" elements holding "method"
// elements. Known by the XML declaration on the first line; the index lists
// the whole file and every method as "interface/method". A line scanner, not
// an XML parser: only lines whose first non-blank character opens an
// interface or method element are looked at.
#pragma once
#include "base/records.h"
#include "platform/dos/files.h"
#include "platform/mui/mui.h"

MUI_CustomClass *clXmlDoc_Create(LONG flag);
BOOL ClassXMLDoc(BOOL create);

// The type's test of a file's first line; any thread may ask it.
bool IsXmlDoc(FileHandle *fh);
// The entry scan: the whole-file entry, then one entry per method.
void XmlDocScan(Baza *baza, FileHandle *fh);
