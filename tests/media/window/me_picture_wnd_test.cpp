// tests/media/window/me_picture_wnd_test.cpp: frames on a picture: drawn with the rubber band and
// linked to a record, moved and resized with the tracker; the hover highlight and the animated
// scroll on the virtual clock; huge pictures, pictures that do not load, and frames of records
// deleted while shown; each file of the torture test by its format word.
#include "tests/media/window/media_window_fixture.h"

#include "media/window/file_type_icon.h"
#include "media/window/me_create_link_dlg.h"
#include "media/window/media_window_ids.h"
#include "media/window/picture_scroll.h"

#include "database/fields/rect_node.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/obj_note_node.h"
#include "database/nodes/change_tracking.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/windows/sys_metrics.h"
#include "records/dialogs/select_record_dlg.h"

#include <gmock/gmock.h>

namespace media_window_test {
namespace {

using testing::HasSubstr;

class PictureWndTest : public MediaWindowTest {
protected:
    /// The window showing the picture record alone.
    void Show(CObjRec* record)
    {
        NotifyChanges();
        MakeWindow();
        m_window->SetContextRecord(record, 0, 0);
        ASSERT_EQ(Picture().GetItem(), record);
    }
    /// Answers the Create Link question with the radio button choice, then the record list.
    void AnswerLinkTo(int choice, CRecordNode* record)
    {
        TestHooks::OnNextDialog(kCreateLinkTemplate, [choice](CDialog& dialog) {
            TestHooks::Click(dialog, choice);
            TestHooks::Click(dialog, IDOK);
        });
        if (!record)
            return;
        TestHooks::OnNextDialog(kSelectRecordListTemplate, [record](CDialog& dialog) {
            auto& list = dynamic_cast<CSelectRecordListDlg&>(dialog);
            CTagGrid& grid = list.GetGrid();
            grid.SelectRow(grid.FindRowByRecord(record), false, true);
            TestHooks::Click(dialog, IDOK);
        });
    }
    static CRect NoteFrame(const CMeLinkEntry& entry)
    {
        CRect frame;
        int number = 0;
        GetFrame(*entry.note, frame, number);
        return frame;
    }
    /// The client point of picture pixel (x, y) before scrolling: below the caption's band.
    CPoint At(int x, int y) { return CPoint(x, y + Picture().GetCaptionHeight()); }
    CSize PictureClient()
    {
        CRect client;
        Picture().GetClientRect(&client);
        return client.Size();
    }
};

TEST_F(PictureWndTest, ARubberBandFrameIsLinkedToARecordThenMovedAndResized)
{
    CObjRec* picture = NewPicture(600, 400);
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    Show(picture);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_NEW_FRAME_LINK));
    EXPECT_EQ(m_window->GetToolMode(), kToolNewFrame);

    AnswerLinkTo(CMeCreateLinkDlg::kIndividualId, ann);
    Drag(At(60, 50), At(10, 10));
    ASSERT_EQ(List().GetLinkRowCount(), 1);
    const CMeLinkEntry* entry = List().GetSelectedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->record, ann);
    EXPECT_EQ(NoteFrame(*entry), CRect(10, 10, 60, 50)) << "drawn from bottom right, stored normal";
    EXPECT_EQ(FieldNumber(
                  ann->FindChild(nullptr, FIELD_OBJE)->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER)),
              entry->number);
    EXPECT_EQ(m_window->GetToolMode(), kToolSelectFrame) << "the new frame shows its handles";

    // Moved by its inside, then resized by its bottom-right handle.
    Drag(At(30, 30), At(40, 45));
    entry = List().GetSelectedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(NoteFrame(*entry), CRect(20, 25, 70, 65));
    Drag(At(67, 62), At(87, 72));
    entry = List().GetSelectedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(NoteFrame(*entry), CRect(20, 25, 90, 75));
    EXPECT_EQ(entry->record, ann);

    // A band drawn past the picture's edge is cut to the picture.
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_NEW_FRAME_LINK));
    AnswerLinkTo(CMeCreateLinkDlg::kNothingId, nullptr);
    Drag(At(580, 380), At(700, 450));
    entry = List().GetSelectedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->record, nullptr);
    EXPECT_EQ(NoteFrame(*entry), CRect(580, 380, 600, 400));
}

TEST_F(PictureWndTest, TheHotFrameGoesHalfASecondAfterTheMouseLeaves)
{
    CObjRec* picture = NewPicture(300, 200);
    int number = 0;
    const CRect frame(20, 20, 80, 60);
    picture->AddFrameNote(&number, &frame);
    Show(picture);
    TestHooks::PostMouse(Picture(), TestHooks::MouseEvent::Move, At(50, 40), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(Picture().GetHotFrame(), frame);

    // Still over the window: the highlight stays.
    TestHooks::AdvanceClock(600);
    EXPECT_EQ(Picture().GetHotFrame(), frame);

    TestHooks::PostMouse(List(), TestHooks::MouseEvent::Move, CPoint(5, 5), 0);
    TestHooks::DeliverPosted();
    TestHooks::AdvanceClock(100);
    EXPECT_EQ(GetWindowUnderMouse(), &List());
    EXPECT_EQ(Picture().GetHotFrame(), frame);
    TestHooks::AdvanceClock(400);
    EXPECT_TRUE(Picture().GetHotFrame().IsRectEmpty());
}

TEST_F(PictureWndTest, AnAnimatedScrollEndsOnItsTargetAfterOneSecond)
{
    CObjRec* picture = NewPicture(2000, 1500);
    int number = 0;
    const CRect inside(10, 10, 50, 50);
    const CRect far(1500, 1200, 1600, 1300);
    picture->AddFrameNote(&number, &inside);
    picture->AddFrameNote(&number, &far);
    Show(picture);

    List().SelectLinkRow(0);
    EXPECT_FALSE(Picture().IsAnimating()) << "a frame in view needs no scroll";
    EXPECT_EQ(Picture().GetScrollPosition(), CPoint(0, 0));

    List().SelectLinkRow(1);
    ASSERT_TRUE(Picture().IsAnimating());
    const CSize client = PictureClient();
    const CPoint target(1600 - client.cx, 1300 + Picture().GetCaptionHeight() - client.cy);
    TestHooks::AdvanceClock(500);
    const CPoint half = Picture().GetScrollPosition();
    EXPECT_GT(half.x, 0);
    EXPECT_LT(half.x, target.x);
    TestHooks::AdvanceClock(500);
    EXPECT_EQ(Picture().GetScrollPosition(), target);
    EXPECT_FALSE(Picture().IsAnimating());
}

TEST_F(PictureWndTest, TheThumbFollowsOnAPictureOfAnySize)
{
    CObjRec* picture = NewPicture(40000, 20, "wide.bmp");
    Show(picture);
    TestHooks::ScrollBarAction(Picture(), SB_HORZ, SB_LINEDOWN);
    EXPECT_EQ(Picture().GetScrollPosition().x, 20);
    TestHooks::ScrollBarAction(Picture(), SB_HORZ, SB_THUMBTRACK, 35000);
    EXPECT_EQ(Picture().GetScrollPosition().x, 35000);
    TestHooks::ScrollBarAction(Picture(), SB_HORZ, SB_BOTTOM);
    EXPECT_EQ(Picture().GetScrollPosition().x,
              MaxScrollPos(40000 + kPictureMargin, PictureClient().cx));
}

TEST_F(PictureWndTest, BadFramesAndPicturesAndDeletedRecordsAreShownSafely)
{
    // A picture file that is no picture: its text shows, nothing else.
    CObjRec* broken =
        NewMedia(test_support::WriteFile(m_folder + "/broken.bmp", "not a picture"), "bmp");
    Show(broken);
    EXPECT_THAT(Picture().GetDisplayText(), HasSubstr("Unable to load object."));
    TestHooks::RenderWindow(m_host);

    // A frame stored with its edges reversed, and one of a record deleted while shown.
    CObjRec* picture = NewPicture(200, 100);
    int number = 0;
    const CRect reversed(150, 80, 100, 40);
    picture->AddFrameNote(&number, &reversed);
    CIndRec* bob = NewIndividual(SEX_MALE, "Bob /Smith/");
    const CRect frame(10, 10, 40, 40);
    picture->AddFrameNote(&number, &frame);
    bob->AddObjectLink(picture, number);
    NotifyChanges();
    m_window->SetContextRecord(picture, 0, 0);
    ASSERT_EQ(List().GetLinkRowCount(), 2);
    EXPECT_EQ(List().GetLinkEntries()[0].frame, CRect(100, 40, 150, 80));
    List().SelectLinkRow(1);
    ASSERT_EQ(List().GetSelectedEntry()->record, bob);
    CDataNode::DeleteNode(bob);
    NotifyChanges();
    ASSERT_EQ(List().GetLinkRowCount(), 2);
    EXPECT_EQ(List().GetLinkEntries()[1].record, nullptr) << "the note stays, its record gone";
    EXPECT_EQ(Picture().GetSelectedLink().record, nullptr);
    TestHooks::RenderWindow(m_host);
}

TEST_F(PictureWndTest, ThePictureWithItsFramesRenders)
{
    CObjRec* picture = NewPicture(500, 360);
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    int number = 0;
    const CRect first(40, 30, 200, 150);
    const CRect second(260, 180, 420, 320);
    picture->AddFrameNote(&number, &first);
    ann->AddObjectLink(picture, number);
    picture->AddFrameNote(&number, &second);
    Show(picture);
    List().SelectLinkRow(0);
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_SELECT_FRAME));
    TestHooks::PostMouse(Picture(), TestHooks::MouseEvent::Move, At(300, 200), 0);
    TestHooks::DeliverPosted();
    TestHooks::AdvanceClock(1000);
    const TestHooks::Image image = TestHooks::RenderWindow(m_host);
    image.SavePng("media_window.png");
    // The selected frame's handle is drawn black in the picture window.
    CRect at;
    Picture().GetWindowRect(&at);
    CRect host;
    m_host.GetWindowRect(&host);
    const CPoint corner(at.left - host.left + first.left + 2,
                        at.top - host.top + Picture().GetCaptionHeight() + first.top + 2);
    EXPECT_EQ(image.Pixel(corner.x, corner.y), RGB(0, 0, 0));
    // The caption has its band above the picture, which starts below it.
    ASSERT_GT(Picture().GetCaptionHeight(), 0);
    const CPoint origin(at.left - host.left, at.top - host.top);
    EXPECT_EQ(image.Pixel(origin.x + 1, origin.y + 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(image.Pixel(origin.x + 1, origin.y + Picture().GetCaptionHeight() + 1),
              RGB(250, 230, 180));

    // Without a tool the frame under the mouse is outlined.
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_SELECT_FRAME));
    TestHooks::PostMouse(Picture(), TestHooks::MouseEvent::Move, At(300, 200), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(Picture().GetHotFrame(), second);
    TestHooks::RenderWindow(m_host).SavePng("media_window_hot.png");
}

TEST_F(PictureWndTest, AnotherFileShowsThePictureOfItsKind)
{
    const std::string path = test_support::WriteFile(m_folder + "/song.wav", "RIFF....WAVE");
    Show(NewMedia(path, "wav", "Song"));
    const TestHooks::Image image = TestHooks::RenderWindow(Picture());
    image.SavePng("media_window_sound.png");
    int drawn = 0;
    const int top = Picture().GetCaptionHeight() + 8;
    for (int y = top; y < top + 32; ++y)
        for (int x = 8; x < 40; ++x)
            drawn += image.Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_GT(drawn, 50) << "the sound picture";
    EXPECT_TRUE(Picture().CanPerformAction());
    TestHooks::TakeShellOpens();
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_ACTION));
    EXPECT_EQ(TestHooks::TakeShellOpens().size(), 1u);

    // A linked file that has gone, or that is a folder, is named and not opened.
    for (const std::string& gone : {m_folder + "/gone.wav", test_support::NewFolder("a.wav")}) {
        m_window->SetContextRecord(NewMedia(gone, "wav", "Gone"), 0, 0);
        TestHooks::AnswerMessageBox(IDOK);
        ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_ACTION));
        const auto shown = TestHooks::TakeMessages();
        ASSERT_EQ(shown.size(), 1u) << gone;
        EXPECT_THAT(shown[0].text, HasSubstr("cannot be found"));
        EXPECT_TRUE(TestHooks::TakeShellOpens().empty());
    }
}

TEST_F(PictureWndTest, EachFileOfTheTortureTestShowsAsItsFormatWordSays)
{
    // The torture file's own format words: a picture word shows the picture; any other word
    // shows the file's kind, and a picture another program shows is drawn as one.
    const struct {
        const char* file;
        const char* format;
        UINT icon; // 0: the picture itself
    } rows[] = {
        {"ImgFile.BMP", "bmp", 0},
        {"ImgFile.JPG", "jpeg", 0},
        {"ImgFile.PNG", "png", 0},
        {"ImgFile.TIF", "tiff", 0},
        {"ImgFile.PCX", "pcx", 0},
        {"ImgFile.PSD", "psd", 0},
        {"ImgFile.TGA", "tga", 0},
        {"ImgFile.GIF", "gif", IDB_FILE_PICTURE},
        {"ImgFile.TGA", "TPIC", IDB_FILE_PICTURE},
        {"ImgFile.PSD", "8BPS", IDB_FILE_PICTURE},
        {"ImgFile.PIC", "PICT", IDB_FILE_OTHER},
        {"ImgFile.MAC", "PNTG", IDB_FILE_OTHER},
        {"force.wav", "wav", IDB_FILE_SOUND},
        {"Document.DOC", "W8BN", IDB_FILE_DOCUMENT},
        {"Document.pdf", "PDF", IDB_FILE_DOCUMENT},
        {"Document.tex", "TEXT", IDB_FILE_OTHER},
    };
    for (const auto& row : rows) {
        const std::string path = test_support::DataPath(std::string("torture55/") + row.file);
        Show(NewMedia(path, row.format, row.file));
        const CMediaItem& item = *Picture().GetItem();
        EXPECT_EQ(Picture().GetDisplayText(), row.file) << row.format;
        if (row.icon == 0) {
            EXPECT_EQ(item.GetExtent(), CSize(100, 100)) << row.format;
        } else {
            EXPECT_EQ(item.GetKind(), MEDIA_KIND_OTHER) << row.format;
            EXPECT_EQ(FileTypeIconId(item), row.icon) << row.format;
        }
    }
}

} // namespace
} // namespace media_window_test
