// tests/records/window/file_links_test.cpp: the external file links: splitting stored names, the
// tree they make (addresses kept out), presence beside the open file, moves and renames, and the
// dialog applying the moved ones to the data set.
#include "records/window/file_links_dlg.h"

#include "database/dictionary/field_ids.h"
#include "database/multimedia/file_links.h"
#include "database/multimedia/linked_file_location.h"
#include "platform/base/paths.h"
#include "platform/ui/dialogs/dialog.h"
#include "tests/records/window/records_window_fixture.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <set>

namespace records_window_test {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

TEST(SplitFilePath, DrivesNetworkNamesRootedAndBareNames)
{
    const struct {
        const char* name;
        const char* drive;
        std::vector<std::string> folders;
        const char* file;
    } cases[] = {
        {"\\\\srv\\share\\a\\b.jpg", "\\\\srv\\share", {"a"}, "b.jpg"},
        {"\\\\srv\\share\\f.jpg", "\\\\srv\\share", {}, "f.jpg"},
        {"C:\\x\\y.jpg", "C:", {"x"}, "y.jpg"},
        {"  d:pic.jpg", "d:", {}, "pic.jpg"},
        {"photo.jpg", "", {}, "photo.jpg"},
        {"\\\\photo.jpg", "\\\\photo.jpg", {}, ""},
        {"\\pics\\photo.jpg", "", {"pics"}, "photo.jpg"},
        {"/home/ann/p.png", "/", {"home", "ann"}, "p.png"},
        {"/home//ann\\..\\p.png", "/", {"home", "ann", ".."}, "p.png"},
        {"C:\\pics\\", "C:", {"pics"}, ""},
        {"C:", "C:", {}, ""},
        {"\\", "", {}, ""},
        {"", "", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FilePathParts parts = SplitFilePath(c.name);
        EXPECT_EQ(parts.m_drive, c.drive);
        EXPECT_EQ(parts.m_folders, c.folders);
        EXPECT_EQ(parts.m_file, c.file);
    }
    const std::string longName = "C:\\" + std::string(3000, 'f') + "\\" + std::string(2000, 'g');
    EXPECT_EQ(SplitFilePath(longName).m_file.size(), 2000u);
}

/// A tree whose presence answers come from a set of paths.
class FileLinkTreeTest : public testing::Test {
protected:
    CFileLinkTree m_tree{[this](const std::string& path, bool) { return m_onDisk.count(path); }};
    std::set<std::string> m_onDisk;

    std::vector<std::string> Paths() const
    {
        std::vector<std::string> paths;
        for (FileLinkNode* file : m_tree.Files())
            paths.push_back(CFileLinkTree::GetItemPath(*file));
        return paths;
    }
    std::vector<std::string> TopTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& top : m_tree.Top())
            texts.push_back(top->m_text);
        return texts;
    }
};

TEST_F(FileLinkTreeTest, DrivesAndNetworkNamesMatchInAnyCaseRootedNamesInTheirOwn)
{
    for (const char* name : {"D:\\Pics\\a.jpg", "c:\\x.jpg", "d:\\pics\\b.jpg", "/home/A/x.png",
                             "/home/a/y.png", "\\\\Srv\\Share\\f.jpg", "\\\\srv\\share\\g.jpg",
                             "photo.jpg", "albums\\one.jpg", "ALBUMS/two.jpg", "", "C:", "\\"})
        m_tree.AddLink(name, nullptr);

    EXPECT_THAT(TopTexts(), ElementsAre("c:", "D:", "/", "\\\\Srv\\Share", "photo.jpg", "albums"))
        << "letter drives in letter order";
    EXPECT_THAT(Paths(),
                ElementsAre("c:\\x.jpg", "D:\\Pics\\a.jpg", "D:\\Pics\\b.jpg", "/home/A/x.png",
                            "/home/a/y.png", "\\\\Srv\\Share\\f.jpg", "\\\\Srv\\Share\\g.jpg",
                            "photo.jpg", "albums\\one.jpg", "albums\\two.jpg"));
}

TEST_F(FileLinkTreeTest, AddressesNeverEnterTheTreeDrivesDo)
{
    for (const char* address :
         {"http://www.geditcom.com", "https://example.org/a.jpg", "ftp://ftp.genealogy.org/g/",
          "mailto:support@geditcom.com", "file:///home/ann/p.png", "svn+ssh://host/tree.ged",
          "  http://homepages.rootsweb.com/~pmcbride/gedcom/55gctoc.htm"})
        EXPECT_EQ(m_tree.AddLink(address, nullptr), nullptr) << address;
    EXPECT_TRUE(m_tree.Top().empty());

    for (const char* file : {"C:\\x.jpg", "d:pic.jpg", "pics/a:b.jpg"})
        EXPECT_NE(m_tree.AddLink(file, nullptr), nullptr) << file;
    EXPECT_THAT(Paths(), ElementsAre("C:\\x.jpg", "d:\\pic.jpg", "pics\\a:b.jpg"));
}

TEST_F(FileLinkTreeTest, AFileUnderAMissingFolderIsMissingUntilTheFolderExists)
{
    m_onDisk = {"/", "/home", "/home/ann/p.png"};
    FileLinkNode* file = m_tree.AddLink("/home/ann/p.png", nullptr);
    FileLinkNode* other = m_tree.AddLink("/home/q.png", nullptr);
    EXPECT_EQ(file->m_state, FileLinkNode::kMissing) << "its folder is missing";
    EXPECT_EQ(other->m_state, FileLinkNode::kMissing);
    m_onDisk.insert({"/home/ann", "/home/q.png"});
    m_tree.Refresh();
    EXPECT_EQ(file->m_state, FileLinkNode::kPresent);
    EXPECT_EQ(other->m_state, FileLinkNode::kPresent);
}

TEST_F(FileLinkTreeTest, MovesKeepTheirRulesAndEmptyFoldersGo)
{
    FileLinkNode* a = m_tree.AddLink("C:\\old\\deep\\a.jpg", nullptr);
    FileLinkNode* b = m_tree.AddLink("C:\\old\\deep\\b.jpg", nullptr);
    FileLinkNode* c = m_tree.AddLink("C:\\keep\\c.jpg", nullptr);
    FileLinkNode* drive = m_tree.Top().front().get();
    FileLinkNode* keep = c->m_parent;
    FileLinkNode* inner = m_tree.FindOrAddFolder("C:\\keep\\inner");
    ASSERT_EQ(inner->m_parent, keep);

    EXPECT_EQ(m_tree.Move({a, c}, keep), CFileLinkTree::MoveResult::kNotOneFolder);
    EXPECT_EQ(m_tree.Move({drive}, keep), CFileLinkTree::MoveResult::kIncludesDrive);
    EXPECT_EQ(m_tree.Move({keep}, inner), CFileLinkTree::MoveResult::kIntoItself);
    EXPECT_THAT(Paths(),
                ElementsAre("C:\\old\\deep\\a.jpg", "C:\\old\\deep\\b.jpg", "C:\\keep\\c.jpg"));

    ASSERT_EQ(m_tree.Move({a, b}, inner), CFileLinkTree::MoveResult::kMoved);
    EXPECT_THAT(Paths(),
                ElementsAre("C:\\keep\\c.jpg", "C:\\keep\\inner\\a.jpg", "C:\\keep\\inner\\b.jpg"));
    EXPECT_EQ(drive->m_children.size(), 1u) << "\"old\" and \"deep\" were left empty";

    FileLinkNode* home = m_tree.FindOrAddFolder("/home/ann");
    ASSERT_EQ(m_tree.Move({keep}, home), CFileLinkTree::MoveResult::kMoved);
    EXPECT_THAT(Paths(), ElementsAre("/home/ann/keep/c.jpg", "/home/ann/keep/inner/a.jpg",
                                     "/home/ann/keep/inner/b.jpg"));
    CFileLinkTree::Rename(*keep, "");
    CFileLinkTree::Rename(*keep, "kept");
    EXPECT_EQ(CFileLinkTree::GetItemPath(*c), "/home/ann/kept/c.jpg");
}

TEST(FileLinkPresence, ANameWithoutARootIsLookedForBesideTheOpenFileNotInTheCurrentFolder)
{
    struct CFolderReset {
        ~CFolderReset() { SetLinkedFileFolder({}); }
    } reset;
    const std::string folder = test_support::NewFolder("links_beside");
    std::filesystem::create_directories(folder + "/Pics");
    test_support::WriteFile(folder + "/Pics/a.jpg", "jpeg");
    SetLinkedFileFolder(folder + "/tree.ged");
    ASSERT_NE(std::filesystem::current_path().string(), folder);

    CFileLinkTree tree;
    const FileLinkNode* present = tree.AddLink("pics\\a.jpg", nullptr);
    const FileLinkNode* missing = tree.AddLink("pics/gone.jpg", nullptr);
    ASSERT_NE(present, nullptr);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(present->m_parent->m_state, FileLinkNode::kPresent);
    EXPECT_EQ(present->m_state, FileLinkNode::kPresent);
    EXPECT_EQ(missing->m_state, FileLinkNode::kMissing);
}

class FileLinksDialogTest : public RecordsWindowTest {
protected:
    CDataNode* NewLinkedPicture(const std::string& name)
    {
        CRecordNode* picture = NewRecord(kObje);
        CDataNode* file = picture->AddTextChild(FIELD_OBJE_LINKED_FILE, name);
        EXPECT_NE(file, nullptr);
        return file;
    }
    static std::string Stored(const CDataNode* field)
    {
        std::string text;
        field->GetText(text, 0);
        return text;
    }
};

TEST_F(FileLinksDialogTest, TheDatabaseListsEveryLinkedFileButEmbeddedContent)
{
    NewLinkedPicture("C:\\a.jpg");
    CRecordNode* person = NewIndividual(SEX_MALE, "John /Smith/");
    CDataNode* object = person->CreateChildById(FIELD_OBJE_EMBEDDED);
    ASSERT_NE(object, nullptr);
    CDataNode* file = object->FindChild(nullptr, FIELD_FILE);
    ASSERT_NE(file, nullptr) << "an object's file is made with it";
    ASSERT_TRUE(file->SetText("/home/b.png"));
    NotifyChanges();
    std::vector<std::string> names;
    CollectFileLinks([&](CDataNode&, const std::string& name) { names.push_back(name); });
    EXPECT_THAT(names, ElementsAre("/home/b.png", "C:\\a.jpg")) << "in list order";
}

TEST_F(FileLinksDialogTest, AMoveIsAppliedToTheStoredNamesOnOk)
{
    CDataNode* first = NewLinkedPicture("C:\\fam\\pics\\a.jpg");
    CDataNode* second = NewLinkedPicture("C:\\fam\\pics\\b.jpg");
    NotifyChanges();
    const std::string target = test_support::NewFolder("links");

    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        auto& links = static_cast<CFileLinksDlg&>(dialog);
        FileLinkNode* pics = links.GetLinkTree().Files().front()->m_parent;
        links.SelectNodes({pics});
        TestHooks::AnswerFolderPicker(target);
        TestHooks::Click(dialog, CFileLinksDlg::kMoveButton);
        TestHooks::Click(dialog, IDOK);
    });
    CFileLinksDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(Stored(first), target + "/pics/a.jpg");
    EXPECT_EQ(Stored(second), target + "/pics/b.jpg");
}

TEST_F(FileLinksDialogTest, OkWritesOnlyTheMovedLinksEveryOtherNameKeepsItsBytes)
{
    // Names the tree shows otherwise: forward slashes, a drive or folder in another case than
    // the node they share, addresses, blanks before the name.
    const std::vector<std::string> kept = {"C:/fam/pics/a.jpg",
                                           "c:\\FAM\\pics\\b.jpg",
                                           "pics/c.jpg",
                                           "PICS\\d.jpg",
                                           "http://www.geditcom.com",
                                           "mailto:support@geditcom.com",
                                           "  C:\\fam\\lead.jpg",
                                           "d:pic.jpg",
                                           "/home/ann//e.png"};
    std::vector<CDataNode*> fields;
    for (const std::string& name : kept)
        fields.push_back(NewLinkedPicture(name));
    CDataNode* moved = NewLinkedPicture("C:\\fam\\old\\f.jpg");
    NotifyChanges();
    const std::string target = test_support::NewFolder("kept");

    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        auto& links = static_cast<CFileLinksDlg&>(dialog);
        for (FileLinkNode* file : links.GetLinkTree().Files())
            if (file->m_link == moved)
                links.SelectNodes({file});
        TestHooks::AnswerFolderPicker(target);
        TestHooks::Click(dialog, CFileLinksDlg::kMoveButton);
        TestHooks::Click(dialog, IDOK);
    });
    CFileLinksDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(Stored(moved), target + "/f.jpg");
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(Stored(fields[i]), kept[i]);
}

TEST_F(FileLinksDialogTest, GoToAsksToSaveAndNamesTheLink)
{
    CDataNode* link = NewLinkedPicture("photo.jpg");
    NotifyChanges();
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        auto& links = static_cast<CFileLinksDlg&>(dialog);
        FileLinkNode* file = links.GetLinkTree().Files().front();
        links.SelectNodes({file});
        EXPECT_EQ(links.GetWhereUsed().GetSelectedRecord(false), nullptr);
        EXPECT_NE(links.GetWhereUsed().GetBox().GetFirstItem(), nullptr) << "the record using it";
        TestHooks::Click(dialog, CFileLinksDlg::kGoTo);
    });
    CFileLinksDlg dialog;
    EXPECT_EQ(dialog.DoModal(), CFileLinksDlg::kGoTo);
    EXPECT_EQ(dialog.GetChosenLink(), link);
    EXPECT_THAT(MessageTexts(), IsEmpty()) << "nothing changed, nothing to save";
}

TEST_F(FileLinksDialogTest, ResizingMovesTheButtonsAndGrowsTheListsButNeverBelowTheOpeningSize)
{
    NewLinkedPicture("photo.jpg");
    NotifyChanges();
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        auto& links = static_cast<CFileLinksDlg&>(dialog);
        CRect opening;
        dialog.GetClientRect(&opening);
        const CRect ok = PlaceInParent(*dialog.GetDlgItem(IDOK));
        const CRect move = PlaceInParent(*dialog.GetDlgItem(CFileLinksDlg::kMoveButton));
        const CRect tree = PlaceInParent(links.GetTreeBox());
        const CRect grid = PlaceInParent(links.GetWhereUsed());

        TestHooks::DragWindowSize(dialog, opening.Width() + 100, opening.Height() + 80);
        CRect moved = ok;
        moved.OffsetRect(100, 80);
        EXPECT_EQ(PlaceInParent(*dialog.GetDlgItem(IDOK)), moved);
        moved = move;
        moved.OffsetRect(100, 0);
        EXPECT_EQ(PlaceInParent(*dialog.GetDlgItem(CFileLinksDlg::kMoveButton)), moved);
        const CRect bigTree = PlaceInParent(links.GetTreeBox());
        const CRect bigGrid = PlaceInParent(links.GetWhereUsed());
        EXPECT_EQ(bigTree.Width(), tree.Width() + 100);
        EXPECT_GT(bigTree.Height(), tree.Height());
        EXPECT_EQ(bigGrid.bottom, grid.bottom + 80);
        EXPECT_GT(bigGrid.top, bigTree.bottom);

        TestHooks::DragWindowSize(dialog, opening.Width() / 2, opening.Height() / 2);
        CRect client;
        dialog.GetClientRect(&client);
        EXPECT_EQ(client.Size(), opening.Size());
        EXPECT_EQ(PlaceInParent(*dialog.GetDlgItem(IDOK)), ok);
        // The shared edge is kept in proportion, to a pixel.
        EXPECT_NEAR(PlaceInParent(links.GetTreeBox()).bottom, tree.bottom, 1);
        TestHooks::Click(dialog, IDCANCEL);
    });
    CFileLinksDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(FileLinksDialogTest, AFileOpenedFromAnotherFolderTakesItsLinksAlong)
{
    CDataNode* beside = NewLinkedPicture("C:\\Fam\\pics\\a.jpg");
    CDataNode* there = NewLinkedPicture("C:\\Fam\\b.jpg");
    CDataNode* slashed = NewLinkedPicture("c:/FAM/d.jpg");
    CDataNode* elsewhere = NewLinkedPicture("D:\\other\\c.jpg");
    CDataNode* otherCase = NewLinkedPicture("d:/OTHER/e.jpg");
    CDataNode* address = NewLinkedPicture("http://homepages.rootsweb.com/~pmcbride/g.htm");
    NotifyChanges();
    const std::string folder = test_support::NewFolder("moved");

    std::string explanation;
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        dialog.GetDlgItemText(CFileLinksDlg::kExplanation, explanation);
        TestHooks::Click(dialog, IDOK);
    });
    EXPECT_TRUE(CMovedFileLinks().ShowMovedFile(folder + "/tree.ged", "c:\\fam\\tree.ged"));
    EXPECT_THAT(explanation, HasSubstr("opened from another place"));
    EXPECT_THAT(explanation, HasSubstr("c:\\fam\\tree.ged"));

    EXPECT_EQ(Stored(beside), folder + "/pics/a.jpg");
    EXPECT_EQ(Stored(there), folder + "/b.jpg");
    EXPECT_EQ(Stored(slashed), folder + "/d.jpg");
    EXPECT_EQ(Stored(elsewhere), "D:\\other\\c.jpg");
    EXPECT_EQ(Stored(otherCase), "d:/OTHER/e.jpg");
    EXPECT_EQ(Stored(address), "http://homepages.rootsweb.com/~pmcbride/g.htm");
}

TEST_F(FileLinksDialogTest, ALinkToAFileThatIsThereIsNeverMovedToWhereTheFileIsNot)
{
    // The file was saved beside its picture and restored alone into another folder.
    const std::string saved = test_support::NewFolder("saved");
    const std::string restored = test_support::NewFolder("restored");
    const std::string picture = test_support::WriteFile(saved + "/thomas.png", "png");
    CDataNode* link = NewLinkedPicture(picture);
    CDataNode* gone = NewLinkedPicture(saved + "/gone.png");
    test_support::WriteFile(restored + "/gone.png", "png");
    NotifyChanges();

    std::string explanation;
    std::vector<FileLinkNode*> kept;
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        dialog.GetDlgItemText(CFileLinksDlg::kExplanation, explanation);
        kept = static_cast<CFileLinksDlg&>(dialog).GetKeptLinks();
        TestHooks::Click(dialog, IDOK);
    });
    EXPECT_TRUE(CMovedFileLinks().ShowMovedFile(restored + "/tree.ged", saved + "/tree.ged"));
    EXPECT_EQ(Stored(link), picture);
    EXPECT_EQ(Stored(gone), restored + "/gone.png") << "a file found only beside the new file";
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0]->m_link, link);
    EXPECT_THAT(explanation, HasSubstr("thomas.png"));

    // Nothing to move: the dialog changed nothing and says so.
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate,
                            [](CDialog& dialog) { TestHooks::Click(dialog, IDOK); });
    EXPECT_FALSE(CMovedFileLinks().ShowMovedFile(restored + "/tree.ged", saved + "/tree.ged"));
    EXPECT_EQ(Stored(link), picture);
}

} // namespace
} // namespace records_window_test
