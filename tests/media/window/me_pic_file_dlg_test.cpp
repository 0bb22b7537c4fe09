// tests/media/window/me_pic_file_dlg_test.cpp: the picture file picker's panel offers what the
// current record allows, refuses embedding a field's picture, previews the first chosen file
// (a name with blanks whole), and fits a large picture into the preview area.
#include "tests/media/window/media_window_fixture.h"

#include "media/window/me_pic_file_dlg.h"

#include "database/kin/ind_rec.h"
#include "platform/ui/dialogs/button.h"

#include <gmock/gmock.h>

namespace media_window_test {
namespace {

using Panel = CMePicFilePanel;

class PicFileDlgTest : public MediaWindowTest {
protected:
    /// Runs the dialog answered with path; drive acts on the panel first.
    int Run(CMePicFileDlg& dialog, const std::string& path,
            const std::function<void(CDialog&)>& drive)
    {
        TestHooks::AnswerFilePicker({path}, [&](CFileDialog& picker) {
            CDialog* panel = picker.GetPanel();
            ASSERT_NE(panel, nullptr);
            ASSERT_NE(panel->GetSafeHwnd(), nullptr);
            drive(*panel);
        });
        return dialog.DoModal();
    }
};

TEST_F(PicFileDlgTest, OnlyTheAllowedOptionsAreOfferedAndEmbeddingAFieldIsRefused)
{
    const std::string path = NewPicture(20, 10)->GetFilePath();
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");

    CMePicFileDlg alone(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "All files (*.*)|*.*||");
    alone.m_insertAs = CMePicFileDlg::kField;
    alone.m_canField = TRUE;
    alone.m_canLinkRecord = TRUE;
    ASSERT_EQ(Run(alone, path,
                  [](CDialog& panel) {
                      EXPECT_FALSE(panel.GetDlgItem(Panel::kLinkedRecordId)->IsWindowEnabled());
                      EXPECT_FALSE(panel.GetDlgItem(Panel::kFieldId)->IsWindowEnabled());
                      EXPECT_EQ(panel.IsDlgButtonChecked(Panel::kUnlinkedId), BST_CHECKED);
                  }),
              IDOK);
    EXPECT_EQ(alone.m_insertAs, CMePicFileDlg::kUnlinkedRecord) << "without a current record";

    CMePicFileDlg dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "All files (*.*)|*.*||");
    dialog.m_pContext = ann;
    dialog.m_canField = TRUE;
    dialog.m_canLinkRecord = TRUE;
    dialog.m_insertAs = CMePicFileDlg::kLinkedRecord;
    ASSERT_EQ(Run(dialog, path,
                  [](CDialog& panel) {
                      std::string text;
                      panel.GetDlgItemText(Panel::kLinkedRecordId, text);
                      EXPECT_THAT(text, testing::StartsWith("record, linked to Ann"));
                      // Embedding first, then the field: refused, back to the link.
                      TestHooks::Click(panel, Panel::kEmbedId);
                      TestHooks::AnswerMessageBox(IDOK);
                      TestHooks::Click(panel, Panel::kFieldId);
                      EXPECT_EQ(panel.IsDlgButtonChecked(Panel::kStoreLinkId), BST_CHECKED);
                      // The field first, then embedding: refused as well.
                      TestHooks::AnswerMessageBox(IDOK);
                      TestHooks::Click(panel, Panel::kEmbedId);
                      EXPECT_EQ(panel.IsDlgButtonChecked(Panel::kEmbedId), BST_UNCHECKED);
                  }),
              IDOK);
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, "Option combination not allowed");
    EXPECT_THAT(shown[0].text, testing::HasSubstr("cannot also embed"));
    EXPECT_THAT(shown[1].text, testing::HasSubstr("You cannot embed a copy"));
    EXPECT_EQ(dialog.m_insertAs, CMePicFileDlg::kField);
    EXPECT_EQ(dialog.m_storage, CMePicFileDlg::kStoreLink);
}

TEST_F(PicFileDlgTest, ThePreviewShowsTheFirstChosenFileWhole)
{
    const std::string spaced = NewPicture(40, 20, "my photo.bmp")->GetFilePath();
    struct Row {
        std::string typed, previewed;
    };
    const Row rows[] = {
        {spaced, spaced},
        {"\"" + spaced + "\" \"other.bmp\"", spaced},
        {"  \"a b.png\"", "a b.png"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FirstChosenName(row.typed), row.previewed) << row.typed;

    CMePicFileDlg dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "All files (*.*)|*.*||");
    ASSERT_EQ(Run(dialog, spaced,
                  [&](CDialog& panel) {
                      TestHooks::Click(panel, Panel::kPreviewId);
                      dialog.OnFileNameChange(spaced);
                      const TestHooks::Image image = TestHooks::RenderWindow(panel);
                      const CRect area = dialog.GetOptionsPanel().GetPreviewRect();
                      // The picture's top-left quarter colour at the centre-left of the area.
                      const CPoint centre = area.CenterPoint();
                      EXPECT_EQ(image.Pixel(centre.x - 10, centre.y - 5), RGB(250, 230, 180));
                  }),
              IDOK);
    EXPECT_EQ(dialog.m_path, spaced);
}

TEST_F(PicFileDlgTest, ALargePictureIsFittedAndCentred)
{
    EXPECT_EQ(PreviewPlacement(CSize(2000, 1000), CRect(0, 0, 200, 150)), CRect(0, 25, 200, 125));
    EXPECT_EQ(PreviewPlacement(CSize(50, 40), CRect(10, 10, 210, 160)), CRect(85, 65, 135, 105))
        << "a small picture keeps its size";
    EXPECT_TRUE(PreviewPlacement(CSize(0, 40), CRect(0, 0, 10, 10)).IsRectEmpty());
}

} // namespace
} // namespace media_window_test
