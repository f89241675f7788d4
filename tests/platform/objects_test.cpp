#include "platform/mui/group.h"
#include "platform/mui/mui.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr IPTR ATTR_Value = 0x80000100, METHOD_Twice = 0x80000200, METHOD_Unknown = 0x80000300;

struct Counter {
    LONG value;
};

IPTR CounterDispatcher(IClass *cl, Object *obj, Msg msg)
{
    switch (msg->MethodID) {
    case OM_SET: {
        TagItem *walk = reinterpret_cast<opSet *>(msg)->ops_AttrList;
        while (TagItem *t = NextTagItem(&walk))
            if (t->ti_Tag == ATTR_Value)
                static_cast<Counter *>(INST_DATA(cl, obj))->value = LONG(t->ti_Data);
        return DoSuperMethodA(cl, obj, msg);
    }
    case OM_GET:
        if (reinterpret_cast<opGet *>(msg)->opg_AttrID == ATTR_Value) {
            *reinterpret_cast<opGet *>(msg)->opg_Storage = IPTR(static_cast<Counter *>(INST_DATA(cl, obj))->value);
            return TRUE;
        }
        return DoSuperMethodA(cl, obj, msg);
    case METHOD_Twice: return 2 * IPTR(static_cast<Counter *>(INST_DATA(cl, obj))->value);
    default: return DoSuperMethodA(cl, obj, msg);
    }
}

struct Classes {
    MUI_CustomClass *counter;
    Classes() { counter = MUI_CreateCustomClass(nullptr, MUIC_Group, nullptr, sizeof(Counter), CounterDispatcher); }
    ~Classes() { EXPECT_TRUE(MUI_DeleteCustomClass(counter)) << "every object of the class was disposed"; }
    Object *New() { return NewObject(counter->mcc_Class, nullptr); }
};
}

TEST(Objects, AttributesMethodsAndTheSuperclass)
{
    Classes c;
    Object *o = c.New();
    ASSERT_NE(o, nullptr);
    SetAttrs(o, ATTR_Value, 21, MUIA_Disabled, TRUE);
    EXPECT_EQ(xget(o, ATTR_Value), 21u);
    EXPECT_EQ(xget(o, MUIA_Disabled), IPTR(TRUE)) << "standard attributes in the same set reach the superclass";
    EXPECT_EQ(DoMethod(o, METHOD_Twice), 42u);
    EXPECT_EQ(DoMethod(nullptr, METHOD_Twice), 0u);
    EXPECT_FALSE(MUI_DeleteCustomClass(c.counter)) << "a class with objects stays";
    DisposeObject(o);
}

TEST(Objects, NotificationsFireOnTheirTriggerAndCarryTheValue)
{
    Classes c;
    Object *source = c.New(), *dest = c.New();
    DoMethod(source, MUIM_Notify, ATTR_Value, 5, dest, 3, MUIM_Set, ATTR_Value, 99);
    DoMethod(source, MUIM_Notify, MUIA_Selected, MUIV_EveryTime, dest, 3, MUIM_Set, ATTR_Value, MUIV_TriggerValue);
    SetAttrs(source, ATTR_Value, 4);
    EXPECT_EQ(xget(dest, ATTR_Value), 0u);
    SetAttrs(source, ATTR_Value, 5);
    EXPECT_EQ(xget(dest, ATTR_Value), 99u);
    SetAttrs(source, MUIA_Selected, 1);
    EXPECT_EQ(xget(dest, ATTR_Value), 1u);
    SetAttrs(source, MUIA_Selected, 0, MUIA_NoNotify, TRUE);
    EXPECT_EQ(xget(dest, ATTR_Value), 1u) << "a set without notification";
    DoMethod(source, MUIM_Notify, ATTR_Value, MUIV_EveryTime, MUIV_Notify_Self, 3, MUIM_NoNotifySet, MUIA_Disabled,
             MUIV_NotTriggerValue);
    SetAttrs(source, ATTR_Value, 0);
    EXPECT_EQ(xget(source, MUIA_Disabled), IPTR(TRUE));
    DisposeObject(source);
    DisposeObject(dest);
}

TEST(Objects, GroupsPassTheProgramsMethodsToTheirChildrenAndFailWhole)
{
    Classes c;
    Object *child = c.New();
    SetAttrs(child, ATTR_Value, 3);
    Object *group = MUI_NewObject(MUIC_Group, Child, child, MUIA_UserData, 7);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(DoMethod(group, METHOD_Twice), 6u);
    EXPECT_EQ(DoMethod(group, METHOD_Unknown), 0u);
    EXPECT_EQ(reinterpret_cast<Object *>(xget(child, MUIA_Parent)), group);
    EXPECT_EQ(reinterpret_cast<Object *>(DoMethod(group, MUIM_FindUData, 7)), group);
    DisposeObject(group);
    EXPECT_EQ(c.counter->mcc_Class->cl_ObjectCount, 0u) << "the group disposed its child";

    Object *made = c.New();
    EXPECT_EQ(MUI_NewObject(MUIC_Group, Child, made, Child, nullptr), nullptr);
    EXPECT_EQ(c.counter->mcc_Class->cl_ObjectCount, 0u) << "a group with a missing child disposes the ones made";
}

TEST(Objects, PagesClampAndPushedMethodsRunAtTheNextInput)
{
    Object *pages = MUI_NewObject(MUIC_Group, MUIA_Group_PageMode, TRUE, Child, MUI_NewObject(MUIC_Rectangle), Child,
                                  MUI_NewObject(MUIC_Rectangle));
    SetAttrs(pages, MUIA_Group_ActivePage, 5);
    EXPECT_EQ(xget(pages, MUIA_Group_ActivePage), 1u);
    SetAttrs(pages, MUIA_Group_ActivePage, MUIV_Group_ActivePage_Prev);
    EXPECT_EQ(xget(pages, MUIA_Group_ActivePage), 0u);
    Object *win = MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, pages);
    Object *app = MUI_NewObject(MUIC_Application, SubWindow, win);
    ASSERT_NE(app, nullptr);
    DoMethod(app, MUIM_Application_PushMethod, pages, 3, MUIM_Set, MUIA_Group_ActivePage, 1);
    EXPECT_EQ(xget(pages, MUIA_Group_ActivePage), 0u);
    ULONG sigs = 0;
    EXPECT_EQ(DoMethod(app, MUIM_Application_NewInput, &sigs), 0u);
    EXPECT_EQ(xget(pages, MUIA_Group_ActivePage), 1u);
    DoMethod(app, MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit);
    EXPECT_EQ(DoMethod(app, MUIM_Application_NewInput, &sigs), MUIV_Application_ReturnID_Quit);
    MUI_DisposeObject(app);
}

TEST(Objects, MenuPicksBecomeMenuActionsAndTogglesFlip)
{
    NewMenu table[] = {
        {NM_TITLE, const_cast<char *>("Project"), nullptr, 0, 0, nullptr},
        {NM_ITEM, const_cast<char *>("Q\0Quit"), nullptr, 0, 0, reinterpret_cast<APTR>(IPTR(-1))},
        {NM_ITEM, const_cast<char *>("G\0Structure"), nullptr, CHECKIT | MENUTOGGLE, 0,
         reinterpret_cast<APTR>(IPTR(8))},
        {NM_ITEM, const_cast<char *>("off"), nullptr, NM_ITEMDISABLED, 0, reinterpret_cast<APTR>(IPTR(9))},
        {NM_END, nullptr, nullptr, 0, 0, nullptr},
    };
    Object *strip = MUI_MakeObject(MUIO_MenustripNM, table, MUIO_MenustripNM_CommandKeyCheck);
    Object *win = MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, MUI_NewObject(MUIC_Rectangle),
                                MUIA_Window_Menustrip, strip);
    Object *app = MUI_NewObject(MUIC_Application, SubWindow, win);
    ASSERT_NE(app, nullptr);
    Object *quit = reinterpret_cast<Object *>(DoMethod(strip, MUIM_FindUData, IPTR(-1)));
    ASSERT_NE(quit, nullptr);
    EXPECT_STREQ(reinterpret_cast<char *>(xget(quit, MUIA_Menuitem_Title)), "Quit");
    EXPECT_STREQ(reinterpret_cast<char *>(xget(quit, MUIA_Menuitem_Shortcut)), "Q");
    Object *toggle = reinterpret_cast<Object *>(DoMethod(strip, MUIM_FindUData, 8));
    SetAttrs(toggle, MUIA_Menuitem_Trigger, TRUE);
    SetAttrs(toggle, MUIA_Menuitem_Trigger, TRUE);
    SetAttrs(toggle, MUIA_Menuitem_Trigger, TRUE);
    EXPECT_EQ(xget(toggle, MUIA_Menuitem_Checked), IPTR(TRUE));
    EXPECT_EQ(xget(app, MUIA_Application_MenuAction), 8u);
    SetAttrs(reinterpret_cast<Object *>(DoMethod(strip, MUIM_FindUData, 9)), MUIA_Menuitem_Trigger, TRUE);
    EXPECT_EQ(xget(app, MUIA_Application_MenuAction), 8u) << "a disabled item does nothing";
    SetAttrs(quit, MUIA_Menuitem_Trigger, TRUE);
    ULONG sigs;
    for (int i = 0; i < 3; ++i)
        DoMethod(app, MUIM_Application_NewInput, &sigs);   // the toggle's three picks
    EXPECT_EQ(DoMethod(app, MUIM_Application_NewInput, &sigs), MUIV_Application_ReturnID_Quit);
    MUI_DisposeObject(app);
}

TEST(Tags, MoreIgnoreAndSkipAreFollowed)
{
    TagItem tail[] = {{0x80000005, 5}, {TAG_DONE, 0}};
    TagItem list[] = {{TAG_IGNORE, 0}, {0x80000001, 1},          {TAG_SKIP, 1},
                      {0x80000002, 2}, {TAG_MORE, ToIPTR(tail)}, {0x80000003, 3}};
    std::vector<IPTR> seen;
    TagItem *walk = list;
    while (TagItem *t = NextTagItem(&walk))
        seen.push_back(t->ti_Tag);
    EXPECT_EQ(seen, (std::vector<IPTR>{0x80000001, 0x80000005}));
    EXPECT_EQ(GetTagData(0x80000005, 9, list), 5u);
    EXPECT_EQ(GetTagData(0x80000002, 9, list), 9u) << "a skipped item is not found";
    EXPECT_EQ(FindTagItem(0x80000003, list), nullptr);
}

TEST(Objects, AClassWithSubclassesStays)
{
    Classes c;
    MUI_CustomClass *sub = MUI_CreateCustomClass(nullptr, nullptr, c.counter, 4, CounterDispatcher);
    ASSERT_NE(sub, nullptr);
    EXPECT_FALSE(FreeClass(c.counter->mcc_Class));
    Object *o = NewObject(sub->mcc_Class, nullptr, ATTR_Value, 0);
    SetAttrs(o, ATTR_Value, 8);
    EXPECT_EQ(DoMethod(o, METHOD_Twice), 16u) << "the subclass's own part is distinct from its superclass's";
    DisposeObject(o);
    EXPECT_TRUE(MUI_DeleteCustomClass(sub));
}
