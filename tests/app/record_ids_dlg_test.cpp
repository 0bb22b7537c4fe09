// tests/app/record_ids_dlg_test.cpp: the record-identifier tool runs its tasks on the type
// chosen by name, whatever order the types are listed in.
#include "app/record_ids_dlg.h"
#include "tests/app/app_fixture.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "platform/ui/dialogs/combo_box.h"

namespace {

using app_test::AppTest;

/// Individuals 5 and 9, family 7 and one repository.
constexpr const char* kNumberedFile = "0 HEAD\r\n1 SOUR Tests\r\n1 CHAR UTF-8\r\n"
                                      "0 @I5@ INDI\r\n1 NAME Ann /Lee/\r\n1 FAMS @F7@\r\n"
                                      "0 @I9@ INDI\r\n1 NAME Bob /Lee/\r\n1 FAMS @F7@\r\n"
                                      "0 @F7@ FAM\r\n1 HUSB @I9@\r\n1 WIFE @I5@\r\n"
                                      "0 @R3@ REPO\r\n1 NAME Archive\r\n0 TRLR\r\n";

constexpr int kTypeCombo = 1103;
// The combo box lists Families, Individuals, Multimedia, Notes, Repositories, Sources and
// Submitters.
constexpr int kIndividualsItem = 1, kNotesItem = 3, kSourcesItem = 5;

class RecordIdsDlgTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start({WriteGedcom("numbered.ged", kNumberedFile)}));
    }

    static std::vector<int> Numbers(int listIndex)
    {
        std::vector<int> numbers;
        for (CDataNode* n = GetRecordTypeRoot(listIndex)->GetFirstChild(); n;
             n = n->GetNextSibling())
            numbers.push_back(static_cast<CRecordNode*>(n)->GetRecordNumber());
        return numbers;
    }

    /// Chooses the type and the task, answers the boxes that follow, and closes.
    static void Perform(int typeItem, int task, std::vector<int> answers)
    {
        TestHooks::OnNextDialog(320, [&](CDialog& dlg) {
            TestHooks::SelectItem(dlg, kTypeCombo, typeItem);
            TestHooks::Click(dlg, task);
            for (const int answer : answers)
                TestHooks::AnswerMessageBox(answer);
            TestHooks::Click(dlg, IDOK);
            TestHooks::Click(dlg, IDCANCEL);
        });
        CRecordIdsDlg().DoModal();
    }
};

TEST_F(RecordIdsDlgTest, RenumbersTheTypeChosenByName)
{
    Perform(kIndividualsItem, 1524, {IDOK, IDOK});
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{
                  "All records of the selected type will be assigned new consecutive record ids "
                  "by renumbering them, starting from 1.  Press OK to confirm that you wish to "
                  "do this.",
                  "Record id renumbering has completed successfully."}));
    EXPECT_EQ(Numbers(app_test::kIndividuals), (std::vector<int>{1, 2}));
    EXPECT_EQ(Numbers(app_test::kFamilies), (std::vector<int>{7}));
}

TEST_F(RecordIdsDlgTest, TypeWithoutRecordsIsRefusedBeforeAnyTask)
{
    Perform(kNotesItem, 1528, {IDOK});
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"There are no records of the specified type"});
}

TEST_F(RecordIdsDlgTest, CopiesIdsIntoTheAutomatedRecordIdField)
{
    Perform(kIndividualsItem, 1528, {IDOK, IDOK});
    const std::vector<std::string> messages = MessageTexts();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "Record ids have been copied successfully");
    std::vector<std::string> values;
    for (CDataNode* n = GetRecordTypeRoot(app_test::kIndividuals)->GetFirstChild(); n;
         n = n->GetNextSibling()) {
        std::string value;
        if (CDataNode* rin = n->FindChild(nullptr, FIELD_RIN))
            rin->GetText(value, 0);
        values.push_back(value);
    }
    EXPECT_EQ(values, (std::vector<std::string>{"5", "9"}));
}

TEST_F(RecordIdsDlgTest, SourcesAndRepositoriesHaveNoCustomIdTasks)
{
    TestHooks::OnNextDialog(320, [&](CDialog& dlg) {
        auto* combo = dynamic_cast<CComboBox*>(dlg.GetDlgItem(kTypeCombo));
        ASSERT_EQ(combo->GetCount(), 7);
        std::string first;
        combo->GetLBText(0, first);
        EXPECT_EQ(first, "Families");
        TestHooks::RenderWindow(dlg).SavePng("record_ids.png");
        EXPECT_EQ(dlg.GetCheckedRadioButton(1524, 1528), 1524);
        TestHooks::Click(dlg, 1527);
        TestHooks::SelectItem(dlg, kTypeCombo, kSourcesItem);
        EXPECT_EQ(dlg.GetCheckedRadioButton(1524, 1528), 1524);
        EXPECT_FALSE(dlg.GetDlgItem(1525)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(1527)->IsWindowEnabled());
        TestHooks::SelectItem(dlg, kTypeCombo, kIndividualsItem);
        EXPECT_TRUE(dlg.GetDlgItem(1527)->IsWindowEnabled());
        TestHooks::Click(dlg, IDCANCEL);
    });
    CRecordIdsDlg().DoModal();
}

} // namespace
