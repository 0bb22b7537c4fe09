// tests/database/document/document_data_test.cpp: the document's title rules, and its clear, new,
// open, save and merge steps with their notices and window calls in order, and the folder that
// linked files are taken against.
#include "database/gedcom/gedcom_loader.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/obj_rec.h"
#include "platform/base/paths.h"
#include "platform/base/wait_cursor.h"
#include "tests/database/document/document_test_support.h"
#include "tests/support/file_size_limit.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace {

using DocumentDataTest = document_test::CDocumentTest;
using Log = std::vector<std::string>;

TEST(TitleFromPathTest, IsTheFileNameAfterTheLastSeparatorElseAfterTheDrive)
{
    const std::pair<const char*, const char*> cases[] = {{"C:\\data\\smith.ged", "smith.ged"},
                                                         {"A:smith.ged", "smith.ged"},
                                                         {"smith.ged", "smith.ged"},
                                                         {"/home/ann/trees/smith.ged", "smith.ged"},
                                                         {"C:\\data/trees\\smith.ged", "smith.ged"},
                                                         {"/home/ann/a:b/smith.ged", "smith.ged"},
                                                         {"/home/ann/x:smith.ged", "x:smith.ged"}};
    for (const auto& [path, title] : cases)
        EXPECT_EQ(TitleFromPath(path), title) << path;
}

TEST_F(DocumentDataTest, DeleteContentsAnnouncesTheResetOnBothSidesAndAMergeALoad)
{
    OpenSmallFile();
    m_doc.SetModifiedFlag();
    m_doc.DeleteContents();
    EXPECT_EQ(m_log, (Log{"hint 2 [3]", "hint 9 [0]"}));
    EXPECT_FALSE(m_doc.IsModified());
    // Records merged in place: the views start again as after an open, and the file is changed.
    m_log.clear();
    m_doc.TakeMergedFile();
    EXPECT_EQ(m_log, (Log{"hint 2 [0]", "hint 3 [0]"}));
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(DocumentDataTest, NewDocumentIsAnEmptyUntitledFile)
{
    OpenSmallFile();
    m_doc.SetModifiedFlag();
    m_doc.NewDocument();
    EXPECT_EQ(m_log, (Log{"hint 2 [3]", "hint 9 [0]", "title Untitled", "records -1"}));
    EXPECT_EQ(m_doc.GetPathName(), "");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(DocumentDataTest, OpenClearsLoadsAnnouncesThenNamesAndShowsTheFile)
{
    OpenSmallFile();
    m_doc.SetModifiedFlag();
    const std::string path = SmallFile("smith.ged");
    ASSERT_TRUE(m_doc.OpenDocument(path));
    EXPECT_EQ(m_log, (Log{"repaint", "hint 2 [3]", "hint 9 [0]", "hint 3 [3]", "recent " + path,
                          "title smith.ged", "records 0"}));
    EXPECT_EQ(m_doc.GetPathName(), path);
    EXPECT_FALSE(m_doc.IsModified());
    const auto calls = m_progress.TakeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().text, "Loading file...");
}

class CMovedFileLinks final : public IFileLinksDialog {
public:
    bool ShowMovedFile(const std::string&, const std::string&) override
    {
        ++m_shown;
        return m_changes;
    }
    int m_shown = 0;
    bool m_changes = true;
};

TEST_F(DocumentDataTest, FileWhoseLinksWereUpdatedOnLoadOpensModified)
{
    // Only a dialog that changed stored names leaves the file modified.
    for (const bool changes : {true, false}) {
        CMovedFileLinks dialog;
        dialog.m_changes = changes;
        SetFileLinksDialog(&dialog);
        const bool opened = m_doc.OpenDocument(
            File("moved.ged", gedcom_test::CrLf({"0 HEAD", "1 FILE C:\\Old\\moved.ged",
                                                 "0 @O1@ OBJE", "1 FORM jpg", "0 TRLR"})));
        SetFileLinksDialog(nullptr);
        ASSERT_TRUE(opened);
        EXPECT_EQ(dialog.m_shown, 1);
        EXPECT_EQ(m_doc.IsModified(), changes);
    }
}

TEST_F(DocumentDataTest, LinkedFilesAreLookedForBesideTheFileOpenFromItsLoadOn)
{
    /// The folder linked files are taken against when the load checks them.
    class CFolderAtLoad final : public IFileLinksDialog {
    public:
        bool ShowMovedFile(const std::string&, const std::string&) override
        {
            m_folder = GetLinkedFileFolder();
            return false;
        }
        std::string m_folder = "not asked";
    } dialog;
    SetFileLinksDialog(&dialog);
    const std::string path =
        File("tree.ged", gedcom_test::CrLf({"0 HEAD", "1 FILE C:\\Old\\tree.ged", "0 @O1@ OBJE",
                                            "1 FORM bmp", "1 _FILE pics\\p.bmp", "0 TRLR"}));
    std::filesystem::create_directories(PathOf("pics"));
    test_support::WriteFile(PathOf("pics/p.bmp"), "BM-beside");
    const bool opened = m_doc.OpenDocument(path);
    SetFileLinksDialog(nullptr);
    ASSERT_TRUE(opened);
    const std::string folder = paths::Folder(path);
    EXPECT_EQ(dialog.m_folder, folder);
    EXPECT_EQ(GetLinkedFileFolder(), folder);
    auto* picture = dynamic_cast<CObjRec*>(GetRecordTypeRoot(RECORD_LIST_OBJE)->GetFirstChild());
    ASSERT_NE(picture, nullptr);
    picture->Lock();
    EXPECT_NE(picture->GetContent(), nullptr) << picture->GetErrorText();
    picture->Unlock();

    m_doc.NewDocument();
    EXPECT_EQ(GetLinkedFileFolder(), "") << "an untitled file has no folder";
    m_doc.SetPathName(PathOf("saved/as.ged"));
    EXPECT_EQ(GetLinkedFileFolder(), PathOf("saved"));
    m_doc.ForgetPathName();
}

TEST_F(DocumentDataTest, FailedOpenLeavesAnUntitledDocumentAndAnnouncesNoLoad)
{
    struct Case {
        const char* content; // null: no file at all
        const char* message; // what the load tells; null for nothing
    };
    for (const Case& c :
         {Case{nullptr, "Unable to open file."}, Case{"Dear Ann,\nthis is a letter.\n", nullptr}}) {
        SCOPED_TRACE(c.content ? "not GEDCOM" : "missing");
        OpenSmallFile();
        const std::string path = c.content ? File("bad.ged", c.content) : PathOf("missing.ged");
        m_messages.clear();
        EXPECT_FALSE(m_doc.OpenDocument(path));
        ASSERT_EQ(m_messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(m_messages[0].message, c.message);
        }
        EXPECT_EQ(m_log, (Log{"repaint", "hint 2 [3]", "hint 9 [0]"}));
        EXPECT_EQ(m_doc.GetPathName(), "");
        EXPECT_EQ(m_doc.GetTitle(), "Untitled");
        EXPECT_FALSE(m_doc.IsModified());
    }
}

TEST_F(DocumentDataTest, SaveKeepsTheOpenedFilesFormatAndNewFilesGetCrLf)
{
    ASSERT_TRUE(m_doc.OpenDocument(SmallFile("unix.ged", "\n")));
    m_doc.SetModifiedFlag();
    std::string error;
    const std::string out = PathOf("out.ged");
    ASSERT_TRUE(m_doc.SaveDocument(out, error)) << error;
    EXPECT_FALSE(m_doc.IsModified());
    const std::string saved = test_support::ReadFile(out);
    EXPECT_NE(saved.find("0 @I2@ INDI\n1 NAME Bob /Smith/\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.find('\r'), std::string::npos);

    m_doc.NewDocument();
    ASSERT_TRUE(m_doc.SaveDocument(out, error)) << error;
    EXPECT_NE(test_support::ReadFile(out).find("0 TRLR\r\n"), std::string::npos);
}

TEST_F(DocumentDataTest, FailedSaveLeavesTheFileAndTheDocumentModified)
{
    const std::string path = SmallFile("smith.ged");
    ASSERT_TRUE(m_doc.OpenDocument(path));
    const std::string before = test_support::ReadFile(path);
    m_doc.SetModifiedFlag();
    std::string error;
    bool saved = true;
    {
        const FileSizeLimit fullDisk(64);
        saved = m_doc.SaveDocument(path, error);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(error, std::strerror(EFBIG));
    EXPECT_EQ(test_support::ReadFile(path), before);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(DocumentDataTest, SaveShowsTheBusyPointerForItsTimeOnly)
{
    struct CRecordingSink final : IWaitCursorSink {
        void ShowWaitCursor(bool show) override { m_shown.push_back(show); }
        std::vector<bool> m_shown;
    } sink;
    ASSERT_TRUE(m_doc.OpenDocument(SmallFile("smith.ged")));
    SetWaitCursorSink(&sink);
    std::string error;
    const bool saved = m_doc.SaveDocument(PathOf("out.ged"), error);
    SetWaitCursorSink(nullptr);
    EXPECT_TRUE(saved) << error;
    EXPECT_EQ(sink.m_shown, (std::vector<bool>{true, false}));
}

} // namespace
