#include "catalog.h"

#include "../dos/paths.h"
#include "../utility/charset.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

struct Catalog {
    std::map<LONG, std::string> strings;
    std::string language;
};

namespace {
constexpr size_t kMaxCatalog = 4 << 20;

ULONG Big32(const UBYTE *p) { return ULONG(p[0]) << 24 | ULONG(p[1]) << 16 | ULONG(p[2]) << 8 | p[3]; }

bool ReadStrings(const UBYTE *p, size_t size, std::map<LONG, std::string> &out)
{
    size_t at = 0;
    while (at + 8 <= size) {
        LONG id = LONG(Big32(p + at));
        ULONG len = Big32(p + at + 4);
        at += 8;
        if (len > size - at)
            return false;
        const char *text = reinterpret_cast<const char *>(p + at);
        // Menu texts hold a NUL between their shortcut and their label, so the
        // whole stored length is kept, less the terminating NULs.
        std::string value(text, len);
        while (!value.empty() && value.back() == '\0')
            value.pop_back();
        out[id] = IsUTF8(value.data(), value.size()) ? value : Latin1ToUTF8(value.data(), value.size());
        at += (size_t(len) + 3) & ~size_t(3);
    }
    return true;
}

struct LanguageName {
    const char *code;
    const char *name;
};
constexpr LanguageName kLanguages[] = {
    {"de", "deutsch"},    {"fr", "français"},  {"it", "italiano"}, {"es", "español"}, {"pl", "polski"},
    {"nl", "nederlands"}, {"da", "dansk"},     {"sv", "svenska"},  {"nb", "norsk"},   {"no", "norsk"},
    {"fi", "suomi"},      {"pt", "português"}, {"cs", "czech"},    {"ru", "russian"}, {"el", "greek"},
    {"hu", "magyar"},     {"tr", "türkçe"},    {"en", "english"},
};
}

bool ParseCatalog(const UBYTE *data, size_t size, std::map<LONG, std::string> &strings, std::string *language)
{
    if (size < 12 || std::memcmp(data, "FORM", 4) != 0 || std::memcmp(data + 8, "CTLG", 4) != 0)
        return false;
    size_t formEnd = std::min<size_t>(size, size_t(Big32(data + 4)) + 8);
    bool found = false;
    for (size_t at = 12; at + 8 <= formEnd;) {
        ULONG len = Big32(data + at + 4);
        const UBYTE *body = data + at + 8;
        if (len > formEnd - at - 8)
            return false;
        if (std::memcmp(data + at, "STRS", 4) == 0) {
            if (!ReadStrings(body, len, strings))
                return false;
            found = true;
        } else if (language && std::memcmp(data + at, "LANG", 4) == 0) {
            *language = std::string(reinterpret_cast<const char *>(body),
                                    strnlen(reinterpret_cast<const char *>(body), len));
        }
        at += 8 + ((size_t(len) + 1) & ~size_t(1));
    }
    return found;
}

std::vector<std::string> UserCatalogLanguages()
{
    std::vector<std::string> out;
    auto add = [&out](std::string_view locale) {
        std::string code(locale.substr(0, locale.find_first_of("_.@")));
        for (const LanguageName &l : kLanguages)
            if (code == l.code && std::find(out.begin(), out.end(), l.name) == out.end())
                out.push_back(l.name);
    };
    if (const char *list = std::getenv("LANGUAGE"))
        for (std::string_view rest = list; !rest.empty();) {
            size_t colon = rest.find(':');
            add(rest.substr(0, colon));
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    for (const char *v : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char *value = std::getenv(v); value && *value) {
            add(value);
            break;
        }
    if (std::find(out.begin(), out.end(), "english") == out.end())
        out.push_back("english");
    return out;
}

Catalog *OpenCatalogFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::vector<UBYTE> bytes(kMaxCatalog);
    in.read(reinterpret_cast<char *>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(size_t(in.gcount()));
    auto *cat = new Catalog;
    if (!ParseCatalog(bytes.data(), bytes.size(), cat->strings, &cat->language)) {
        delete cat;
        return nullptr;
    }
    return cat;
}

namespace {
Catalog *OpenLanguage(const std::string &language, CONST_STRPTR name)
{
    std::string relative = "Catalogs/" + language + "/" + name;
    std::vector<std::string> places = {HostPath(("PROGDIR:" + relative).c_str()), InstalledDataPath(relative)};
    const char *data = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    if (data && *data == '/')
        places.push_back(std::string(data) + "/Vellumscanner/" + relative);
    else if (home && *home)
        places.push_back(std::string(home) + "/.local/share/Vellumscanner/" + relative);
    for (const std::string &p : places)
        if (Catalog *cat = OpenCatalogFile(p)) {
            cat->language = language;   // the name it was looked for by, whatever its chunk says
            return cat;
        }
    return nullptr;
}

void (*languageHook)(const std::string &) = nullptr;
}

Catalog *OpenCatalogA(APTR, CONST_STRPTR name, TagItem *tags)
{
    auto *builtIn = reinterpret_cast<const char *>(GetTagData(OC_BuiltInLanguage, 0, tags));
    if (!name)
        return nullptr;
    for (const std::string &language : UserCatalogLanguages()) {
        if (builtIn && language == builtIn)
            return nullptr;   // the user prefers the built-in texts to those after them
        if (Catalog *cat = OpenLanguage(language, name))
            return cat;
    }
    return nullptr;
}

void CloseCatalog(Catalog *cat) { delete cat; }

std::string CatalogLanguageCode(const Catalog *cat)
{
    if (cat)
        for (const LanguageName &l : kLanguages)
            if (cat->language == l.name)
                return l.code;
    return "en";
}

void SetLanguageHook(void (*hook)(const std::string &code)) { languageHook = hook; }

void UseCatalogLanguage(const Catalog *cat)
{
    if (languageHook)
        languageHook(CatalogLanguageCode(cat));
}

CONST_STRPTR GetCatalogStr(const Catalog *cat, LONG id, CONST_STRPTR builtIn)
{
    if (!cat)
        return builtIn;
    auto it = cat->strings.find(id);
    return it == cat->strings.end() ? builtIn : it->second.c_str();
}
