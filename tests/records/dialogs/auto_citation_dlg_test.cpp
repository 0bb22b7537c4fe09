// tests/records/dialogs/auto_citation_dlg_test.cpp: the Set Automatic Source Citation dialog: its
// opening state, its two refusals word for word, the value read back (date, assessment, line
// breaks), and a pasted citation.
#include "records/datactl/data_ctl_install.h"
#include "records/dialogs/auto_citation_dlg.h"
#include "records/dialogs/select_record_dlg.h"

#include "database/records/record_node.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace record_test;
using Texts = std::vector<std::string>;

class AutoCitationDlgTest : public CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        InstallDataControls();
        InstallExpressionEngine();
        m_source = NewRecord(kSour);
        SetField(m_source, "TITL", "Parish register");
        NotifyChanges();
    }
    void TearDown() override
    {
        UninstallDataControls();
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }
    static int Quality(CDialog& dialog)
    {
        return dynamic_cast<CComboBox*>(dialog.GetDlgItem(IDC_CITE_QUALITY))->GetCurSel();
    }
    static std::string Text(CDialog& dialog, int id)
    {
        std::string text;
        dialog.GetDlgItemText(id, text);
        return text;
    }

    CWinApp m_app{"Ardenvel"};
    CRecordNode* m_source = nullptr;
};

TEST_F(AutoCitationDlgTest, WithoutACitationBothSwitchesAreOnAndASourceAndASwitchAreRequired)
{
    CAutoCitationDlg dialog;
    TestHooks::OnNextDialog(kAutoCitationTemplate, [&](CDialog& shown) {
        EXPECT_EQ(shown.IsDlgButtonChecked(IDC_CITE_NEW_RECORDS), UINT(BST_CHECKED));
        EXPECT_EQ(shown.IsDlgButtonChecked(IDC_CITE_NEW_FIELDS), UINT(BST_CHECKED));
        EXPECT_EQ(Text(shown, IDC_CITE_SOURCE), "");
        EXPECT_FALSE(shown.GetDlgItem(IDC_CITE_PASTE)->IsWindowEnabled());
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(shown, IDOK);
        TestHooks::OnNextDialog(kSelectRecordListTemplate, [&](CDialog& list) {
            auto& records = dynamic_cast<CSelectRecordListDlg&>(list);
            EXPECT_EQ(records.m_title, "Select source...");
            records.GetGrid().SelectRow(records.GetGrid().FindRowByRecord(m_source), false, true);
            TestHooks::Click(list, IDOK);
        });
        TestHooks::Click(shown, IDC_CITE_SELECT);
        EXPECT_EQ(Text(shown, IDC_CITE_SOURCE), "Parish register");
        TestHooks::Click(shown, IDC_CITE_NEW_RECORDS);
        TestHooks::Click(shown, IDC_CITE_NEW_FIELDS);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(shown, IDOK);
        TestHooks::Click(shown, IDC_CITE_NEW_FIELDS);
        TestHooks::Click(shown, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
              (Texts{"You must specify a source record.",
                     "You must check one or both of the 2 check boxes"}));
    EXPECT_EQ(dialog.m_value.m_source, m_source);
    EXPECT_FALSE(dialog.m_newRecords);
    EXPECT_TRUE(dialog.m_newFields);
}

TEST_F(AutoCitationDlgTest, TheValueIsReadBackWithItsDateAssessmentAndLineBreaks)
{
    CAutoCitationDlg dialog;
    dialog.m_value.m_source = m_source;
    dialog.m_value.m_quality = 2;
    dialog.m_value.m_text = "First line\nSecond line";
    dialog.m_newRecords = true;
    TestHooks::OnNextDialog(kAutoCitationTemplate, [&](CDialog& shown) {
        EXPECT_EQ(Quality(shown), 2);
        EXPECT_EQ(Text(shown, IDC_CITE_TEXT), "First line\r\nSecond line");
        EXPECT_EQ(shown.IsDlgButtonChecked(IDC_CITE_NEW_FIELDS), UINT(BST_UNCHECKED));
        CDataCtl* date = dialog.GetDateControl();
        ASSERT_NE(date, nullptr);
        date->SetValueText("1 JAN 1900");
        TestHooks::SelectItem(shown, IDC_CITE_QUALITY, 4); // "<clear assessment>"
        EXPECT_EQ(Quality(shown), -1);
        TestHooks::SetText(shown, IDC_CITE_PAGE, "folio 12");
        TestHooks::SetText(shown, IDC_CITE_NOTE, "Faded\r\nink");
        TestHooks::Click(shown, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_value.m_date, "1 JAN 1900");
    EXPECT_EQ(dialog.m_value.m_quality, -1);
    EXPECT_EQ(dialog.m_value.m_page, "folio 12");
    EXPECT_EQ(dialog.m_value.m_text, "First line\nSecond line");
    EXPECT_EQ(dialog.m_value.m_note, "Faded\nink");
    EXPECT_TRUE(dialog.m_newRecords);
}

TEST_F(AutoCitationDlgTest, APastedCitationWithoutAnAssessmentLeavesTheBoxEmptyAndCancelKeepsAll)
{
    CAutoCitation copied;
    copied.m_source = m_source;
    copied.m_quality = -1;
    copied.m_page = "p. 4";
    SetLastCitation(&copied);
    CAutoCitationDlg dialog;
    TestHooks::OnNextDialog(kAutoCitationTemplate, [&](CDialog& shown) {
        EXPECT_TRUE(shown.GetDlgItem(IDC_CITE_PASTE)->IsWindowEnabled());
        TestHooks::SelectItem(shown, IDC_CITE_QUALITY, 1);
        TestHooks::Click(shown, IDC_CITE_PASTE);
        EXPECT_EQ(Quality(shown), -1);
        EXPECT_EQ(Text(shown, IDC_CITE_PAGE), "p. 4");
        EXPECT_EQ(Text(shown, IDC_CITE_SOURCE), "Parish register");
        TestHooks::Click(shown, IDC_CITE_CANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_value.m_page, "");
}

} // namespace
