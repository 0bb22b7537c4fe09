// tests/queries/lists/select_records_dlg_test.cpp: the Select Records dialog: families through
// their spouses, records chosen once, the order rules, queries adding and removing, and adding
// the chosen records to a named list.
#include "queries/lists/select_records_dlg.h"
#include "tests/queries/lists/named_list_fixture.h"

#include "controls/dlg_layout.h"
#include "platform/ui/dialogs/button.h"
#include "queries/lists/named_list_dlgs.h"
#include "queries/window/qry_select_dlg.h"

#include <functional>

namespace {

class SelectRecordsTest : public CNamedListUiTest {
protected:
    /// Runs the dialog for a record type with driver acting on it, then presses OK; returns
    /// the ids of the records chosen.
    std::string Run(int listIndex, const std::function<void(CSelectRecordsDlg&)>& driver,
                    std::vector<CRecordNode*> initial = {})
    {
        CSelectRecordsDlg dialog(listIndex);
        dialog.m_initial = std::move(initial);
        dialog.m_hasInitial = true;
        TestHooks::OnNextDialog(kSelectRecordsTemplate, [&](CDialog& dlg) {
            driver(dialog);
            if (dlg.IsWindowVisible())
                TestHooks::Click(dlg, IDOK);
        });
        if (dialog.DoModal() != IDOK)
            return "<cancelled>";
        return Ids(dialog.m_chosen);
    }

    /// Selects the rows of the records given in the current tab's list.
    static void Select(CSelectRecordsDlg& dlg, std::initializer_list<CRecordNode*> records)
    {
        CTagGrid* grid = dlg.GetSourceGrid();
        grid->GetBox().ClearSelection(nullptr, true);
        for (CRecordNode* record : records)
            grid->GetBox().SetItemSelected(grid->FindRowByRecord(record), true, false);
    }

    /// Makes the record's row the one selected row of the chosen list.
    static void Pick(CSelectRecordsDlg& dlg, CRecordNode* record)
    {
        CTagGrid& chosen = dlg.GetChosenGrid();
        chosen.GetBox().ClearSelection(nullptr, true);
        chosen.SelectRow(chosen.FindRowByRecord(record), false, true);
    }

    /// Presses and releases the left button over a small button, as the user does.
    static void Press(CDialog& dlg, int id)
    {
        CWnd* button = dlg.GetDlgItem(id);
        ASSERT_NE(button, nullptr);
        TestHooks::PostMouse(*button, TestHooks::MouseEvent::LeftDown, CPoint(4, 4), MK_LBUTTON);
        TestHooks::PostMouse(*button, TestHooks::MouseEvent::LeftUp, CPoint(4, 4), 0);
        TestHooks::DeliverPosted();
    }

    static std::string Chosen(CSelectRecordsDlg& dlg) { return Ids(dlg.ChosenRecords()); }
    static bool Checked(CSelectRecordsDlg& dlg, int id)
    {
        return dlg.IsDlgButtonChecked(id) == BST_CHECKED;
    }
};

TEST_F(SelectRecordsTest, ResizingKeepsEachSideItsHalfButNeverBelowTheOpeningSize)
{
    Run(0, [](CSelectRecordsDlg& dlg) {
        CRect opening;
        dlg.GetClientRect(&opening);
        const auto place = [&dlg](CWnd* control) { return PlaceInParent(*control); };
        const CRect ok = place(dlg.GetDlgItem(IDOK));
        const CRect add = place(dlg.GetDlgItem(IDC_SELREC_ADD));
        const CRect up = place(dlg.GetDlgItem(IDC_SELREC_UP));
        const CRect source = place(dlg.GetSourceGrid());
        const CRect chosen = place(&dlg.GetChosenGrid());

        TestHooks::DragWindowSize(dlg, opening.Width() + 100, opening.Height() + 80);
        const auto shifted = [](CRect rect, int dx, int dy) {
            rect.OffsetRect(dx, dy);
            return rect;
        };
        EXPECT_EQ(place(dlg.GetDlgItem(IDOK)), shifted(ok, 100, 80));
        EXPECT_EQ(place(dlg.GetDlgItem(IDC_SELREC_ADD)), shifted(add, 50, 0));
        EXPECT_EQ(place(dlg.GetDlgItem(IDC_SELREC_UP)), shifted(up, 50, 80));
        const CRect bigSource = place(dlg.GetSourceGrid());
        const CRect bigChosen = place(&dlg.GetChosenGrid());
        EXPECT_EQ(bigSource.Size(), CSize(source.Width() + 50, source.Height() + 80));
        EXPECT_EQ(bigChosen.left, chosen.left + 50);
        EXPECT_EQ(bigChosen.Size(), CSize(chosen.Width() + 50, chosen.Height() + 80));

        TestHooks::DragWindowSize(dlg, opening.Width() / 2, opening.Height() / 2);
        CRect client;
        dlg.GetClientRect(&client);
        EXPECT_EQ(client.Size(), opening.Size());
        EXPECT_EQ(place(dlg.GetDlgItem(IDOK)), ok);
        EXPECT_EQ(place(&dlg.GetChosenGrid()), chosen);
    });
}

TEST_F(SelectRecordsTest, FamiliesComeThroughTheirSpouses)
{
    CRecordNode* second = Marry(AsIndividual(Rec("Peter")), NewIndividual(SEX_FEMALE, "Jo /X/"));
    NotifyChanges();
    const std::string chosen = Run(1, [&](CSelectRecordsDlg& dlg) {
        EXPECT_EQ(dlg.GetSourceGrid()->GetBox().GetCount(), 8u); // the individuals' tab first
        Select(dlg, {Rec("Peter")});
        TestHooks::Click(dlg, IDC_SELREC_ADD);
        EXPECT_EQ(Chosen(dlg), "F2 " + second->GetIdText());

        Select(dlg, {Rec("Carl"), Rec("Anne")});
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dlg, IDC_SELREC_ADD);
        TestHooks::SelectItem(dlg, IDC_SELREC_TABS, 1);
        Select(dlg, {});
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dlg, IDC_SELREC_ADD);
        Select(dlg, {Rec("F2")});
        TestHooks::Click(dlg, IDC_SELREC_ADD);
        EXPECT_EQ(Chosen(dlg), "F2 " + second->GetIdText());
        EXPECT_EQ(dlg.GetChosenGrid().GetSelectedRecord(), Rec("F2"));
    });
    EXPECT_EQ(chosen, "F2 " + second->GetIdText());
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "The individual(s) in the selection have no spouse families",
                              "Nothing selected"}));
}

TEST_F(SelectRecordsTest, OrderIsAlphabeticalUntilTheUserArrangesIt)
{
    const std::string chosen =
        Run(0,
            [&](CSelectRecordsDlg& dlg) {
                EXPECT_TRUE(Checked(dlg, IDC_SELREC_DEFAULT_ORDER));
                EXPECT_FALSE(dlg.GetDlgItem(IDC_SELREC_UP)->IsWindowEnabled());
                Select(dlg, {Rec("Tom"), Rec("Anne"), Rec("Carl")});
                TestHooks::Click(dlg, IDC_SELREC_ADD);
                const std::string sorted = Chosen(dlg);
                EXPECT_EQ(sorted, "I7 I4 I6"); // Green, Smith Anne, Smith Tom

                Pick(dlg, Rec("Tom"));
                Press(dlg, IDC_SELREC_UP);
                EXPECT_EQ(Chosen(dlg), "I7 I6 I4");
                EXPECT_TRUE(Checked(dlg, IDC_SELREC_CUSTOM_ORDER));
                Press(dlg, IDC_SELREC_DOWN);
                EXPECT_EQ(Chosen(dlg), "I7 I4 I6");
                Press(dlg, IDC_SELREC_UP);
                EXPECT_EQ(Chosen(dlg), "I7 I6 I4");

                Select(dlg, {Rec("John")});
                TestHooks::Click(dlg, IDC_SELREC_ADD);
                EXPECT_EQ(Chosen(dlg), "I7 I6 I4 I1");

                TestHooks::Click(dlg, IDC_SELREC_DEFAULT_ORDER);
                EXPECT_EQ(Chosen(dlg), "I7 I4 I1 I6");

                Pick(dlg, Rec("Anne"));
                TestHooks::Click(dlg, IDC_SELREC_REMOVE);
                EXPECT_EQ(Chosen(dlg), "I7 I1 I6");
            },
            {});
    EXPECT_EQ(chosen, "I7 I1 I6");
}

TEST_F(SelectRecordsTest, QueriesAddInTheirOrderAndRemove)
{
    MakeList("Pick", {{"Tom", ""}, {"Anne", ""}});
    test_support::WriteFile(m_folder + "/Custom/Picked.avq",
                            "[Ardenvel Query]\nTYPE=INDI\nFILTER=LST,ADD,IF,N,\"\",\"Pick\"\n");
    const auto useQuery = [](CDialog& dlg, int button) {
        TestHooks::OnNextDialog(kQrySelectTemplate, [](CDialog& select) {
            TestHooks::SelectItem(select, IDC_QRY_SELECT_LIST, 0);
            TestHooks::Click(select, IDOK);
        });
        TestHooks::Click(dlg, button);
    };
    const std::string chosen = Run(0,
                                   [&](CSelectRecordsDlg& dlg) {
                                       EXPECT_TRUE(Checked(dlg, IDC_SELREC_CUSTOM_ORDER));
                                       useQuery(dlg, IDC_SELREC_ADD_QUERY);
                                       EXPECT_EQ(Chosen(dlg), "I5 I4 I6");
                                       EXPECT_TRUE(Checked(dlg, IDC_SELREC_CUSTOM_ORDER));
                                       useQuery(dlg, IDC_SELREC_REMOVE_QUERY);
                                       EXPECT_EQ(Chosen(dlg), "I5");
                                   },
                                   {Rec("Sue")});
    EXPECT_EQ(chosen, "I5");
}

TEST_F(SelectRecordsTest, AddAllToNamedListOnlyWithRecordsChosen)
{
    Run(3, [&](CSelectRecordsDlg& dlg) {
        TestHooks::AnswerPopupMenu(0);
        Press(dlg, IDC_SELREC_MENU);
        EXPECT_EQ(TestHooks::PopupMenuItems(),
                  std::vector<std::string>{"Add All to Named List... [grey]"});
    });

    const int notices = m_paneObserver.m_listNotices;
    Run(0,
        [&](CSelectRecordsDlg& dlg) {
            TestHooks::AnswerPopupMenu(ID_SELREC_ADD_ALL_TO_LIST);
            TestHooks::OnNextDialog(kAddToNamedListTemplate, [](CDialog& add) {
                TestHooks::SetText(add, IDC_ADD_TO_LIST_COMBO, "done");
                TestHooks::Click(add, IDC_ADD_TO_LIST_REPLACE);
                TestHooks::Click(add, IDOK);
            });
            Press(dlg, IDC_SELREC_MENU);
        },
        {Rec("Tom"), Rec("John"), Rec("Tom")});
    EXPECT_EQ(Entries(*FindNamedList("Done")), "I6: I1:");
    EXPECT_EQ(m_paneObserver.m_listNotices, notices + 1);
}

} // namespace
