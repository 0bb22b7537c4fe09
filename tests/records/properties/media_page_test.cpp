// tests/records/properties/media_page_test.cpp: tests of the Objects page in a real properties
// box: preferences, ages, captions in frame notes, deleting a numbered link, opening a linked
// file (one that does not open, one named beside the open file, an address), and opening the
// multimedia window.
#include "records/properties/media_window_opener.h"
#include "records/properties/rec_page_media.h"

#include "database/dictionary/field_ids.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/media_item.h"
#include "database/multimedia/obj_rec.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "tests/records/properties/properties_fixture.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace properties_test;

namespace {

class MediaPageTest : public PropertiesTest {
protected:
    /// A multimedia record of a format, dated when a date is given.
    CRecordNode* Object(std::string_view title, std::string_view date = {})
    {
        CRecordNode* object = NewRecord(record_test::kObje);
        SetField(object, "FORM", "jpeg");
        SetField(object, "TITL", title);
        if (!date.empty())
            SetField(object, "_DATE", date);
        return object;
    }
    CRecPageMedia* ShowObjects(CRecordNode* record)
    {
        NotifyChanges();
        Box().SetRecord(record, nullptr);
        Box().SetLargeMode(true);
        for (int i = 0; i < Box().GetPageCount(); ++i) {
            if (auto* page = dynamic_cast<CRecPageMedia*>(Page(i))) {
                Box().SetActivePage(i);
                return page;
            }
        }
        ADD_FAILURE() << "no Objects page";
        return nullptr;
    }
    static std::vector<std::string> Column(CRecPageMedia& page, int column)
    {
        std::vector<std::string> texts;
        for (CTreeBoxNode* row = page.GetList().GetBox().GetFirstItem(); row;
             row = row->m_nextSibling)
            texts.push_back(page.GetList().GetTabField(row, column));
        return texts;
    }
    static CTreeBoxNode* RowOf(CRecPageMedia& page, const CDataNode* node)
    {
        return page.GetList().GetBox().FindItemByData(std::uintptr_t(node));
    }
};

TEST_F(MediaPageTest, PreferencesCountLinksFirstAndAgesMarkObjectsBeforeTheBirth)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CDataNode* birth = al->CreateChildByTag("BIRT");
    SetField(birth, "DATE", "1 JAN 1900");
    CDataNode* first = Link(al, "OBJE", Object("School", "1910"));
    CDataNode* second = Link(al, "OBJE", Object("Cradle", "1899"));
    CDataNode* embedded = al->CreateChildById(FIELD_OBJE_EMBEDDED);
    ASSERT_NE(embedded, nullptr);
    SetField(embedded, "FORM", "png");
    CRecPageMedia* page = ShowObjects(al);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Column(*page, 2), (std::vector<std::string>{"2", "1", "3"})) << "sorted by date";
    EXPECT_EQ(Column(*page, 4), (std::vector<std::string>{"-1 (!)", "10", ""}));

    struct Case {
        const CDataNode* node;
        bool higher;
        bool lower;
    };
    for (const Case& c :
         {Case{first, false, true}, Case{second, true, false}, Case{embedded, false, false}}) {
        page->SelectRow(RowOf(*page, c.node));
        EXPECT_EQ(bool(page->GetButton(2).IsWindowEnabled()), c.higher);
        EXPECT_EQ(bool(page->GetButton(3).IsWindowEnabled()), c.lower);
    }
    EXPECT_FALSE(page->GetButton(0).IsWindowEnabled()) << "no multimedia window yet";

    Box().SetLargeMode(false);
    EXPECT_EQ(Box().GetTabControl()->GetItemText(Box().GetPageIndex(page)), "Picture");
    EXPECT_FALSE(Visible(&page->GetList()));
    Box().SetLargeMode(true);
    EXPECT_EQ(Box().GetTabControl()->GetItemText(Box().GetPageIndex(page)), "Objects");
}

TEST_F(MediaPageTest, AnObjectWhoseFormatStandsUnderItsFileShowsIt)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    Link(al, "OBJE", Object("School"));
    CDataNode* embedded = al->CreateChildById(FIELD_OBJE_EMBEDDED, {.withChildren = false});
    ASSERT_NE(embedded, nullptr);
    SetField(SetField(embedded, "FILE", "photo.png"), "FORM", "png");
    CRecPageMedia* page = ShowObjects(al);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Column(*page, 1), (std::vector<std::string>{"jpeg", "png"}));
}

TEST_F(MediaPageTest, ACaptionForALinkWithoutFrameNoteIsKeptInTheNoteItMakes)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CRecordNode* object = Object("Wedding");
    CDataNode* link = Link(al, "OBJE", object);
    CRecPageMedia* page = ShowObjects(al);
    ASSERT_NE(page, nullptr);
    page->SelectRow(RowOf(*page, link));
    Type(page->GetCaptionEditor(), "At the church door");
    Leave();
    const CDataNode* number = Child(link, "_NUM");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(ValueOf(number), "1");
    auto* item = dynamic_cast<CObjRec*>(object);
    ASSERT_NE(item, nullptr);
    const CDataNode* note = item->FindFrameNote(1);
    ASSERT_NE(note, nullptr);
    EXPECT_NE(ValueOf(note).find("At the church door"), std::string::npos) << ValueOf(note);
    EXPECT_NE(Written(*object).find("1 NOTE At the church door"), std::string::npos)
        << Written(*object);

    TestHooks::AnswerMessageBox(IDOK);
    page->OnDeleteObject();
    EXPECT_EQ(al->FindChild(nullptr, FIELD_OBJE), nullptr);
    EXPECT_EQ(item->FindFrameNote(1), nullptr) << "the frame note goes with its link";
    EXPECT_FALSE(object->IsPendingDeletion()) << "the record itself stays";
}

TEST_F(MediaPageTest, PerformingAnActionOnAFileThatDoesNotOpenSaysWhy)
{
    const std::string folder = test_support::NewFolder("media_action");
    const std::string letter = folder + "/letter.pdf";
    test_support::WriteFile(letter, "%PDF-1.4");
    struct Case {
        std::string file;
        int shellResult;     // what the desktop answers: 2 for a missing file
        std::string message; // empty: opened without a word
    };
    const Case cases[] = {
        {folder + "/gone.pdf", 2, "The specified file was not found"},
        {letter, 31,
         "No application is registered as the default application for files of this "
         "type"},
        {letter, 42, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + std::to_string(c.shellResult));
        CIndRec* al = NewIndividual(SEX_MALE, "Al");
        CRecordNode* object = NewRecord(record_test::kObje);
        SetField(object, "FORM", "pdf");
        SetField(object, "_FILE", c.file);
        CDataNode* link = Link(al, "OBJE", object);
        CRecPageMedia* page = ShowObjects(al);
        ASSERT_NE(page, nullptr);
        page->SelectRow(RowOf(*page, link));
        ASSERT_TRUE(page->GetButton(5).IsWindowEnabled());
        test_support::Prompt().SetShellOpenResult(c.shellResult);
        TestHooks::TakeShellOpens();
        TestHooks::TakeMessages();
        if (!c.message.empty())
            TestHooks::AnswerMessageBox(IDOK);
        page->OnPerformAction();
        test_support::Prompt().SetShellOpenResult(42);
        const auto shown = TestHooks::TakeMessages();
        if (c.message.empty()) {
            EXPECT_TRUE(shown.empty());
            EXPECT_EQ(TestHooks::TakeShellOpens().size(), 1U);
        } else {
            ASSERT_EQ(shown.size(), 1U);
            EXPECT_EQ(shown[0].text, c.message);
            EXPECT_TRUE(shown[0].style & MB_ICONSTOP);
        }
    }
}

TEST_F(MediaPageTest, OpenMultimediaWindowIsGreyUntilAWindowIsInstalledThenOpensIt)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CRecordNode* object = Object("Wedding");
    CDataNode* link = Link(al, "OBJE", object);
    CRecPageMedia* page = ShowObjects(al);
    ASSERT_NE(page, nullptr);
    page->SelectRow(RowOf(*page, link));
    EXPECT_FALSE(page->GetButton(0).IsWindowEnabled());

    std::vector<std::pair<CRecordNode*, CMediaItem*>> opened;
    InstallMediaWindowOpener(
        [&](CRecordNode* record, CMediaItem* item) { opened.emplace_back(record, item); });
    page->SelectRow(RowOf(*page, link));
    ASSERT_TRUE(page->GetButton(0).IsWindowEnabled());
    ClickButton(*page, CRecPageMedia::kOpenId);
    InstallMediaWindowOpener(nullptr);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, al);
    EXPECT_EQ(opened[0].second, dynamic_cast<CObjRec*>(object));
}

TEST_F(MediaPageTest, DeletingAnObjectAsksByItsKindAndCancelKeepsIt)
{
    struct Case {
        bool link; // a link to a multimedia record, else an object field of the individual's own
        int answer;
        const char* question;
    };
    const Case cases[] = {
        {true, IDCANCEL,
         "Delete link to MultiMedia Object record?\n\n(The MultiMedia Object record itself will "
         "not be deleted)"},
        {true, IDOK,
         "Delete link to MultiMedia Object record?\n\n(The MultiMedia Object record itself will "
         "not be deleted)"},
        {false, IDCANCEL, "Delete MultiMedia Object field?"},
        {false, IDOK, "Delete MultiMedia Object field?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.question) + (c.answer == IDOK ? " OK" : " Cancel"));
        CIndRec* al = NewIndividual(SEX_MALE, "Al");
        CDataNode* node = nullptr;
        if (c.link) {
            node = Link(al, "OBJE", Object("Wedding"));
        } else {
            node = LoadField(al, "OBJE", "");
            SetField(node, "FORM", "jpeg");
            SetField(node, "TITL", "Portrait");
        }
        const CFieldDef* def = node->GetFieldDef();
        const auto kept = [al, def] {
            for (const CDataNode* child = al->GetFirstChild(); child;
                 child = child->GetNextSibling())
                if (child->GetFieldDef() == def)
                    return true;
            return false;
        };
        CRecPageMedia* page = ShowObjects(al);
        ASSERT_NE(page, nullptr);
        ASSERT_NE(RowOf(*page, node), nullptr);
        page->SelectRow(RowOf(*page, node));
        TestHooks::TakeMessages();
        TestHooks::AnswerMessageBox(c.answer);
        page->OnDeleteObject();
        EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
                  std::vector<std::string>{c.question});
        EXPECT_EQ(kept(), c.answer != IDOK);
    }
}

TEST_F(MediaPageTest, AnObjectOfAnotherProgramIsNotOpenedAndTheUserIsToldWhy)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CRecordNode* object = NewRecord(record_test::kObje);
    SetField(object, "FORM", "ole");
    SetField(object, "TITL", "Spreadsheet");
    CDataNode* link = Link(al, "OBJE", object);
    CRecPageMedia* page = ShowObjects(al);
    ASSERT_NE(page, nullptr);
    page->SelectRow(RowOf(*page, link));
    TestHooks::TakeMessages();
    TestHooks::TakeShellOpens();
    TestHooks::AnswerMessageBox(IDOK);
    page->OnPerformAction();
    EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
              std::vector<std::string>{"This object cannot be opened here: embedded and linked "
                                       "objects of other programs are not supported."});
    EXPECT_TRUE(TestHooks::TakeShellOpens().empty());
}

TEST_F(MediaPageTest, OpeningALinkedFileTakesAShortNameBesideTheOpenFileAndAnAddressAsItIs)
{
    const std::string folder = test_support::NewFolder("media_beside");
    std::filesystem::create_directories(folder + "/docs");
    test_support::WriteFile(folder + "/docs/letter.pdf", "%PDF-1.4");
    struct CFolderReset {
        ~CFolderReset() { SetLinkedFileFolder({}); }
    } reset;
    SetLinkedFileFolder(folder + "/tree.ged");
    ASSERT_NE(std::filesystem::current_path().string(), folder);
    struct Case {
        std::string stored;
        std::string opened;
    };
    const Case cases[] = {
        {"docs\\letter.pdf", folder + "/docs/letter.pdf"},
        {"http://www.geditcom.com", "http://www.geditcom.com"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        CIndRec* al = NewIndividual(SEX_MALE, "Al");
        CRecordNode* object = NewRecord(record_test::kObje);
        SetField(object, "FORM", "pdf");
        SetField(object, "_FILE", c.stored);
        CDataNode* link = Link(al, "OBJE", object);
        CRecPageMedia* page = ShowObjects(al);
        ASSERT_NE(page, nullptr);
        page->SelectRow(RowOf(*page, link));
        TestHooks::TakeShellOpens();
        page->OnPerformAction();
        EXPECT_EQ(TestHooks::TakeShellOpens(), std::vector<std::string>{c.opened});
    }
}

} // namespace
