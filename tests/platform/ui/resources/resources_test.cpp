// tests/platform/ui/resources/resources_test.cpp: resource scripts parsed into records: every
// statement, escapes, style expressions, and faults reported with their script and line.
#include "platform/ui/resources/resources.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kChildVisible = 0x50000000; // WS_CHILD | WS_VISIBLE

class ResourcesTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_script = new CResources;
        s_script->AddScriptFile(test_support::DataPath("rc/every_statement.rc"));
    }
    static void TearDownTestSuite() { delete s_script; }

    static const CResources& Script() { return *s_script; }

    static CResources* s_script;
};

CResources* ResourcesTest::s_script = nullptr;

/// The style a one-control dialog gives its control.
DWORD ControlStyle(const std::string& control)
{
    CResources resources;
    resources.AddScript("1 DIALOG 0, 0, 10, 10\nBEGIN\n" + control + "\nEND\n", "style.rc", ".");
    return resources.FindDialog(1)->m_items.at(0).style;
}

} // namespace

TEST_F(ResourcesTest, DialogKeepsOptionsAndSetsFontStyle)
{
    const CDialogTemplate* dialog = Script().FindDialog(306);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->m_extended);
    EXPECT_EQ(dialog->Rect(), CRect(0, 0, 186, 56));
    // DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, plus DS_SETFONT for the FONT line.
    EXPECT_EQ(dialog->m_style, 0x80C800C0u);
    EXPECT_EQ(dialog->m_caption, "Rename");
    EXPECT_EQ(dialog->m_pointSize, 8);
    EXPECT_EQ(dialog->m_faceName, "MS Sans Serif");
    EXPECT_EQ(dialog->m_weight, FW_NORMAL);
    ASSERT_EQ(dialog->m_items.size(), 6u);
    const DialogItemTemplate& label = dialog->m_items[0];
    EXPECT_EQ(label.className, "Static");
    EXPECT_EQ(label.text, "File Name:");
    EXPECT_EQ(label.id, 1002);
    EXPECT_EQ(label.Rect(), CRect(7, 9, 55, 17));
    EXPECT_EQ(dialog->m_items[1].id, -1);
}

TEST_F(ResourcesTest, ExtendedDialogTakesFullFontAndBraces)
{
    const CDialogTemplate* dialog = Script().FindDialog(400);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->m_extended);
    EXPECT_EQ(dialog->m_style, 0x48C00040u); // WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT
    EXPECT_EQ(dialog->m_exStyle, 0x00010000u);
    EXPECT_EQ(dialog->m_caption, "Every \"control\"");
    EXPECT_EQ(dialog->m_weight, 700);
    EXPECT_TRUE(dialog->m_italic);
    EXPECT_EQ(dialog->m_charSet, 0);
    EXPECT_EQ(dialog->m_items.size(), 16u);
}

TEST_F(ResourcesTest, ControlsGetTheirClassAndStyle)
{
    struct Expected {
        int id;
        const char* className;
        DWORD style;
        DWORD exStyle;
        const char* text;
    };
    const Expected expected[] = {
        {-1, "Button", kChildVisible | 0x7, 0, "&Options"},
        {1001, "Button", kChildVisible | 0x00010002, 0, "Check"},
        {1002, "Button", kChildVisible | 0x3, 0, "Auto check"}, // NOT WS_TABSTOP
        {1003, "Button", kChildVisible | 0x00010006, 0, "Three states"},
        {1004, "Button", kChildVisible | 0x00030004, 0, "Radio"},
        {1005, "Button", kChildVisible | 0x00010009, 0, "Auto radio"},
        {1006, "ComboBox", kChildVisible | 0x00210103, 0, ""},
        {1007, "ListBox", kChildVisible | 0x00A00003, 0x200, ""},
        {1008, "ScrollBar", kChildVisible, 0, ""},
        {1009, "Static", kChildVisible | 0x3, 0, "130"},
        {1010, "Static", kChildVisible | 0x203, 0, "131"},
        {1011, "SysListView32", kChildVisible | 0x00800005, 0, ""},
        {1012, "SysTabControl32", kChildVisible | 0x400, 0, ""},
        {1013, "msctls_updown32", kChildVisible | 0x26, 0, ""},
        {1014, "Av_Colour_Sample", 0x40800000, 0x00020000, ""},
        {1015, "Button", kChildVisible | 0x1003, 0, "Tab\tand\nline"},
    };
    const CDialogTemplate* dialog = Script().FindDialog(400);
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->m_items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].text);
        const DialogItemTemplate& item = dialog->m_items[i];
        EXPECT_EQ(item.id, expected[i].id);
        EXPECT_EQ(item.className, expected[i].className);
        EXPECT_EQ(item.style, expected[i].style);
        EXPECT_EQ(item.exStyle, expected[i].exStyle);
        EXPECT_EQ(item.text, expected[i].text);
    }
    EXPECT_EQ(dialog->m_items[9].Rect(), CRect(170, 8, 170, 8)); // an icon without a size
}

TEST_F(ResourcesTest, MenuKeepsNestingAndStates)
{
    const MenuRecord* menu = Script().FindMenu(2);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 2u);
    const MenuItemRecord& file = menu->items[0];
    EXPECT_TRUE(file.popup);
    EXPECT_EQ(file.text, "&File");
    ASSERT_EQ(file.items.size(), 5u);
    EXPECT_EQ(file.items[0].text, "&New\tCtrl+N");
    EXPECT_EQ(file.items[0].id, 57600u);
    EXPECT_FALSE(file.items[0].grayed);
    EXPECT_TRUE(file.items[1].grayed);
    EXPECT_TRUE(file.items[2].separator);
    const MenuItemRecord& recent = file.items[3];
    EXPECT_TRUE(recent.popup && recent.grayed);
    ASSERT_EQ(recent.items.size(), 1u);
    EXPECT_TRUE(recent.items[0].checked && recent.items[0].grayed);
    EXPECT_EQ(file.items[4].id, 57665u);
    EXPECT_TRUE(menu->items[1].checked);
    EXPECT_FALSE(menu->items[1].popup);
}

TEST_F(ResourcesTest, AcceleratorsTakeKeysAndFlags)
{
    const AcceleratorRecord* table = Script().FindAccelerators(2);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->entries.size(), 5u);
    const auto check = [&](std::size_t i, BYTE flags, WORD key, WORD cmd) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table->entries[i].fVirt, flags);
        EXPECT_EQ(table->entries[i].key, key);
        EXPECT_EQ(table->entries[i].cmd, cmd);
    };
    check(0, FVIRTKEY | FCONTROL, 'N', 57600);
    check(1, FVIRTKEY | FCONTROL | FSHIFT | FALT, 'O', 57601); // the O key, not code 0x6F
    check(2, 0, '?', 57670);
    check(3, FVIRTKEY, 0x70, 57670);
    check(4, FVIRTKEY | FSHIFT, 0x2E, 57632);
}

TEST_F(ResourcesTest, StringsTakeEscapes)
{
    const std::pair<UINT, std::string> strings[] = {
        {57600, "Start a new empty file\nNew"},
        {59394, "Individuals: 999999 "},
        {59399, "Tab\there, a \"quote\" and a back\\slash"},
        {100, "Wörter in UTF-8"},
        {59400, ""},
    };
    for (const auto& [id, expected] : strings) {
        std::string text = "unset";
        EXPECT_TRUE(Script().LoadString(id, text)) << id;
        EXPECT_EQ(text, expected);
    }
    std::string text = "unchanged";
    EXPECT_FALSE(Script().LoadString(101, text));
    EXPECT_EQ(text, "unchanged");
}

TEST_F(ResourcesTest, ToolbarAndImages)
{
    const ToolbarRecord* toolbar = Script().FindToolbar(2);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->buttonWidth, 16);
    EXPECT_EQ(toolbar->buttonHeight, 15);
    EXPECT_EQ(toolbar->buttons, (std::vector<UINT>{57600, 57601, 0, 57607}));

    const std::string folder = test_support::DataPath("rc");
    const ImageRecord* bitmap = Script().FindImage(ResourceType::Bitmap, 2);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->path, folder + "/images/toolbar.png");
    ASSERT_NE(Script().FindImage(ResourceType::Icon, 128), nullptr);
    ASSERT_NE(Script().FindImage(ResourceType::Cursor, 129), nullptr);
    EXPECT_EQ(Script().FindImage(ResourceType::Icon, 2), nullptr);
    EXPECT_EQ(Script().FindImage(ResourceType::Cursor, 128), nullptr);
}

TEST(Resources, StyleExpressionsAddToDefaultsAndNotTakesAway)
{
    struct Case {
        const char* control;
        DWORD style;
    };
    const Case cases[] = {
        {"EDITTEXT 1, 0, 0, 9, 9", kChildVisible | 0x00810000},
        {"EDITTEXT 1, 0, 0, 9, 9, ES_AUTOHSCROLL | NOT WS_BORDER", kChildVisible | 0x00010080},
        {"EDITTEXT 1, 0, 0, 9, 9, NOT WS_TABSTOP | NOT WS_VISIBLE", 0x40800000},
        {"LTEXT \"x\", 1, 0, 0, 9, 9, NOT WS_GROUP | SS_NOTIFY", kChildVisible | 0x100},
        {"CONTROL \"\", 1, \"Static\", 0x0E | WS_DISABLED, 0, 0, 9, 9", 0x5800000E},
        {"CONTROL \"\", 1, \"Button\", NOT 0x10000000, 0, 0, 9, 9", 0x40000000},
        {"LISTBOX 1, 0, 0, 9, 9, NOT LBS_NOTIFY | LBS_STANDARD", kChildVisible | 0x00A00003},
        // A combo box's type replaces the keyword's simple type instead of adding to it.
        {"COMBOBOX 1, 0, 0, 9, 9", kChildVisible | 0x00010001},
        {"COMBOBOX 1, 0, 0, 9, 9, CBS_DROPDOWN", kChildVisible | 0x00010002},
        {"COMBOBOX 1, 0, 0, 9, 9, CBS_DROPDOWNLIST | CBS_SORT", kChildVisible | 0x00010103},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ControlStyle(c.control), c.style) << c.control;
}

TEST(Resources, DialogWithoutStyleIsABorderedPopup)
{
    CResources resources;
    resources.AddScript("1 DIALOG 0,0,9,9 BEGIN END\n"
                        "2 DIALOG 0,0,9,9 CAPTION \"Title\" BEGIN END\n"
                        "3 DIALOG 0,0,9,9 CAPTION \"Title\" STYLE WS_CHILD BEGIN END\n",
                        "default.rc", ".");
    EXPECT_EQ(resources.FindDialog(1)->m_style, 0x80880000u); // WS_POPUP | WS_BORDER | WS_SYSMENU
    EXPECT_EQ(resources.FindDialog(2)->m_style, 0x80C80000u); // and WS_CAPTION
    EXPECT_EQ(resources.FindDialog(3)->m_style, 0x40000000u); // a given style replaces the default
    EXPECT_EQ(resources.FindDialog(1)->m_pointSize, 0);
}
