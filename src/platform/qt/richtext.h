// Text with text codes as Qt rich text, for labels.
#pragma once
#include <QString>

QString CodesToHtml(const char *preParse, const char *text);
// A button label: codes removed, "_x" marking the shortcut becomes "&x".
QString ButtonText(const char *text);
