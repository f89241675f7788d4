#include "catcomp/catcomp.h"
#include "platform/icon/icon.h"
#include "platform/locale/catalog.h"

#include "platform/mui/envstore.h"
#include "support/support.h"
#include <utility>

#include <gtest/gtest.h>

TEST(EnvStore, ValuesSurviveAWriteAndDamageReadsAsNothing)
{
    Sandbox box;
    Dataspace ds;
    ds.Add(0x80001003, std::string("Work:a\nb\0c", 10));
    ds.Add(1, "");
    ASSERT_TRUE(EnvStoreWrite("Vellumscanner", "state", true, ds));
    Dataspace back;
    ASSERT_TRUE(EnvStoreRead("Vellumscanner", "state", false, back)) << "the session falls back to the archive";
    EXPECT_EQ(*back.Find(0x80001003), std::string("Work:a\nb\0c", 10));
    EXPECT_EQ(*back.Find(1), "");
    Dataspace damaged;
    EXPECT_FALSE(EnvStoreParse("VSENV 1\n8000100x 41\n", damaged));
    EXPECT_FALSE(EnvStoreParse("something else", damaged));
    EXPECT_TRUE(damaged.Values().empty());
    EXPECT_FALSE(EnvStoreRead("Nothing", "state", false, damaged));
}

TEST(EnvStore, TheApplicationSavesAndRestoresObjectsWithIds)
{
    Sandbox box;
    auto build = [] {
        Object *str = MUI_NewObject(MUIC_String, MUIA_ObjectID, 11);
        Object *num = MUI_NewObject(MUIC_Numeric, MUIA_ObjectID, 12, MUIA_Numeric_Max, 1000);
        Object *win = MUI_NewObject(MUIC_Window, MUIA_Window_ID, 13, MUIA_Window_RootObject,
                                    MUI_NewObject(MUIC_Group, Child, str, Child, num));
        Object *app = MUI_NewObject(MUIC_Application, MUIA_Application_Base, "T1", SubWindow, win);
        return std::tuple{app, win, str, num};
    };
    auto [app, win, str, num] = build();
    SetAttrs(str, MUIA_String_Contents, "last.qmx");
    SetAttrs(num, MUIA_Numeric_Value, 77);
    SetAttrs(win, MUIA_Window_LeftEdge, 5, MUIA_Window_TopEdge, 6, MUIA_Window_Width, 700, MUIA_Window_Height, 500);
    EXPECT_TRUE(DoMethod(app, MUIM_Application_Save, MUIV_Application_Save_ENV));
    MUI_DisposeObject(app);
    auto [app2, win2, str2, num2] = build();
    EXPECT_TRUE(DoMethod(app2, MUIM_Application_Load, MUIV_Application_Load_ENV));
    EXPECT_STREQ(reinterpret_cast<char *>(xget(str2, MUIA_String_Contents)), "last.qmx");
    EXPECT_EQ(xget(num2, MUIA_Numeric_Value), 77u);
    EXPECT_EQ(LONG(xget(win2, MUIA_Window_Width)), 700);
    MUI_DisposeObject(app2);
}

TEST(Catalogs, ACompiledCatalogReadsBackWithItsMenuTexts)
{
    std::string iff, error;
    ASSERT_TRUE(CompileCatalog("## language deutsch\n; comment\n11 Datei:\\n%s\n68 F\\000öffnen\n", iff, error))
        << error;
    std::map<LONG, std::string> strings;
    std::string language;
    ASSERT_TRUE(ParseCatalog(reinterpret_cast<const UBYTE *>(iff.data()), iff.size(), strings, &language));
    EXPECT_EQ(language, "deutsch");
    EXPECT_EQ(strings[11], "Datei:\n%s");
    EXPECT_EQ(iff.find("\xc3\xb6"), std::string::npos) << "stored in Latin-1, as catalogs of this platform are";
    EXPECT_EQ(strings[68], std::string("F\0\xc3\xb6"
                                       "ffnen",
                                       9))
        << "the shortcut's NUL survives; texts read as UTF-8";
    for (size_t cut : {size_t(4), size_t(20), iff.size() - 3})
        EXPECT_FALSE(ParseCatalog(reinterpret_cast<const UBYTE *>(iff.data()), cut, strings, nullptr)) << cut;
    EXPECT_FALSE(CompileCatalog("11 no language line\n", iff, error));
    EXPECT_FALSE(CompileCatalog("## language x\nnot-a-number text\n", iff, error));
}

TEST(Catalogs, TheUsersLanguageChoosesTheCatalog)
{
    Sandbox box;
    std::string iff, error;
    ASSERT_TRUE(CompileCatalog("## language deutsch\n0 Problem\n", iff, error));
    box.Write("prog/Catalogs/deutsch/Test.catalog", iff);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    Catalog *cat = OpenCatalog(nullptr, "Test.catalog", OC_BuiltInLanguage, "english");
    ASSERT_NE(cat, nullptr);
    EXPECT_STREQ(GetCatalogStr(cat, 0, "builtin"), "Problem");
    EXPECT_STREQ(GetCatalogStr(cat, 5, "builtin"), "builtin");
    CloseCatalog(cat);
    setenv("LC_ALL", "en_GB.UTF-8", 1);
    EXPECT_EQ(OpenCatalog(nullptr, "Test.catalog", OC_BuiltInLanguage, "english"), nullptr);
    setenv("LANGUAGE", "en:de", 1);
    EXPECT_EQ(OpenCatalog(nullptr, "Test.catalog", OC_BuiltInLanguage, "english"), nullptr) << "English first";
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("LANGUAGE", "fr:de", 1);
    cat = OpenCatalog(nullptr, "Test.catalog", OC_BuiltInLanguage, "english");
    EXPECT_NE(cat, nullptr) << "no French catalog: the next language of the list";
    CloseCatalog(cat);
    unsetenv("LANGUAGE");
    unsetenv("LC_ALL");
}

TEST(ToolTypes, NamesWithAndWithoutValues)
{
    const char text[] = "View.TinyGUI\r\n; comment\nView.TabSize=9\n  Base.Default=Work:sdk.qmx\n";
    DiskObject *icon = ParseToolTypes(text, sizeof text - 1);
    EXPECT_STREQ(FindToolType(icon->do_ToolTypes, "view.tinygui"), "");
    EXPECT_STREQ(FindToolType(icon->do_ToolTypes, "View.TabSize"), "9");
    EXPECT_STREQ(FindToolType(icon->do_ToolTypes, "Base.Default"), "Work:sdk.qmx");
    EXPECT_EQ(FindToolType(icon->do_ToolTypes, "View.Tab"), nullptr);
    FreeDiskObject(icon);
    Sandbox box;
    EXPECT_EQ(GetDiskObjectNew(box.Path("missing").c_str()), nullptr);
}

TEST(EnvStore, ABalanceBarKeepsTheSharesOfItsNeighbours)
{
    Sandbox box;
    auto build = [] {
        Object *left = MUI_NewObject(MUIC_Rectangle), *right = MUI_NewObject(MUIC_Rectangle);
        Object *row = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, Child, left, Child,
                                    MUI_NewObject("BetterBalance.mcc", MUIA_ObjectID, 0x80001002), Child, right);
        Object *app = MUI_NewObject(MUIC_Application, MUIA_Application_Base, "T2", SubWindow,
                                    MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, row));
        return std::tuple{app, left, right};
    };
    auto [app, left, right] = build();
    SetAttrs(left, MUIA_HorizWeight, 30);
    SetAttrs(right, MUIA_HorizWeight, 270);
    DoMethod(app, MUIM_Application_Save, MUIV_Application_Save_ENVARC);
    MUI_DisposeObject(app);
    auto [app2, left2, right2] = build();
    DoMethod(app2, MUIM_Application_Load, MUIV_Application_Load_ENV);
    EXPECT_EQ(xget(left2, MUIA_HorizWeight), 30u);
    EXPECT_EQ(xget(right2, MUIA_HorizWeight), 270u);
    MUI_DisposeObject(app2);
}

TEST(EnvStore, TheSessionCopyComesBeforeTheArchive)
{
    Sandbox box;
    Dataspace archive, session, back;
    archive.Add(1, "archived");
    session.Add(1, "this session");
    ASSERT_TRUE(EnvStoreWrite("V", "state", true, archive));
    ASSERT_TRUE(EnvStoreWrite("V", "state", false, session));
    ASSERT_TRUE(EnvStoreRead("V", "state", false, back));
    EXPECT_EQ(*back.Find(1), "this session");
    ASSERT_TRUE(EnvStoreRead("V", "state", true, back));
    EXPECT_EQ(*back.Find(1), "archived");
    box.Write("envarc/V.state", "VSENV 1\nnot hex\n");
    EXPECT_FALSE(EnvStoreRead("V", "state", true, back)) << "a damaged store reads as nothing";
}

TEST(Catalogs, LanguagesFromTheLocale)
{
    using L = std::vector<std::string>;
    unsetenv("LANGUAGE");
    const std::pair<const char *, L> cases[] = {{"de_DE.UTF-8", {"deutsch", "english"}},
                                                {"fr_CA", {"français", "english"}},
                                                {"pl_PL.ISO-8859-2", {"polski", "english"}},
                                                {"C", {"english"}},
                                                {"xx_YY", {"english"}}};
    for (const auto &[locale, languages] : cases) {
        setenv("LC_ALL", locale, 1);
        EXPECT_EQ(UserCatalogLanguages(), languages) << locale;
    }
    unsetenv("LC_ALL");
    setenv("LANG", "C.UTF-8", 1);
    setenv("LANGUAGE", "de", 1);
    EXPECT_EQ(UserCatalogLanguages(), (L{"deutsch", "english"})) << "LANGUAGE comes first";
    setenv("LANGUAGE", "xx:fr_FR:de", 1);
    setenv("LC_MESSAGES", "de_AT", 1);
    EXPECT_EQ(UserCatalogLanguages(), (L{"français", "deutsch", "english"}));
    unsetenv("LANGUAGE");
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
}
