// tests/app/broadcast_test.cpp: change notices reach every view but the sender's, in the
// window's pane, mark the document modified when asked, and drop deleted records from the named
// lists before those records are freed.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/sub_view.h"

#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "platform/ui/frames/doc_template.h"
#include "queries/named_list.h"

#include <gmock/gmock.h>

#include <utility>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

/// A pane that records the hints it is told of.
class RecordingPane : public CSubView {
public:
    const CRuntimeClass* GetRuntimeClass() const override
    {
        return RuntimeClassOf<RecordingPane>();
    }
    int GetSubViewType() const override { return kSubViewReport; }
    void OnUpdate(CView* /*sender*/, LPARAM hint, CObject* /*object*/) override
    {
        hints.push_back(hint);
    }

    std::vector<LPARAM> hints;
};

class BroadcastTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start({WriteGedcom("family.ged", kFamilyFile)}));
    }

    /// A further window whose pane records its notices.
    std::pair<CAvView*, RecordingPane*> NewRecordingWindow()
    {
        CDocTemplate* docTemplate = Doc()->GetDocTemplate();
        m_app->SetSubViewRequest(RuntimeClassOf<RecordingPane>());
        CFrameWnd* frame = docTemplate->CreateNewFrame(Doc(), nullptr);
        docTemplate->InitialUpdateFrame(frame, Doc());
        m_app->SetSubViewRequest(nullptr);
        auto* view = dynamic_cast<CAvView*>(frame->GetActiveView());
        auto* pane = dynamic_cast<RecordingPane*>(view->GetSubView());
        pane->hints.clear();
        return {view, pane};
    }
};

TEST_F(BroadcastTest, AnEditReachesTheRecordsWindowAndMarksTheFileModified)
{
    GetRecordTypeRoot(kIndividuals)->CreateChild(nullptr);
    NotifyChanges();

    EXPECT_EQ(ShownRows(kIndividuals), 3);
    EXPECT_TRUE(Doc()->IsModified());
    TestHooks::RunIdle();
    EXPECT_EQ(Frame()->GetStatusBar(59393)->GetPaneText(1), "Individuals: 3");
    EXPECT_EQ(Frame()->GetStatusBar(59393)->GetPaneText(2), "Families: 1");
}

TEST_F(BroadcastTest, TheSenderIsNotToldAgainButEveryOtherViewIs)
{
    auto [firstView, firstPane] = NewRecordingWindow();
    auto [secondView, secondPane] = NewRecordingWindow();

    m_app->BroadcastUpdate(firstView, kHintDisplayOptionsApplied, nullptr, FALSE);

    EXPECT_THAT(firstPane->hints, IsEmpty());
    EXPECT_THAT(secondPane->hints, ElementsAre(kHintDisplayOptionsApplied));
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(BroadcastTest, OpeningAFileToldEveryWindowOfTheClearAndTheLoad)
{
    RecordingPane* pane = NewRecordingWindow().second;

    m_app->OpenDocumentFile(WriteGedcom("single.ged", kSingleFile).c_str());

    EXPECT_THAT(pane->hints,
                ElementsAre(kHintDataSetClearing, kHintDataSetCleared, kHintFileLoaded));
    EXPECT_EQ(ShownRows(kIndividuals), 1);
}

TEST_F(BroadcastTest, ADeletedRecordLeavesTheNamedListsBeforeItIsFreed)
{
    auto* john = dynamic_cast<CRecordNode*>(GetRecordTypeRoot(kIndividuals)->GetFirstChild());
    CNamedList* list = GetNamedList("Cousins", false);
    AddToNamedList(list, john, false, true);
    ASSERT_EQ(list->Entries().size(), 1u);

    CDataNode::DeleteNode(john);

    EXPECT_THAT(list->Entries(), IsEmpty());
    EXPECT_EQ(ShownRows(kIndividuals), 1);
}

} // namespace
} // namespace app_test
