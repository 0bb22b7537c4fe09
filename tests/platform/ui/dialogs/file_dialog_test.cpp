// tests/platform/ui/dialogs/file_dialog_test.cpp: filters parse into types, a name without an
// extension gets the chosen type's, the checks on chosen names ask or refuse, and the pickers
// are answered by the test hooks.
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/dialogs/folder_dialog.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

constexpr const char* kFilter = "GEDCOM Files (*.ged)|*.ged|Text|*.txt|Images|*.BMP; *.JPG|"
                                "Odd|*.t?t|All files (*.*)|*.*||";

TEST(FileFilter, ParsesPairsUpToTheEnd)
{
    const auto filters = ParseFileFilter(kFilter);
    ASSERT_EQ(filters.size(), 5u);
    EXPECT_EQ(filters[0].text, "GEDCOM Files (*.ged)");
    EXPECT_EQ(filters[0].patterns, std::vector<std::string>{"*.ged"});
    EXPECT_EQ(filters[2].patterns, (std::vector<std::string>{"*.BMP", "*.JPG"}));
    EXPECT_EQ(filters[4].patterns, std::vector<std::string>{"*.*"});

    EXPECT_TRUE(ParseFileFilter("").empty());
    EXPECT_TRUE(ParseFileFilter("Lonely text|").empty());
    EXPECT_EQ(ParseFileFilter("A|*.a||B|*.b||").size(), 1u); // "||" ends the list
    const auto noPattern = ParseFileFilter("Empty||");
    EXPECT_TRUE(noPattern.empty());
}

struct ExtensionCase {
    int chosenType;
    const char* defaultExt;
    const char* extension;
};

TEST(FileFilter, DefaultExtensionFollowsTheChosenType)
{
    const auto filters = ParseFileFilter(kFilter);
    const ExtensionCase cases[] = {
        {1, "ged", "ged"},
        {2, "ged", "txt"},
        {3, "ged", "BMP"},
        {4, "ged", "ged"},  // a pattern with wildcards says nothing
        {5, ".TXT", "TXT"}, // "*.*": the dialog's own, without its dot
        {0, "*.ged", "ged"},
        {9, "ged", "ged"},
        {2, "", ""}, // no default extension: names stay as typed
        // Spelt as a filter's text shows it to the user, wherever the extension came from.
        {5, ".GED", "ged"},
    };
    for (const ExtensionCase& c : cases)
        EXPECT_EQ(DefaultExtensionFor(filters, c.chosenType, c.defaultExt), c.extension)
            << "type " << c.chosenType << " default " << c.defaultExt;

    // A pattern in upper case under a text in lower case (a document template's strings); a
    // text that shows "*.gedx" does not show "*.ged"; one that shows the pattern as it is.
    const auto shown = ParseFileFilter("Trees (*.ged)|*.GED|All (*.*)|*.*||");
    EXPECT_EQ(DefaultExtensionFor(shown, 1, "GED"), "ged");
    EXPECT_EQ(DefaultExtensionFor(shown, 2, "GED"), "ged");
    EXPECT_EQ(DefaultExtensionFor(ParseFileFilter("X (*.gedx)|*.GED||"), 1, "GED"), "GED");
    EXPECT_EQ(DefaultExtensionFor(ParseFileFilter("X (*.GED)|*.GED||"), 1, "ged"), "GED");

    EXPECT_EQ(WithDefaultExtension("/data/out", "ged"), "/data/out.ged");
    EXPECT_EQ(WithDefaultExtension("/data/out.txt", "ged"), "/data/out.txt");
    EXPECT_EQ(WithDefaultExtension("/data.old/out", "ged"), "/data.old/out.ged");
    EXPECT_EQ(WithDefaultExtension("/data/out", ""), "/data/out");
}

class FilePicker : public testing::Test {
protected:
    std::string m_folder = test_support::NewFolder("picker");
    std::string m_tree = test_support::WriteFile(m_folder + "/tree.ged", "0 HEAD\n");
};

TEST_F(FilePicker, SaveNameTakesTheChosenTypesExtension)
{
    CFileDialog dialog(FALSE, "ged", nullptr, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, kFilter);
    dialog.SetInitialFolder(m_folder);
    dialog.SetFilterIndex(2);
    TestHooks::AnswerFilePicker({"notes"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), m_folder + "/notes.txt");
    EXPECT_EQ(dialog.GetFileName(), "notes.txt");
    EXPECT_EQ(dialog.GetFileTitle(), "notes");
    EXPECT_EQ(dialog.GetFileExt(), "txt");
    EXPECT_EQ(dialog.GetFolderPath(), m_folder);
}

TEST_F(FilePicker, OverwriteIsAskedAndNoOpensThePickerAgain)
{
    CFileDialog dialog(FALSE, "ged", nullptr, OFN_OVERWRITEPROMPT, kFilter);
    TestHooks::AnswerFilePicker({m_folder + "/tree"});
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerFilePicker({m_folder + "/copy"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), m_folder + "/copy.ged");
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "tree.ged already exists.\nDo you want to replace it?");
    EXPECT_EQ(shown[0].style, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);

    TestHooks::AnswerFilePicker({m_tree});
    TestHooks::AnswerMessageBox(IDYES);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), m_tree);
    EXPECT_EQ(TestHooks::TakeMessages().size(), 1u);
}

TEST_F(FilePicker, OpenRefusesMissingFilesAndKeepsExistingNames)
{
    test_support::WriteFile(m_folder + "/README", "read me");
    CFileDialog dialog(TRUE, "ged", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kFilter);
    TestHooks::AnswerFilePicker({m_folder + "/missing"});
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerFilePicker({m_folder + "/tree"}); // found with the default extension
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), m_tree);
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "\"" + m_folder +
                                 "/missing.ged\" cannot be found.\n"
                                 "Check the file name and try again.");

    TestHooks::AnswerFilePicker({m_folder + "/README"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), m_folder + "/README");
}

TEST_F(FilePicker, MultipleNamesOnlyWhenAllowed)
{
    const std::string second = test_support::WriteFile(m_folder + "/b.jpg", "x");
    CFileDialog many(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT, kFilter);
    TestHooks::AnswerFilePicker({m_tree, second});
    ASSERT_EQ(many.DoModal(), IDOK);
    EXPECT_EQ(many.GetPathNames(), (std::vector<std::string>{m_tree, second}));

    CFileDialog one(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kFilter);
    TestHooks::AnswerFilePicker({m_tree, second});
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = one.DoModal(), "answered with several");
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(FilePicker, CancelledOrUnansweredPickerEndsAsCancel)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kFilter);
    TestHooks::AnswerFilePicker({});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = dialog.DoModal(),
                            "file picker was shown with no answer queued");
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(dialog.GetPathNames().empty());
}

TEST_F(FilePicker, FolderPickerTakesOnlyFolders)
{
    CFolderDialog dialog("Choose a folder");
    TestHooks::AnswerFolderPicker(m_folder + "/");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetFolderPath(), m_folder);

    TestHooks::AnswerFolderPicker("");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetFolderPath(), "");
    TestHooks::AnswerFolderPicker(m_tree);
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = dialog.DoModal(), "which is no folder");
    EXPECT_EQ(result, IDCANCEL);
}

} // namespace
