// The program's texts as Qt shows them. They are UTF-8 (the host's names,
// typed text, catalog texts) or, from older files, Latin-1: UiText tells
// them apart. Document lines are the text list's own business.
#pragma once
#include <QString>

QString UiText(const char *text);
// The same without text codes.
QString PlainUiText(const char *text);
// Text with text codes as Qt rich text, for labels.
QString CodesToHtml(const char *preParse, const char *text);
// A button label: codes removed, "_x" marking the shortcut becomes "&x".
QString ButtonText(const char *text);
