// Shell arguments parsed against a template: items separated by ",", each a
// name (with "=" aliases) and modifiers /A required, /K keyword only, /S switch,
// /N number, /M many, /F the rest of the line. Text in front of the first name
// is part of that name, so a banner placed there is printed with the template
// by "?" and the first item is then given by position only.
#pragma once
#include "../exec/types.h"

#include <string>
#include <vector>

struct RDArgs;

// Parses line against the template into array (one IPTR cell per item, left
// as it was for items not given). Strings point into storage owned by the
// result; /S cells become TRUE, /N cells point to a LONG, /M cells to a
// null-terminated array of strings. A line of "?" prints the template and reads
// the real line from Input(). Null when the line does not fit the template.
RDArgs *ReadArgs(CONST_STRPTR templ, IPTR *array, CONST_STRPTR line);
void FreeArgs(RDArgs *args);

// Where each word of a command given word by word (a shell's argv) goes as
// ReadArgs reads it: the template item it gives a value to, and where in the
// word that value starts (after "NAME=" for a keyword's value); item -1 for a
// keyword's own name. Empty when the words do not fit the template.
struct ArgPlace {
    int item;
    size_t valueAt;
};
std::vector<ArgPlace> PlaceArguments(CONST_STRPTR templ, const std::vector<std::string> &words);
// The first name of a template's item, empty for a number past its items.
std::string TemplateItemName(CONST_STRPTR templ, int item);

// The command line as a shell would have typed it, rebuilt from argv[1..]:
// words with blanks or quotes are quoted, a quote escaped as *".
std::string CommandLineFromArgv(int argc, char **argv);

// Reads a decimal number at the start of text, after blanks; returns the
// number of characters used, or -1 when there is no number.
LONG StrToLong(CONST_STRPTR text, LONG *value);
