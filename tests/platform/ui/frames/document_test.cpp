// tests/platform/ui/frames/document_test.cpp: a document's views hear of its changes, its modified
// flag decides the save question, and its template makes documents and frames from its string.
#include "tests/platform/ui/frames/frame_fixture.h"

namespace frame_test {
namespace {

TEST_F(FrameTest, UpdateAllViewsReachesEveryViewButTheSender)
{
    TestView* first = ViewOf(m_main->MDIGetActive());
    TestView* second = ViewOf(NewChild());
    TestView* third = ViewOf(NewChild());
    for (TestView* view : {first, second, third})
        view->updates.clear();

    CObject* const noObject = nullptr;
    m_doc->UpdateAllViews(second, 7, noObject);
    m_doc->UpdateAllViews(nullptr, 3);
    using Updates = std::vector<std::pair<CView*, LPARAM>>;
    EXPECT_EQ(first->updates, (Updates{{second, 7}, {nullptr, 3}}));
    EXPECT_EQ(second->updates, (Updates{{nullptr, 3}}));
    EXPECT_EQ(third->updates, (Updates{{second, 7}, {nullptr, 3}}));
}

TEST_F(FrameTest, ViewsAreListedInTheOrderTheyWereMade)
{
    CView* first = m_main->MDIGetActive()->GetActiveView();
    CView* second = NewChild()->GetActiveView();
    std::vector<CView*> walked;
    for (POSITION pos = m_doc->GetFirstViewPosition(); pos;)
        walked.push_back(m_doc->GetNextView(pos));
    EXPECT_EQ(walked, (std::vector<CView*>{first, second}));
    EXPECT_EQ(first->GetDocument(), m_doc);
}

struct SaveCase {
    const char* name;
    bool modified;
    bool titled;        // the document has a path
    int answer;         // to "Save changes to ...?", 0 for no question
    const char* picked; // the name typed in the save dialog, null when none shows, "" cancels
    bool saveSucceeds;
    bool result;
    bool savedUnder; // the file was written (under the path or the picked name)
    bool modifiedAfter;
};

void PrintTo(const SaveCase& c, std::ostream* os)
{
    *os << c.name;
}

class SaveModifiedTest : public FrameTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(SaveModifiedTest, AsksForModifiedDocumentsAndSavesOnYes)
{
    const SaveCase& c = GetParam();
    const std::string folder = test_support::NewFolder(c.name);
    if (c.titled)
        m_doc->SetPathName(folder + "/smith.tst", FALSE);
    m_doc->SetModifiedFlag(c.modified);
    m_doc->saveSucceeds = c.saveSucceeds;
    if (c.answer)
        TestHooks::AnswerMessageBox(c.answer);
    if (c.picked)
        TestHooks::AnswerFilePicker(*c.picked ? std::vector<std::string>{folder + "/" + c.picked}
                                              : std::vector<std::string>{});

    EXPECT_EQ(m_doc->SaveModified() != FALSE, c.result);
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), c.answer ? 1u : 0u);
    if (c.answer) {
        EXPECT_EQ(shown[0].text, c.titled ? "Save changes to " + folder + "/smith.tst?"
                                          : std::string("Save changes to Untitled?"));
    }
    // The template's extension is ".TST"; the name typed takes it as the filter shows it.
    const std::string expectedFile = folder + (c.titled ? "/smith.tst" : "/tree.tst");
    EXPECT_EQ(m_doc->saved,
              c.savedUnder ? std::vector<std::string>{expectedFile} : std::vector<std::string>{});
    if (c.savedUnder && c.saveSucceeds) {
        EXPECT_EQ(m_doc->GetPathName(), expectedFile);
        EXPECT_EQ(m_doc->GetTitle(), c.titled ? "smith.tst" : "tree.tst");
    }
    EXPECT_EQ(m_doc->IsModified() != FALSE, c.modifiedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Document, SaveModifiedTest,
    testing::Values(SaveCase{"Unmodified", false, true, 0, nullptr, true, true, false, false},
                    SaveCase{"No", true, true, IDNO, nullptr, true, true, false, true},
                    SaveCase{"Cancel", true, true, IDCANCEL, nullptr, true, false, false, true},
                    SaveCase{"YesWithPath", true, true, IDYES, nullptr, true, true, true, false},
                    SaveCase{"YesUntitled", true, false, IDYES, "tree", true, true, true, false},
                    SaveCase{"YesUntitledPickerCancelled", true, false, IDYES, "", true, false,
                             false, true},
                    SaveCase{"YesSaveFails", true, true, IDYES, nullptr, false, false, true, true}),
    [](const testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

TEST_F(FrameTest, TheTemplateSplitsItsDocumentString)
{
    const std::vector<std::pair<CDocTemplate::DocStringIndex, const char*>> fields = {
        {CDocTemplate::windowTitle, ""},
        {CDocTemplate::docName, ""},
        {CDocTemplate::fileNewName, "Test file"},
        {CDocTemplate::filterName, "Test Files (*.tst)"},
        {CDocTemplate::filterExt, ".TST"},
        {CDocTemplate::regFileTypeId, "Test.File"},
        {CDocTemplate::regFileTypeName, "Test File"},
    };
    for (const auto& [index, expected] : fields) {
        std::string text = "stale";
        EXPECT_EQ(m_template->GetDocString(text, index) != FALSE, *expected != '\0') << index;
        EXPECT_EQ(text, expected) << index;
    }
    // A string with fewer fields, and a template without a string.
    CMultiDocTemplate shortString(130, nullptr, nullptr, nullptr);
    std::string text;
    EXPECT_TRUE(shortString.GetDocString(text, CDocTemplate::fileNewName));
    EXPECT_EQ(text, "Record file");
    EXPECT_FALSE(shortString.GetDocString(text, CDocTemplate::filterName));
    EXPECT_FALSE(CMultiDocTemplate(131, nullptr, nullptr, nullptr)
                     .GetDocString(text, CDocTemplate::docName));
}

TEST_F(FrameTest, ATemplateNamesNewDocumentsByItsDocumentName)
{
    CMultiDocTemplate named(130, RuntimeClassOf<TestDoc>(), RuntimeClassOf<TestChild>(),
                            RuntimeClassOf<TestView>());
    CDocument* first = named.OpenDocumentFile(nullptr);
    CDocument* second = named.OpenDocumentFile(nullptr);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetTitle(), "Record1");
    EXPECT_EQ(second->GetTitle(), "Record2");
    named.CloseAllDocuments();
    EXPECT_EQ(TestDoc::Alive(), 1);
}

TEST_F(FrameTest, AFileThatCannotBeReadLeavesNoDocumentOrFrame)
{
    TestDoc::FailOpen() = true;
    EXPECT_EQ(m_template->OpenDocumentFile("/nowhere/missing.tst"), nullptr);
    TestDoc::FailOpen() = false;
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_main->GetChildren().size(), 1u);
    EXPECT_EQ(TestDoc::Alive(), 1);

    CDocument* opened = m_template->OpenDocumentFile("/data/trees/jones.tst");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetPathName(), "/data/trees/jones.tst");
    EXPECT_EQ(opened->GetTitle(), "jones.tst");
    EXPECT_EQ(m_main->GetActiveDocument(), opened);
}

} // namespace
} // namespace frame_test
