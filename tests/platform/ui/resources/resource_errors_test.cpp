// tests/platform/ui/resources/resource_errors_test.cpp: a faulty script stops loading with a
// message that names its file and line, and a resource defined twice is a fault.
#include "platform/ui/resources/resources.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

struct Fault {
    const char* name;
    const char* script;
    int line;
    const char* message; // a part of the message
};

const Fault kFaults[] = {
    {"UnknownDialogStyle", "1 DIALOG 0,0,9,9\nSTYLE WS_POPUP | WS_FOO\nBEGIN END", 2,
     "unknown style name WS_FOO"},
    {"StyleOfAnotherFamily", "1 DIALOG 0,0,9,9\nBEGIN\n EDITTEXT 1, 0,0,9,9, PBS_SMOOTH\nEND", 3,
     "unknown style name PBS_SMOOTH"},
    {"StringRunsPastItsLine", "STRINGTABLE\nBEGIN\n 1 \"abc\nEND", 3,
     "the string does not end on its line"},
    {"UnknownEscape", "STRINGTABLE BEGIN\n1 \"a\\qb\"\nEND", 2, "unknown escape \\q"},
    {"MissingEnd", "2 MENU\nBEGIN\n MENUITEM \"a\", 1\n", 4,
     "the menu opened on line 2 has no END"},
    {"SymbolicId", "IDD_ABOUT DIALOG 0,0,9,9 BEGIN END", 1,
     "a resource starts with its numeric id"},
    {"IdOutOfRange", "\n70000 MENU BEGIN END", 2, "the resource id 70000 is not from 1 to 65535"},
    {"UnknownResourceType", "\n\n5 RCDATA \"x\"", 3, "expected a resource type"},
    {"UnknownControl", "1 DIALOG 0,0,9,9\nBEGIN\n\n  SPINNER 1,0,0,9,9\nEND", 4,
     "found \"SPINNER\""},
    {"UnknownMenuOption", "1 MENU BEGIN\nMENUITEM \"a\", 1, INACTIVE\nEND", 2,
     "expected GRAYED or CHECKED, found \"INACTIVE\""},
    {"VirtualKeyWithoutVirtkey", "1 ACCELERATORS BEGIN\n VK_F1, 5\nEND", 2,
     "the key VK_F1 needs VIRTKEY"},
    {"UnknownKeyName", "1 ACCELERATORS BEGIN\n VK_FANCY, 5, VIRTKEY\nEND", 2,
     "unknown key name VK_FANCY"},
    {"KeyOfTwoCharacters", "1 ACCELERATORS BEGIN\n\"AB\", 5, VIRTKEY\nEND", 2,
     "is not one printable character"},
    {"MissingComma", "1 DIALOG 0,0,9,9\nBEGIN\n PUSHBUTTON \"OK\" 1, 0,0,9,9\nEND", 3,
     "expected \",\", found 1"},
    {"StrayCharacter", "1 MENU\n#include BEGIN END", 2, "unexpected \"#\""},
    {"MalformedNumber", "1 TOOLBAR 16x, 15 BEGIN END", 1, "\"16x\" is not a number"},
    {"ToolbarButtonZero", "1 TOOLBAR 16, 15\nBEGIN\nBUTTON 0\nEND", 3, "is not from 1 to 65535"},
    {"FaceNameTooLong",
     "1 DIALOG 0,0,9,9\nFONT 8, \"A face name longer than thirty-one bytes\"\nBEGIN END", 2,
     "longer than 31 bytes"},
    {"MissingImage", "\n7 BITMAP \"images/none.png\"", 2,
     "the image file \"images/none.png\" does not exist"},
    {"DuplicateInOneScript", "1 MENU BEGIN END\n\n1 MENU { }", 3,
     "MENU 1 is defined twice; it was first defined in bad.rc, line 1"},
    {"DialogAndDialogexShareIds", "4 DIALOG 0,0,9,9 BEGIN END\n4 DIALOGEX 0,0,9,9 BEGIN END", 2,
     "DIALOG 4 is defined twice"},
    {"DuplicateString", "STRINGTABLE\nBEGIN\n 7 \"a\"\nEND\nSTRINGTABLE\nBEGIN\n 7 \"b\"\nEND", 7,
     "string 7 is defined twice; it was first defined in bad.rc, line 3"},
};

class ResourceFaults : public testing::TestWithParam<Fault> {};

} // namespace

TEST_P(ResourceFaults, NameScriptAndLine)
{
    const Fault& fault = GetParam();
    CResources resources;
    try {
        resources.AddScript(fault.script, "bad.rc", test_support::DataPath("rc"));
        FAIL() << "no fault reported";
    } catch (const CResourceError& e) {
        EXPECT_EQ(e.File(), "bad.rc");
        EXPECT_EQ(e.Line(), fault.line) << e.what();
        EXPECT_NE(e.Message().find(fault.message), std::string::npos) << e.what();
        EXPECT_EQ(
            std::string(e.what()).rfind("bad.rc, line " + std::to_string(fault.line) + ": ", 0),
            0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Resources, ResourceFaults, testing::ValuesIn(kFaults),
                         [](const testing::TestParamInfo<Fault>& info) {
                             return std::string(info.param.name);
                         });

TEST(Resources, DuplicateAcrossScriptsNamesTheFirstAndAddsNothing)
{
    CResources resources;
    resources.AddScript("// strings\nSTRINGTABLE { 5 \"first\" }\n", "a.rc", ".");
    try {
        resources.AddScript("9 MENU BEGIN END\nSTRINGTABLE\n{\n 5 \"second\"\n}\n", "b.rc", ".");
        FAIL() << "no fault reported";
    } catch (const CResourceError& e) {
        EXPECT_STREQ(
            e.what(),
            "b.rc, line 4: string 5 is defined twice; it was first defined in a.rc, line 2");
    }
    EXPECT_EQ(resources.FindMenu(9), nullptr);
    std::string text;
    EXPECT_TRUE(resources.LoadString(5, text));
    EXPECT_EQ(text, "first");
}

TEST(Resources, OneIdMayServeSeveralTypes)
{
    CResources resources;
    resources.AddScript("2 MENU BEGIN END\n2 ACCELERATORS BEGIN END\n2 TOOLBAR 16, 15 BEGIN END\n"
                        "2 DIALOG 0,0,9,9 BEGIN END\nSTRINGTABLE BEGIN 2 \"two\" END\n"
                        "2 BITMAP \"images/toolbar.png\"\n2 ICON \"images/record.png\"\n",
                        "types.rc", test_support::DataPath("rc"));
    EXPECT_NE(resources.FindMenu(2), nullptr);
    EXPECT_NE(resources.FindAccelerators(2), nullptr);
    EXPECT_NE(resources.FindToolbar(2), nullptr);
    EXPECT_NE(resources.FindDialog(2), nullptr);
    EXPECT_NE(resources.FindImage(ResourceType::Bitmap, 2), nullptr);
    EXPECT_NE(resources.FindImage(ResourceType::Icon, 2), nullptr);
}

TEST(Resources, EveryCompiledInScriptLoads)
{
    CResources resources;
    std::string error;
    EXPECT_TRUE(resources.LoadCompiledIn(error)) << error;
}

TEST(Resources, UnreadableScriptIsReported)
{
    CResources resources;
    try {
        resources.AddScriptFile(test_support::TempDir() + "/missing.rc");
        FAIL() << "no fault reported";
    } catch (const CResourceError& e) {
        EXPECT_EQ(e.Line(), 0);
        EXPECT_EQ(e.Message(), "the file cannot be read");
    }
}
