// The document types shown whole on the viewer's text page (plain text, C
// headers, XML interfaces). The file goes into the text list once, when the
// first entry is shown after it was opened; every other entry only scrolls
// the list to its line.
#pragma once
#include "base/records.h"
#include "platform/mui/mui.h"
#include "util/fileinfo.h"

struct TextPageData {
    UWORD Loaded;       // 1 once the document's text is in the text list
    Object **PageObj;   // the viewer's TextList field
};

// What one such type has of its own: its code, how it knows its files and
// how it scans one into entries.
struct TextPageType {
    ULONG Code;
    bool (*Recognise)(FileOpen *file);
    void (*Scan)(Baza *baza, FileHandle *fh);
};

// The dispatcher of these types: recognition and the scan by the type's own
// functions; QMXM_DoMethodObject, showing an entry, a search hit, saving and
// closing alike for all; everything else to the superclass.
IPTR TextPageDispatch(IClass *cl, Object *obj, Msg msg, const TextPageType &type);

// Saving a document as it is: a byte-for-byte copy of its file.
IPTR CopyDocument(struct QMXP_View_SaveFile *msg);

// Makes or deletes one such class (a Group with TextPageData).
MUI_CustomClass *TextPageClass(MUI_CustomClass **slot, LONG flag, Dispatcher dispatcher);

// Every index of these types starts with the whole-file entry (line 0).
void AddWholeFileEntry(Baza *baza);

// The blanks between the words of a source line: a blank or a tab.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
