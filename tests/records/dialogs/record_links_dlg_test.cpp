// tests/records/dialogs/record_links_dlg_test.cpp: tests of the Record Links dialog and the Data
// Reference Assistant.
#include "records/dialogs/data_ref_dlg.h"
#include "records/dialogs/record_links_dlg.h"

#include "database/dictionary/record_type_table.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ind_test;

namespace {

class RecordDialogsTest : public CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        controls_test::UseCompiledResources();
        InstallExpressionEngine();
    }
    void TearDown() override
    {
        TestHooks::TakeMessages();
        CIndRecTest::TearDown();
    }
    /// The records of the grid's top-level rows in order.
    static std::vector<CRecordNode*> Rows(CTagGrid& grid)
    {
        std::vector<CRecordNode*> records;
        for (CTreeBoxNode* row = grid.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
            records.push_back(static_cast<CRecordNode*>(CTagGrid::NodeOf(row)));
        return records;
    }
    /// The combo box's index of the item with that text; -1 when none.
    static int ItemOf(CDialog& dlg, int id, const std::string& text)
    {
        auto* combo = dynamic_cast<CComboBox*>(dlg.GetDlgItem(id));
        for (int i = 0; combo && i < combo->GetCount(); ++i) {
            std::string item;
            combo->GetLBText(i, item);
            if (item == text)
                return i;
        }
        return -1;
    }
    static std::string Text(CDialog& dlg, int id)
    {
        std::string text;
        dlg.GetDlgItemText(id, text);
        return text;
    }
};

TEST_F(RecordDialogsTest, RecordLinksListTheLinkingRecordsFilteredByType)
{
    CIndRec* kid = Person(SEX_MALE, "Kid");
    CIndRec* dad = Person(SEX_MALE, "Dad");
    CFamRec* family = Marry(dad, nullptr, {kid});
    CIndRec* friendOf = Person(SEX_FEMALE, "Pal");
    Link(friendOf, "ASSO", kid);
    NotifyChanges();

    CRecordLinksDlg dialog;
    dialog.m_record = kid;
    TestHooks::OnNextDialog(kRecordLinksTemplate, [&](CDialog& dlg) {
        EXPECT_EQ(Text(dlg, IDC_LINKS_HEADING), "Records linked to Individual " + TextOf(kid));
        EXPECT_EQ(Rows(dialog.GetGrid()), (std::vector<CRecordNode*>{family, friendOf}));
        EXPECT_EQ(dialog.GetGrid().GetExtraText(dialog.GetGrid().FindRowByRecord(friendOf), 0), "1")
            << "one link from that record";
        EXPECT_FALSE(dlg.GetDlgItem(IDC_LINKS_GO_TO)->IsWindowEnabled());

        TestHooks::SelectItem(dlg, IDC_LINKS_TYPES, ItemOf(dlg, IDC_LINKS_TYPES, "Note"));
        EXPECT_TRUE(Rows(dialog.GetGrid()).empty());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_LINKS_GO_TO)->IsWindowEnabled());

        TestHooks::SelectItem(dlg, IDC_LINKS_TYPES, ItemOf(dlg, IDC_LINKS_TYPES, "Family"));
        EXPECT_EQ(Rows(dialog.GetGrid()), std::vector<CRecordNode*>{family});
        dialog.GetGrid().SelectRow(dialog.GetGrid().FindRowByRecord(family), false, true);
        EXPECT_TRUE(dlg.GetDlgItem(IDC_LINKS_GO_TO)->IsWindowEnabled());
        TestHooks::Click(dlg, IDC_LINKS_GO_TO);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_goTo, family);
}

TEST_F(RecordDialogsTest, ARecordNothingLinksToShowsNoRows)
{
    CRecordLinksDlg dialog;
    dialog.m_record = Person(SEX_MALE, "Alone");
    NotifyChanges();
    TestHooks::OnNextDialog(kRecordLinksTemplate, [&](CDialog& dlg) {
        EXPECT_TRUE(Rows(dialog.GetGrid()).empty());
        TestHooks::Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_goTo, nullptr);
}

class CInsertRecorder final : public IDataRefInsertSink {
public:
    void InsertDataRef(CDataRefDlg&, const std::string& text) override { m_texts.push_back(text); }
    std::vector<std::string> m_texts;
};

/// The top-level item of the tree with that label, opened, and then its child of that label.
CTreeBoxNode* FindItem(CTypeTree& tree, const std::string& top, const std::string& child)
{
    for (CTreeBoxNode* node = tree.GetFirstItem(); node; node = node->m_nextSibling) {
        if (tree.GetItemLabel(node) != top)
            continue;
        tree.ExpandItem(node, true, 1);
        for (CTreeBoxNode* inner = node->m_firstChild; inner; inner = inner->m_nextSibling)
            if (tree.GetItemLabel(inner) == child)
                return inner;
    }
    return nullptr;
}

TEST_F(RecordDialogsTest, InsertModeHandsEachReferenceBetweenPercentSigns)
{
    CInsertRecorder sink;
    CDataRefDlg dialog(nullptr, RecordTypeIndexToMask(RECORD_LIST_INDI), CDataRefDlg::kModeInsert,
                       &sink);
    TestHooks::OnNextDialog(kDataRefTemplate, [&](CDialog& dlg) {
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_DATAREF_CLOSE_AFTER), UINT(BST_CHECKED));
        EXPECT_FALSE(dlg.GetDlgItem(IDC_DATAREF_INSERT)->IsWindowEnabled());
        CTreeBoxNode* name = FindItem(dialog.GetTree(), "Individual", "Name");
        ASSERT_NE(name, nullptr);
        dialog.GetTree().SelectItem(name, true);
        EXPECT_EQ(Text(dlg, IDC_DATAREF_TEXT), "%INDI.NAME%");
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DATAREF_INSERT)->IsWindowEnabled());
        TestHooks::Click(dlg, IDC_DATAREF_CLOSE_AFTER);
        TestHooks::Click(dlg, IDC_DATAREF_INSERT);
        TestHooks::SetText(dlg, IDC_DATAREF_TEXT, "%INDI.SEX%");
        TestHooks::Click(dlg, IDC_DATAREF_INSERT);
        TestHooks::SetText(dlg, IDC_DATAREF_TEXT, "");
        EXPECT_FALSE(dlg.GetDlgItem(IDC_DATAREF_INSERT)->IsWindowEnabled());
        TestHooks::Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(sink.m_texts, (std::vector<std::string>{"%INDI.NAME%", "%INDI.SEX%"}));
}

TEST_F(RecordDialogsTest, ChooseModeReturnsOneReference)
{
    CDataRefDlg dialog(nullptr, RecordTypeIndexToMask(RECORD_LIST_INDI), CDataRefDlg::kModeChoose,
                       nullptr);
    TestHooks::OnNextDialog(kDataRefTemplate, [&](CDialog& dlg) {
        EXPECT_EQ(Text(dlg, IDC_DATAREF_INSERT), "&OK");
        EXPECT_FALSE(dlg.GetDlgItem(IDC_DATAREF_CLOSE_AFTER)->IsWindowVisible());
        TestHooks::SetText(dlg, IDC_DATAREF_TEXT, "INDI.BIRT.DATE");
        TestHooks::Click(dlg, IDC_DATAREF_INSERT);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_result, "INDI.BIRT.DATE");
}

} // namespace
