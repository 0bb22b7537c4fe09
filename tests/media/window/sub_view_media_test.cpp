// tests/media/window/sub_view_media_test.cpp: the Multimedia window's titles follow what its list
// stands for, its panes are laid out as made, a deleted context empties it, and its commands turn
// linked objects into embedded ones and back without changing a byte.
#include "tests/media/window/media_window_fixture.h"

#include "media/window/media_window_ids.h"

#include "database/fields/text_value_node.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/client_dc.h"
#include "records/dialogs/delete_choice_dlg.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace media_window_test {
namespace {

using testing::HasSubstr;

TEST_F(MediaWindowTest, EachContextHasItsTitle)
{
    CObjRec* wedding = NewPicture(40, 30, "wedding.bmp");
    CObjRec* church = NewPicture(40, 30, "church.bmp");
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    ASSERT_TRUE(ann->AddObjectLink(wedding, 0));
    NotifyChanges();
    MakeWindow();
    EXPECT_EQ(Title(), "Multimedia Window");

    m_window->SetContextRecord(nullptr, 0, 0);
    EXPECT_EQ(Title(), "All Multimedia Records");
    EXPECT_EQ(List().GetObjectRowCount(), 2);
    for (LPARAM hint : {kHintDataSetClearing, kHintFileLoaded})
        m_window->OnUpdate(nullptr, hint, nullptr);
    EXPECT_EQ(List().GetObjectRowCount(), 2) << "a file loaded lists its multimedia records";

    m_window->SetContextRecord(wedding, 0, 0);
    EXPECT_EQ(Title(), "Multimedia Object Record - wedding.bmp");
    m_window->OnRecordChange(church, 0);
    EXPECT_EQ(Title(), "Selected Multimedia Records") << "an object added to one object";

    m_window->SetContextRecord(ann, 0, 0);
    EXPECT_THAT(Title(), HasSubstr("Multimedia linked to "));
    EXPECT_THAT(Title(), HasSubstr("Record: Ann"));
    EXPECT_EQ(m_window->GetLinkedRecord(), ann);
    m_window->OnRecordChange(wedding, 0);
    EXPECT_EQ(m_window->GetContextMode(), CSubViewMedia::kModeRecordLinks)
        << "an object the record links to keeps the record's title";
    m_window->OnRecordChange(church, 0);
    EXPECT_EQ(m_window->GetContextMode(), CSubViewMedia::kModeLinksAndMore);
    EXPECT_EQ(Title(), "Selected Multimedia Records");
    EXPECT_EQ(m_window->GetLinkedRecord(), ann);

    // A link is followed to its multimedia record; a link to another record changes nothing.
    m_window->SetContextRecord(ann->FindChild(nullptr, FIELD_OBJE), 0, 0);
    EXPECT_EQ(Title(), "Multimedia Object Record - wedding.bmp");
    CFamRec* family = Marry(nullptr, ann);
    m_window->SetContextRecord(ann->FindChild(nullptr, FIELD_FAMS), 0, 0);
    EXPECT_EQ(Title(), "Multimedia Object Record - wedding.bmp");
    EXPECT_NE(family, nullptr);
}

TEST_F(MediaWindowTest, TheListPaneTakesHalfTheWidthUpTo250Pixels)
{
    for (const auto& [width, expected] : {std::pair{800, 250}, std::pair{400, 200}}) {
        MakeWindow(width);
        CRect rect;
        List().GetWindowRect(&rect);
        EXPECT_EQ(rect.Width(), expected) << width;
        m_window.reset();
    }
    // A window made before its frame sized it, as the program makes it, at its first size.
    MakeWindow(0);
    m_window->MoveWindow(0, 0, 800, 500);
    CRect rect;
    List().GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 250);
}

TEST_F(MediaWindowTest, ADeletedContextRecordEmptiesTheWindow)
{
    CObjRec* wedding = NewPicture(40, 30);
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    ann->AddObjectLink(wedding, 0);
    NotifyChanges();
    MakeWindow();
    m_window->SetContextRecord(ann, 0, 0);
    ASSERT_EQ(List().GetObjectRowCount(), 1);
    CDataNode::DeleteNode(ann);
    NotifyChanges();
    EXPECT_EQ(Title(), "Multimedia Window");
    EXPECT_EQ(List().GetObjectRowCount(), 0);
    EXPECT_EQ(Picture().GetItem(), nullptr);

    // A record's links and more becomes a plain selection.
    CIndRec* bob = NewIndividual(SEX_MALE, "Bob /Smith/");
    bob->AddObjectLink(wedding, 0);
    NotifyChanges();
    m_window->SetContextRecord(bob, 0, 0);
    m_window->OnRecordChange(NewPicture(10, 10, "other.bmp"), 0);
    ASSERT_EQ(m_window->GetContextMode(), CSubViewMedia::kModeLinksAndMore);
    CDataNode::DeleteNode(bob);
    NotifyChanges();
    EXPECT_EQ(m_window->GetContextMode(), CSubViewMedia::kModeSelection);
    EXPECT_EQ(Title(), "Selected Multimedia Records");
}

TEST_F(MediaWindowTest, LookingAtAnObjectChangesNothingAndANoteIsMadeWhenWritten)
{
    CObjRec* wedding = NewPicture(40, 30);
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    CIndRec* bob = NewIndividual(SEX_MALE, "Bob /Smith/");
    ann->AddObjectLink(wedding, 0);
    int number = 0;
    const CRect frame(5, 5, 20, 20);
    wedding->AddFrameNote(&number, &frame);
    bob->AddObjectLink(wedding, number);
    NotifyChanges();
    MakeWindow();
    m_window->SetContextRecord(nullptr, 0, 0);
    List().SelectObjectRow(0);
    EXPECT_EQ(GetChangedRecords(), nullptr) << "selecting made or renumbered nothing";
    ASSERT_EQ(List().GetLinkRowCount(), 2);
    EXPECT_EQ(List().GetLinkEntries()[0].record, bob) << "the note pairs with its link";
    EXPECT_EQ(List().GetLinkEntries()[1].note, nullptr);

    // Writing in the note of Ann's link makes the note, and the link takes its number.
    List().SelectLinkRow(1);
    CEdit& noteEdit = List().GetNoteEdit();
    TestHooks::SetText(*noteEdit.GetParent(), noteEdit.GetDlgCtrlID(), "At the church door");
    List().CommitNote();
    const CMeLinkEntry* entry = List().GetSelectedEntry();
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry->note, nullptr);
    EXPECT_EQ(entry->record, ann);
    EXPECT_EQ(FieldNumber(
                  ann->FindChild(nullptr, FIELD_OBJE)->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER)),
              entry->number);
    const auto* note = dynamic_cast<const CTextValueNode*>(entry->note);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->GetValue(), "At the church door");
    EXPECT_THAT(List().GetLinkRowTexts()[1], HasSubstr("Ann")) << "the row shows the record";
}

TEST_F(MediaWindowTest, TheCaptionBarStoresWhatIsTypedAndAnEmptiedFieldStaysEmpty)
{
    CObjRec* wedding = NewPicture(40, 30, "wedding.bmp");
    MakeWindow();
    m_window->SetContextRecord(wedding, 0, 0);
    CMeCaptionBar& bar = m_window->GetDisplayPane().GetCaptionBar();
    EXPECT_EQ(Text(bar, CMeCaptionBar::kTitleId), "wedding.bmp");
    const auto type = [](CDataCtlBox& control, const char* text) {
        CEdit& edit = control.GetEdit();
        TestHooks::SetText(*edit.GetParent(), edit.GetDlgCtrlID(), text);
    };
    TestHooks::SetText(bar, CMeCaptionBar::kTitleId, "The wedding");
    type(bar.GetNoteCtl(), "First line\r\nSecond line");
    type(bar.GetDateCtl(), "12 jun 1921");
    bar.Commit();
    EXPECT_EQ(wedding->GetTitle(), "The wedding");
    const auto* note =
        dynamic_cast<const CTextValueNode*>(wedding->FindChild(nullptr, FIELD_EXT_NOTE));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->GetValue(), "First line\nSecond line");
    std::string date;
    ASSERT_NE(wedding->FindChild(nullptr, FIELD_OBJE_DATE), nullptr);
    wedding->FindChild(nullptr, FIELD_OBJE_DATE)->GetText(date, 0);
    EXPECT_EQ(date, "12 June 1921");
    EXPECT_EQ(Title(), "Multimedia Object Record - The wedding") << "the title follows the record";

    // Showing another object and this one again stores nothing: the date shown in its long
    // form reads back as the same date.
    CObjRec* church = NewPicture(40, 30, "church.bmp");
    NotifyChanges();
    bar.Fill(church);
    bar.Fill(wedding);
    std::string shown;
    bar.GetDateCtl().GetEdit().GetWindowText(shown);
    EXPECT_THAT(shown, HasSubstr("1921")) << "the date is shown";
    bar.Commit();
    bar.Fill(church);
    EXPECT_EQ(GetChangedRecords(), nullptr);
    bar.Fill(wedding);

    // A change notice while a title is typed keeps what is typed.
    TestHooks::SetText(bar, CMeCaptionBar::kTitleId, "");
    NewIndividual(SEX_MALE, "Bob /Smith/");
    NotifyChanges();
    EXPECT_EQ(Text(bar, CMeCaptionBar::kTitleId), "");
    bar.Commit();
    EXPECT_EQ(wedding->GetTitle(), "");
    EXPECT_NE(wedding->FindChild(nullptr, FIELD_TITL), nullptr);
}

TEST_F(MediaWindowTest, DeletingAsksTheRightQuestionAndCancelKeepsEverything)
{
    CObjRec* wedding = NewPicture(40, 30);
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    for (int i = 0; i < 3; ++i)
        ann->AddObjectLink(wedding, 0);
    NotifyChanges();
    MakeWindow();
    m_window->SetContextRecord(ann, 0, 0);
    List().GetObjectsList().SetFocus();

    // The link option, then one question for all three links; Cancel deletes nothing. The
    // option names the record whole, whatever the length of its name.
    SetField(ann, "NAME", "Annabel Rosalind Wilhelmina /Fotheringham-Smythe/");
    NotifyChanges();
    const auto chooseLink = [] {
        TestHooks::OnNextDialog(kDeleteChoiceTemplate, [](CDialog& dialog) {
            CWnd* link = dialog.GetDlgItem(IDC_DELETE_LINK);
            ASSERT_NE(link, nullptr);
            std::string text;
            link->GetWindowText(text);
            EXPECT_THAT(text, HasSubstr("FOTHERINGHAM-SMYTHE"));
            const CClientDC dc(link);
            CRect rect;
            link->GetClientRect(&rect);
            EXPECT_GT(rect.Width(), dc.GetTextExtent(text).cx) << text;
            TestHooks::Click(dialog, IDOK);
        });
    };
    chooseLink();
    TestHooks::AnswerMessageBox(IDCANCEL);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_DELETE));
    auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0].text, HasSubstr("There are 3 links"));
    EXPECT_EQ(shown[0].caption, "Delete all links?");
    EXPECT_EQ(ann->CountLinksTo(wedding), 3);

    chooseLink();
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_DELETE));
    TestHooks::TakeMessages();
    EXPECT_EQ(ann->CountLinksTo(wedding), 0);
    EXPECT_FALSE(wedding->IsPendingDeletion()) << "the record stays";

    // In the links list: a note alone.
    int number = 0;
    wedding->AddFrameNote(&number, nullptr);
    NotifyChanges();
    m_window->SetContextRecord(wedding, 0, 0);
    List().SelectLinkRow(0);
    List().GetLinksList().SetFocus();
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_DELETE));
    shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Delete the selected Note?");
    EXPECT_EQ(shown[0].caption, "Delete Selected Item");
    EXPECT_EQ(wedding->FindFrameNoteAfter(nullptr), nullptr);

    // A deleted record's place is taken by the object the list selects, shown as a click would.
    CObjRec* church = NewPicture(20, 20, "church.bmp");
    NotifyChanges();
    m_window->SetContextRecord(nullptr, 0, 0);
    ASSERT_EQ(List().GetObjectRowCount(), 2);
    List().SelectObjectNode(wedding);
    List().GetObjectsList().SetFocus();
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_DELETE));
    TestHooks::TakeMessages();
    ASSERT_EQ(List().GetObjectRowCount(), 1);
    EXPECT_EQ(List().GetCurrentObjectNode(), church);
    EXPECT_EQ(Picture().GetItem(), church);
}

TEST_F(MediaWindowTest, AbsorbAndExpelKeepTheBytes)
{
    CObjRec* record = NewPicture(33, 17, "photo.bmp");
    const std::string original = test_support::ReadFile(m_folder + "/photo.bmp");
    NotifyChanges();
    MakeWindow();
    m_window->SetContextRecord(record, 0, 0);

    EXPECT_FALSE(TestHooks::RunCommand(*m_window, ID_MEDIA_EXPEL)) << "a linked object";
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_ABSORB));
    const auto absorbed = TestHooks::TakeMessages();
    ASSERT_EQ(absorbed.size(), 1u);
    EXPECT_EQ(absorbed[0].text, "Successfully converted linked object into an embedded one");
    ASSERT_TRUE(record->IsEmbedded());
    EXPECT_EQ(test_support::ReadFile(record->GetWorkingFile()), original);

    const std::string out = m_folder + "/expelled.bmp";
    TestHooks::AnswerFilePicker({out});
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_EXPEL));
    TestHooks::TakeMessages();
    EXPECT_FALSE(record->IsEmbedded());
    EXPECT_EQ(record->GetFilePath(), out);
    EXPECT_EQ(test_support::ReadFile(out), original);
}

TEST_F(MediaWindowTest, AbsorbRefusesAFileTooLargeNamingIt)
{
    const std::string path = m_folder + "/huge.wav";
    test_support::WriteFile(path, "RIFF");
    std::filesystem::resize_file(path, std::uintmax_t(65) * 1024 * 1024);
    CObjRec* record = NewMedia(path, "wav", "Huge");
    NotifyChanges();
    MakeWindow();
    m_window->SetContextRecord(record, 0, 0);
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_ABSORB));
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0].text, HasSubstr(path));
    EXPECT_FALSE(record->IsEmbedded());
}

} // namespace
} // namespace media_window_test
