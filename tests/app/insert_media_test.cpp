// tests/app/insert_media_test.cpp: the Insert commands for pictures, other multimedia and
// documents make multimedia records linked to the chosen files (named beside the open file),
// linked from the selected record; Insert OLE Object says it cannot be done.
#include "tests/app/app_fixture.h"
#include "tests/app/test_panes.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "media/window/me_pic_file_dlg.h"
#include "media/window/sub_view_media.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/multimedia/obj_rec.h"
#include "platform/ui/frames/ole_client_item.h"
#include "platform/ui/windows/message.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace app_test {
namespace {

using testing::ElementsAre;

constexpr int kMultimedia = 7;

std::vector<CObjRec*> MultimediaRecords()
{
    std::vector<CObjRec*> records;
    for (CDataNode* node = GetRecordTypeRoot(kMultimedia)->GetFirstChild(); node;
         node = node->GetNextSibling())
        records.push_back(dynamic_cast<CObjRec*>(node));
    return records;
}

class InsertMediaTest : public PaneAppTest {
protected:
    void SetUp() override
    {
        PaneAppTest::SetUp();
        m_app->OpenDocumentFile(WriteGedcom("single.ged", kSingleFile).c_str());
    }
    void TearDown() override
    {
        Script() = PaneScript();
        AppTest::TearDown();
    }
};

TEST_F(InsertMediaTest, ChosenFilesBecomeRecordsLinkedFromTheSelectedIndividual)
{
    CDataNode* ann = GetRecordTypeRoot(kIndividuals)->GetFirstChild();
    Script().selection = ann;
    const std::string picture = test_support::DataPath("torture55/ImgFile.PNG");
    const std::string renamed = test_support::WriteFile(
        test_support::NewFolder("insert") + "/photo.bmp",
        test_support::ReadFile(test_support::DataPath("torture55/ImgFile.JPG")));
    TestHooks::AnswerFilePicker({picture, renamed});
    ASSERT_TRUE(Run(ID_INSERT_PICTURES));

    const std::vector<CObjRec*> records = MultimediaRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->GetFilePath(), picture);
    EXPECT_EQ(records[0]->GetFormatText(), "png");
    EXPECT_EQ(records[1]->GetFormatText(), "jpeg") << "the type comes from the content";
    EXPECT_FALSE(records[0]->IsEmbedded());
    EXPECT_EQ(records[0]->GetMediaTypeName(), "Picture");
    CDataNode* link = nullptr;
    EXPECT_EQ(static_cast<CRecordNode*>(ann)->GetNextLinkedPicture(link, true, nullptr),
              records[0]);
    EXPECT_TRUE(Doc()->IsModified());

    // Other multimedia and documents take their extension as the format.
    TestHooks::AnswerFilePicker({test_support::DataPath("torture55/force.wav")});
    ASSERT_TRUE(Run(ID_INSERT_MULTIMEDIA));
    TestHooks::AnswerFilePicker({test_support::DataPath("torture55/Document.RTF")});
    ASSERT_TRUE(Run(ID_INSERT_DOCUMENT));
    const std::vector<CObjRec*> all = MultimediaRecords();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[2]->GetMediaTypeName(), "Sound");
    EXPECT_EQ(all[3]->GetFormatText(), "rtf");
    EXPECT_EQ(all[3]->GetMediaTypeName(), "Document");
}

TEST_F(InsertMediaTest, WithoutASelectionTheRecordsStandAloneAndCancelDoesNothing)
{
    TestHooks::AnswerFilePicker({});
    ASSERT_TRUE(Run(ID_INSERT_PICTURES));
    EXPECT_TRUE(MultimediaRecords().empty());
    EXPECT_FALSE(Doc()->IsModified());

    TestHooks::AnswerFilePicker({test_support::DataPath("torture55/ImgFile.TGA")});
    ASSERT_TRUE(Run(ID_INSERT_PICTURES));
    ASSERT_EQ(MultimediaRecords().size(), 1u);
    EXPECT_EQ(MultimediaRecords()[0]->GetFormatText(), "tga");
    CDataNode* link = nullptr;
    EXPECT_EQ(static_cast<CRecordNode*>(GetRecordTypeRoot(kIndividuals)->GetFirstChild())
                  ->GetNextLinkedPicture(link, false, nullptr),
              nullptr);
}

TEST_F(InsertMediaTest, ANameWithoutAFolderIsTakenBesideTheOpenFileNotInTheCurrentFolder)
{
    const std::string beside = test_support::WriteFile(
        m_folder + "/photo.png",
        test_support::ReadFile(test_support::DataPath("torture55/ImgFile.PNG")));
    ASSERT_NE(std::filesystem::current_path().string(), m_folder);
    TestHooks::AnswerFilePicker({"photo.png"});
    ASSERT_TRUE(Run(ID_INSERT_PICTURES));

    EXPECT_THAT(MessageTexts(), testing::IsEmpty());
    ASSERT_EQ(MultimediaRecords().size(), 1u);
    CObjRec* record = MultimediaRecords()[0];
    EXPECT_EQ(record->GetFilePath(), beside);
    EXPECT_EQ(record->GetFormatText(), "png") << "the type comes from the file beside";
}

TEST_F(InsertMediaTest, TheNewObjectsShowInTheMultimediaWindowAsTheDialogChose)
{
    CDataNode* ann = GetRecordTypeRoot(kIndividuals)->GetFirstChild();
    Script().selection = ann;
    const std::string picture = test_support::DataPath("torture55/ImgFile.PNG");
    // Inserted as an unlinked record, embedded.
    TestHooks::AnswerFilePicker({picture}, [](CFileDialog& picker) {
        TestHooks::Click(*picker.GetPanel(), CMePicFilePanel::kUnlinkedId);
        TestHooks::Click(*picker.GetPanel(), CMePicFilePanel::kEmbedId);
    });
    ASSERT_TRUE(Run(ID_INSERT_PICTURES));
    ASSERT_EQ(MultimediaRecords().size(), 1u);
    EXPECT_TRUE(MultimediaRecords()[0]->IsEmbedded());
    CDataNode* link = nullptr;
    EXPECT_EQ(static_cast<CRecordNode*>(ann)->GetNextLinkedPicture(link, false, nullptr), nullptr);
    CAvView* view = m_app->GetNextViewOfKind(nullptr, kSubViewMedia);
    ASSERT_NE(view, nullptr);
    auto* window = dynamic_cast<CSubViewMedia*>(view->GetSubView());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetListPane().GetObjectRowCount(), 1);

    // Work with Multimedia Objects lists them all in the same window.
    ASSERT_TRUE(Run(ID_WORK_WITH_MEDIA));
    EXPECT_EQ(m_app->GetNextViewOfKind(nullptr, kSubViewMedia), view);
    std::string title;
    window->GetTitle(title);
    EXPECT_EQ(title, "All Multimedia Records");

    // Locked, the window says so in its title.
    view->GetParentFrame()->ActivateFrame();
    ASSERT_TRUE(Run(ID_LOCK_WINDOW));
    window->GetTitle(title);
    EXPECT_EQ(title, "All Multimedia Records (LOCKED)");
}

TEST_F(InsertMediaTest, AnOleObjectCannotBeInserted)
{
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(ID_OLE_INSERT_NEW));
    EXPECT_THAT(MessageTexts(), ElementsAre(kOleUnavailableText));
    EXPECT_TRUE(MultimediaRecords().empty());
}

} // namespace
} // namespace app_test
