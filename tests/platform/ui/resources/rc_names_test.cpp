// tests/platform/ui/resources/rc_names_test.cpp: the combined style names equal the styles they
// combine, and key names cover the numbered keys.
#include "platform/ui/detail/rc_names.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

namespace {

DWORD Combined(std::initializer_list<std::string_view> names)
{
    DWORD value = 0;
    for (const std::string_view name : names)
        value |= RcStyleValue(name).value();
    return value;
}

} // namespace

TEST(RcNames, CombinedStylesEqualTheirParts)
{
    EXPECT_EQ(RcStyleValue("WS_OVERLAPPEDWINDOW"),
              Combined({"WS_OVERLAPPED", "WS_CAPTION", "WS_SYSMENU", "WS_THICKFRAME",
                        "WS_MINIMIZEBOX", "WS_MAXIMIZEBOX"}));
    EXPECT_EQ(RcStyleValue("WS_POPUPWINDOW"), Combined({"WS_POPUP", "WS_BORDER", "WS_SYSMENU"}));
    EXPECT_EQ(RcStyleValue("WS_CAPTION"), Combined({"WS_BORDER", "WS_DLGFRAME"}));
    EXPECT_EQ(RcStyleValue("WS_EX_OVERLAPPEDWINDOW"),
              Combined({"WS_EX_WINDOWEDGE", "WS_EX_CLIENTEDGE"}));
    EXPECT_EQ(RcStyleValue("WS_EX_PALETTEWINDOW"),
              Combined({"WS_EX_WINDOWEDGE", "WS_EX_TOOLWINDOW", "WS_EX_TOPMOST"}));
    EXPECT_EQ(RcStyleValue("DS_SHELLFONT"), Combined({"DS_SETFONT", "DS_FIXEDSYS"}));
    EXPECT_EQ(RcStyleValue("LBS_STANDARD"),
              Combined({"LBS_NOTIFY", "LBS_SORT", "WS_VSCROLL", "WS_BORDER"}));
    EXPECT_EQ(RcStyleValue("BS_CENTER"), Combined({"BS_LEFT", "BS_RIGHT"}));
    EXPECT_EQ(RcStyleValue("BS_VCENTER"), Combined({"BS_TOP", "BS_BOTTOM"}));
    EXPECT_EQ(RcStyleValue("SS_WORDELLIPSIS"), Combined({"SS_ENDELLIPSIS", "SS_PATHELLIPSIS"}));
}

TEST(RcNames, NamesAreExactAndOfKnownFamilies)
{
    for (const char* name : {"WS_CHILD", "DS_MODALFRAME", "ES_AUTOHSCROLL", "BS_PUSHLIKE",
                             "SS_ETCHEDHORZ", "CBS_DROPDOWNLIST", "LBS_NOINTEGRALHEIGHT",
                             "SBS_VERT", "TCS_FIXEDWIDTH", "UDS_SETBUDDYINT", "LVS_REPORT"})
        EXPECT_TRUE(RcStyleValue(name).has_value()) << name;
    for (const char* name : {"ws_child", "WS_", "WS_CHILDX", "PBS_SMOOTH", "VK_F1", "MF_GRAYED"})
        EXPECT_FALSE(RcStyleValue(name).has_value()) << name;
}

TEST(RcNames, NumberedKeys)
{
    EXPECT_EQ(RcVirtualKey("VK_F1"), 0x70);
    EXPECT_EQ(RcVirtualKey("VK_F12"), 0x7B);
    EXPECT_EQ(RcVirtualKey("VK_F24"), 0x87);
    EXPECT_EQ(RcVirtualKey("VK_NUMPAD0"), 0x60);
    EXPECT_EQ(RcVirtualKey("VK_NUMPAD9"), 0x69);
    EXPECT_EQ(RcVirtualKey("VK_ESCAPE"), 0x1B);
    for (const char* name : {"VK_F0", "VK_F25", "VK_F01", "VK_NUMPAD10", "VK_F", "VK_A", "vk_f1"})
        EXPECT_FALSE(RcVirtualKey(name).has_value()) << name;
}
