// Message catalogs: IFF "CTLG" files whose "STRS" chunk holds (id, length,
// text) triples, all numbers big-endian as IFF wants. A catalog is looked for
// as "Catalogs/<language>/<name>" under the program's directory and under the
// user's data directory; the language comes from the user's locale. Texts are
// kept as UTF-8, as everything the program shows: a catalog of this platform
// stores Latin-1, which is turned on reading.
#pragma once
#include "../intuition/tags.h"

#include <map>
#include <string>
#include <vector>

struct Catalog;

constexpr IPTR OC_BuiltInLanguage = 0x80090004;

// Null when there is no catalog for the user's language, when that language
// is the built-in one, or when the file is damaged.
Catalog *OpenCatalogA(APTR locale, CONST_STRPTR name, TagItem *tags);
template <class... A> Catalog *OpenCatalog(APTR locale, CONST_STRPTR name, A... tags)
{
    IPTR cells[] = {ToIPTR(tags)..., TAG_DONE, 0};
    return OpenCatalogA(locale, name, reinterpret_cast<TagItem *>(cells));
}
void CloseCatalog(Catalog *cat);
CONST_STRPTR GetCatalogStr(const Catalog *cat, LONG id, CONST_STRPTR builtIn);

// The language a catalog speaks as a two-letter code ("de" for deutsch);
// "en", the built-in language, without a catalog.
std::string CatalogLanguageCode(const Catalog *cat);
// The windows speak the program's language: the requesters and dialogs that
// the interface draws itself follow the catalog the program settled on. The
// interface sets the hook; the program tells it once its catalog is open.
void SetLanguageHook(void (*hook)(const std::string &code));
void UseCatalogLanguage(const Catalog *cat);

// The catalog languages the user asks for, in order: each entry of LANGUAGE
// (a colon-separated list, as gettext reads it), then the first of LC_ALL,
// LC_MESSAGES and LANG ("deutsch" for de_DE.UTF-8). A language not known
// here is left out; the list ends with "english", the built-in one.
std::vector<std::string> UserCatalogLanguages();
Catalog *OpenCatalogFile(const std::string &path);
// Reads the strings of a catalog file's bytes; false when they are not a catalog.
bool ParseCatalog(const UBYTE *data, size_t size, std::map<LONG, std::string> &strings, std::string *language);
