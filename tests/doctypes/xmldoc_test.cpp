#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"
#include "view/view.h"

#include <gtest/gtest.h>

namespace {
class XmlInterface : public ::testing::Test, protected ViewerDriver {
protected:
    Sandbox box;
    TestApp app;

    // name@line for each entry after the whole-file one
    std::string Methods()
    {
        std::string out;
        for (Doc *e = NextEntry(FirstEntry(Shown())); e; e = NextEntry(e))
            out += std::string(e->Name) + "@" + std::to_string(e->Line) + " ";
        return out;
    }
};
}

TEST_F(XmlInterface, KnownByTheDeclarationSpeltAsXMLSpellsIt)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("a.xml", "<?xml version=\"1.0\"?>\n<interface name=\"main\">\n"));
    EXPECT_EQ(Shown()->FileType, TYPE_FXML);
    EXPECT_STREQ(Shown()->Library, "interface/method");
    Open(box.Write("b.xml", "<?XML version=\"1.0\"?>\n"));
    EXPECT_EQ(Shown()->FileType, TYPE_FTXT);
    Open(box.Write("c.xml", "<?xm"));
    EXPECT_EQ(Shown()->FileType, TYPE_FTXT);
}

TEST_F(XmlInterface, MethodsCarryTheInterfaceTheyFollow)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("i.xml", "<?xml version=\"1.0\"?>\n"
                            "<method name=\"Early\"/>\n"   // before any interface: the bare name
                            "<library name=\"x\">\n"
                            "<interface name=\"main\">\n"
                            "\t<method name=\"Open\">\n"          // tabs lead in
                            "  text <method name=\"Hidden\">\n"   // after other text: not found
                            "  <method  name=\"Spaced\">\n"       // methods keep their one form
                            "  <method name=\"Unclosed\r\n"       // to the line's end, without CR-LF
                            "</interface>\n"
                            "<interface id=\"2\"\tname=\"second\">\n"   // another attribute first
                            "  <method name=\"Close\"/>\n"
                            "<interface name='quoted'>\n"   // no name=\"...\": the prefix goes
                            "  <method name=\"Bare\"/>\n"
                            "<interfaces name=\"no\">\n"
                            "  <method name=\"StillBare\"/>\n"));
    EXPECT_EQ(Methods(), "Early@2 main/Open@5 main/Unclosed@8 second/Close@11 Bare@13 StillBare@15 ");
}

TEST_F(XmlInterface, ALongInterfaceNameNeitherCutsNorShiftsTheLines)
{
    ASSERT_TRUE(app.Ready());
    std::string name(6000, 'i');
    Open(box.Write("long.xml", "<?xml?>\n<interface name=\"" + name + "\">\n<method name=\"" + std::string(4000, 'm') +
                                   "\"/>\n" + std::string(9000, 'x') + "\n" + std::string(8190, 'y') +
                                   "\r\n<method name=\"After\"/>\n"));
    Doc *first = NextEntry(FirstEntry(Shown()));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::string(first->Name), name + "/" + std::string(4000, 'm'));
    Doc *after = NextEntry(first);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->Line, 7) << "9000 bytes are two lines of the text list, 8190 and a CR-LF one";
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 2);
    EXPECT_EQ(ListLines(View.TextList).at(6), "<method name=\"After\"/>");
    EXPECT_EQ(LONG(xget(View.TextList, MUIA_NList_First)), 6);
}
