// tests/records/data_ctl_text_test.cpp: the base's keys (Tab on a dialog left to its tab order),
// commits and destruction on the text control, then the name, number, multi-line and file controls,
// each read back through its node.
#include "controls/digits_edit.h"
#include "records/datactl/data_ctl_edit.h"
#include "records/datactl/data_ctl_multi.h"
#include "tests/records/data_ctl_fixture.h"

#include "database/dictionary/field_ids.h"
#include "database/fields/text_value_node.h"
#include "tests/support/test_support.h"

namespace {

using records_test::DataCtlTest;

constexpr UINT kCtrl = MK_CONTROL, kShift = MK_SHIFT;

class TextCtlTest : public DataCtlTest {
protected:
    void SetUp() override
    {
        DataCtlTest::SetUp();
        m_person = NewIndividual(SEX_MALE, "John /Smith/");
        m_afn = SetField(m_person, "AFN", "old");
        NotifyChanges();
    }

    CIndRec* m_person = nullptr;
    CDataNode* m_afn = nullptr;
};

TEST_F(TextCtlTest, TypingAndLeavingStoresAndF5StoresKeepingTheFocus)
{
    auto* control = dynamic_cast<CDataCtlEdit*>(Show(m_afn));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Text(control), "old");
    EXPECT_EQ(CWnd::GetFocus(), control);

    TestHooks::SetText(m_host, kId, "typed");
    Key(*control, VK_F5);
    EXPECT_EQ(ValueOf(m_afn), "typed");
    EXPECT_EQ(CWnd::GetFocus(), control);
    EXPECT_EQ(m_owner.Take(), std::vector<std::string>{"commit forced"});

    TestHooks::SetText(m_host, kId, "left");
    Leave();
    EXPECT_EQ(ValueOf(m_afn), "left");
    EXPECT_EQ(m_owner.Take(), std::vector<std::string>{"commit"});
    control->DestroyCtl(FALSE);
}

TEST_F(TextCtlTest, TabEnterAndEscapeGoToTheOwnerAndGoNoFurther)
{
    CDataCtl* control = Show(m_afn);
    ASSERT_NE(control, nullptr);
    for (const UINT key : {UINT(VK_TAB), UINT(VK_RETURN), UINT(VK_ESCAPE)})
        Key(control->GetWnd(), key);
    EXPECT_EQ(m_owner.Take(), (std::vector<std::string>{"key 9", "key 13", "key 27"}));
    EXPECT_EQ(Text(&control->GetWnd()), "old");
    control->DestroyCtl(FALSE);
}

TEST_F(TextCtlTest, TabOnADialogMovesToTheNextControlInsteadOfTheOwner)
{
    struct CPage : CDialog {
        CPage() : CDialog(299) {}
        using CDialog::CreateInside;
    };
    RegisterDigitsEditClass();
    CPage page;
    ASSERT_TRUE(page.CreateInside(&m_host));
    page.ShowWindow(SW_SHOW);
    CDataCtl* control = m_afn->ShowInControl(&page, CRect(10, 200, 250, 222), &m_owner,
                                             WS_CHILD | WS_VISIBLE | WS_TABSTOP, kId, 0);
    ASSERT_NE(control, nullptr);
    control->GetWnd().SetFocus();
    m_owner.Take();
    Key(control->GetWnd(), VK_TAB);
    EXPECT_FALSE(m_owner.Saw("key 9"));
    EXPECT_NE(CWnd::GetFocus(), &control->GetWnd());
    Key(control->GetWnd(), VK_ESCAPE);
    EXPECT_TRUE(m_owner.Saw("key 27"));
    control->DestroyCtl(FALSE);
    page.DestroyWindow();
}

TEST_F(TextCtlTest, ClipboardKeysAndPlainInsertAndDelete)
{
    auto* control = dynamic_cast<CDataCtlEdit*>(Show(m_afn));
    ASSERT_NE(control, nullptr);
    TestHooks::SetText(m_host, kId, "abc");
    control->SetSel(0, -1);
    Key(*control, VK_INSERT, kCtrl); // copy
    control->SetSel(3, 3);
    Key(*control, VK_INSERT, kShift); // paste
    EXPECT_EQ(Text(control), "abcabc");
    control->SetSel(0, 3);
    Key(*control, VK_DELETE, kShift); // cut
    EXPECT_EQ(Text(control), "abc");
    control->SetSel(0, 0);
    Key(*control, 'V', kCtrl);
    EXPECT_EQ(Text(control), "abcabc");
    control->SetSel(0, 3);
    Key(*control, 'X', kCtrl);
    EXPECT_EQ(Text(control), "abc");
    control->SetSel(0, 1);
    Key(*control, 'C', kCtrl);
    control->SetSel(3, 3);
    Key(*control, 'V', kCtrl);
    EXPECT_EQ(Text(control), "abca");
    // Plain Delete and Insert are the edit's own.
    control->SetSel(0, 0);
    Key(*control, VK_DELETE);
    EXPECT_EQ(Text(control), "bca");
    Key(*control, VK_INSERT);
    EXPECT_EQ(Text(control), "bca");
    control->DestroyCtl(FALSE);
}

TEST_F(TextCtlTest, PastedLinesStayOnOneLineWithNothingCut)
{
    CEdit source;
    ASSERT_TRUE(
        source.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 100, 100, 150), &m_host, 8));
    std::string pasted;
    for (int i = 0; i < 20000; ++i)
        pasted += i % 2 ? "\xC3\xA9t\xC3\xA9\r\n" : "line\n";
    source.SetWindowText(pasted);
    source.SetSel(0, -1);
    source.Copy();

    auto* control = dynamic_cast<CDataCtlEdit*>(Show(m_afn));
    ASSERT_NE(control, nullptr);
    control->SetSel(0, -1);
    Key(*control, 'V', kCtrl);
    const std::string shown = Text(control);
    EXPECT_EQ(shown.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(shown.size(), 20000u / 2 * (4 + 1) + 20000u / 2 * (5 + 1)); // 100,000 characters
    EXPECT_EQ(shown.substr(0, 11), "line \xC3\xA9t\xC3\xA9 ");
    Leave();
    EXPECT_EQ(ValueOf(m_afn), shown);
    control->DestroyCtl(FALSE);
}

TEST_F(TextCtlTest, DestroyCtlKeepsOrDropsTheEditAndActsOnce)
{
    CDataCtl* kept = Show(m_afn);
    ASSERT_NE(kept, nullptr);
    TestHooks::SetText(m_host, kId, "kept");
    kept->DestroyCtl(TRUE);
    EXPECT_EQ(ValueOf(m_afn), "kept");
    EXPECT_EQ(m_owner.Take(), std::vector<std::string>{"destroyed"});

    CDataCtl* dropped = Show(m_afn);
    ASSERT_NE(dropped, nullptr);
    TestHooks::SetText(m_host, kId, "dropped");
    dropped->DestroyCtl(FALSE);
    EXPECT_EQ(ValueOf(m_afn), "kept");
    EXPECT_EQ(m_host.GetDlgItem(kId), nullptr);

    // A control whose window was never made is deleted without touching the node.
    auto* unmade = new CDataCtlEdit;
    unmade->DestroyCtl(TRUE);
    EXPECT_EQ(ValueOf(m_afn), "kept");
}

/// Destroys the control from inside its own commit, as an owner closing its editor on Enter
/// may; the second DestroyCtl and the commit after it have no effect.
class CDestroyingOwner final : public IDataCtlOwner {
public:
    void OnCtlKillFocus(CDataCtl* control, CWnd*, BOOL) override
    {
        ++m_commits;
        control->DestroyCtl(TRUE);
        control->DestroyCtl(TRUE);
    }
    int m_commits = 0;
};

TEST_F(TextCtlTest, DestroyCtlFromTheOwnersCommitActsOnce)
{
    CDestroyingOwner owner;
    CDataCtl* control = m_afn->ShowInControl(&m_host, CRect(10, 10, 200, 30), &owner,
                                             WS_CHILD | WS_VISIBLE, kId, 0);
    ASSERT_NE(control, nullptr);
    TestHooks::SetText(m_host, kId, "once");
    Key(control->GetWnd(), VK_F5);
    EXPECT_EQ(owner.m_commits, 1);
    EXPECT_EQ(ValueOf(m_afn), "once");
    EXPECT_EQ(m_host.GetDlgItem(kId), nullptr);
}

TEST_F(TextCtlTest, ABoundFieldDeletedElsewhereIsDroppedAtTheNextNotice)
{
    records_test::CForwardingObserver observer;
    SetDataObserver(&observer);
    CDataCtl* control = Show(m_afn);
    ASSERT_NE(control, nullptr);
    observer.m_control = control;
    TestHooks::SetText(m_host, kId, "late");
    m_person->DeleteChild(m_afn);
    NotifyChanges(); // the notice comes before the field is freed
    EXPECT_EQ(control->GetNode(), nullptr);
    control->DestroyCtl(TRUE); // stores nothing: the field is gone
    SetDataObserver(&m_observer);
    EXPECT_EQ(m_person->FindChild(nullptr, FIELD_AFN), nullptr);
}

TEST_F(TextCtlTest, PathBoundControlReportsTheLastFieldOfItsPath)
{
    auto* control = new CDataCtlEdit;
    auto path = std::make_unique<CDataPath>();
    ASSERT_TRUE(path->ParseText("INDI.AFN"));
    ASSERT_TRUE(control->CreateCtl(TRUE, CRect(10, 40, 200, 60), &m_host, nullptr, kId + 10,
                                   &m_owner, std::move(path), 1));
    ASSERT_NE(control->GetBoundFieldDef(), nullptr);
    EXPECT_EQ(control->GetBoundFieldDef()->GetTag(), "AFN");
    control->SetReadOnly(TRUE);
    EXPECT_TRUE(control->IsReadOnly());
    delete control;
}

TEST_F(TextCtlTest, NameTypedWithoutSlashesIsNormalisedOnCommit)
{
    CDataNode* name = m_person->FindChild(nullptr, FIELD_NAME);
    ASSERT_NE(name, nullptr);
    auto* control = dynamic_cast<CDataCtlName*>(Show(name));
    ASSERT_NE(control, nullptr);
    TestHooks::SetText(m_host, kId, "Mary Ann Jones");
    Leave();
    EXPECT_EQ(Text(control), "Mary Ann /Jones/");
    std::string stored;
    name->GetDefaultText(stored);
    EXPECT_EQ(stored, "Mary Ann /Jones/");
    control->DestroyCtl(FALSE);
}

TEST_F(TextCtlTest, NumberTakesDigitsPointAndMinusOnly)
{
    CFamRec* family = NewFamily();
    CDataNode* count = family->CreateChildByTag("NCHI");
    ASSERT_NE(count, nullptr);
    auto* control = dynamic_cast<CDataCtlNumber*>(Show(count));
    ASSERT_NE(control, nullptr);
    for (const UINT key : {UINT('1'), UINT('A'), UINT(VK_OEM_MINUS), UINT('2'), UINT(VK_SPACE),
                           UINT(VK_OEM_PERIOD), UINT('3'), UINT('Z')})
        Key(*control, key);
    EXPECT_EQ(Text(control), "1-2.3");
    control->DestroyCtl(FALSE);
}

class MultiCtlTest : public DataCtlTest {
protected:
    void SetUp() override
    {
        DataCtlTest::SetUp();
        m_object = NewRecord(record_test::kObje);
        m_note = m_object->CreateChildById(FIELD_EXT_NOTE);
        ASSERT_NE(m_note, nullptr);
        ASSERT_TRUE(m_note->SetText("first"));
        ASSERT_TRUE(m_note->AppendText("second", FIELD_CONT));
        NotifyChanges();
    }

    CRecordNode* m_object = nullptr;
    CDataNode* m_note = nullptr;
};

TEST_F(MultiCtlTest, SideButtonEditsInTheTextDialogWithItsLineEnds)
{
    auto* control = dynamic_cast<CDataCtlEditMulti*>(Show(m_note));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Text(control), "AV_DataCtlEditMulti");
    ASSERT_NE(control->GetButton(0), nullptr);
    EXPECT_EQ(control->GetButton(0)->GetDlgCtrlID(), int(kId + 1));
    EXPECT_EQ(control->GetEdit().GetDlgCtrlID(), int(kId + 2));
    std::string seen;
    TestHooks::OnNextDialog(153, [&seen](CDialog& dlg) {
        dlg.GetWindowText(seen);
        std::string text;
        dlg.GetDlgItem(1038)->GetWindowText(text);
        seen += "|" + text;
        TestHooks::SetText(dlg, 1038, "one\r\ntwo\rthree");
        TestHooks::Click(dlg, IDOK);
    });
    control->OnTextButton();
    EXPECT_EQ(seen, "Caption Note|first\r\nsecond");
    EXPECT_EQ(control->GetText(), "one\ntwo\nthree");
    EXPECT_EQ(m_owner.Take(), (std::vector<std::string>{"focus", "commit forced"}));
    EXPECT_EQ(static_cast<CTextValueNode*>(m_note)->GetValue(), "one\ntwo\nthree");

    // Cancel changes nothing and stores nothing.
    TestHooks::OnNextDialog(153, [](CDialog& dlg) {
        TestHooks::SetText(dlg, 1038, "ignored");
        TestHooks::Click(dlg, IDCANCEL);
    });
    control->OnTextButton();
    EXPECT_EQ(control->GetText(), "one\ntwo\nthree");
    EXPECT_TRUE(m_owner.Take().empty());
    control->DestroyCtl(FALSE);
}

TEST_F(MultiCtlTest, CompactFormKeepsEnterAsALineBreak)
{
    auto* control = dynamic_cast<CDataCtlEditMulti*>(Show(m_note, 2, CRect(10, 10, 250, 80)));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->IsCompact());
    control->GetEdit().SetSel(5, 5);
    Key(control->GetEdit(), VK_RETURN);
    EXPECT_EQ(control->GetText().substr(0, 7), "first\r\n");
    EXPECT_TRUE(m_owner.Take().empty()); // Enter does not reach the owner
    control->DestroyCtl(FALSE);
}

TEST_F(MultiCtlTest, OneLineFormKeepsEnterAsALineFeedInTheValue)
{
    auto* control = dynamic_cast<CDataCtlEditMulti*>(Show(m_note));
    ASSERT_NE(control, nullptr);
    ASSERT_FALSE(control->IsCompact());
    control->SetValueText("head tail");
    control->GetEdit().SetSel(4, 5);
    Key(control->GetEdit(), VK_RETURN);
    EXPECT_EQ(control->GetText(), "head\ntail");
    EXPECT_TRUE(m_owner.Take().empty()); // Enter does not reach the owner
    Leave();
    EXPECT_EQ(static_cast<CTextValueNode*>(m_note)->GetValue(), "head\ntail");

    control->SetReadOnly(TRUE);
    Key(control->GetEdit(), VK_RETURN);
    EXPECT_EQ(control->GetText(), "head\ntail") << "read-only: nothing typed";
    control->DestroyCtl(FALSE);
}

TEST_F(MultiCtlTest, ReadOnlyKeepsTheButtonOnlyWhileThereIsTextToRead)
{
    auto* control = dynamic_cast<CDataCtlEditMulti*>(Show(m_note));
    ASSERT_NE(control, nullptr);
    control->SetReadOnly(TRUE);
    EXPECT_TRUE(control->IsReadOnly());
    EXPECT_TRUE(control->GetButton(0)->IsWindowEnabled());
    control->Clear();
    control->SetReadOnly(TRUE);
    EXPECT_FALSE(control->GetButton(0)->IsWindowEnabled());
    control->DestroyCtl(FALSE);
}

TEST_F(MultiCtlTest, AddressTitlesItsDialogAndFileBrowsesForAnExistingFile)
{
    CRecordNode* repository = NewRecord(record_test::kRepo);
    CDataNode* address = repository->CreateChildByTag("ADDR");
    ASSERT_NE(address, nullptr);
    auto* addressCtl = dynamic_cast<CDataCtlAddress*>(Show(address));
    ASSERT_NE(addressCtl, nullptr);
    std::string caption;
    TestHooks::OnNextDialog(153, [&caption](CDialog& dlg) {
        dlg.GetWindowText(caption);
        TestHooks::Click(dlg, IDCANCEL);
    });
    addressCtl->OnTextButton();
    EXPECT_EQ(caption, "Address");
    addressCtl->DestroyCtl(FALSE);

    const std::string folder = test_support::NewFolder("browse");
    const std::string picture = folder + "/picture.png";
    test_support::WriteFile(picture, "x");
    CDataNode* file = m_object->CreateChildById(FIELD_OBJE_LINKED_FILE);
    ASSERT_NE(file, nullptr);
    auto* fileCtl = dynamic_cast<CDataCtlFile*>(Show(file));
    ASSERT_NE(fileCtl, nullptr);
    EXPECT_EQ(fileCtl->GetEdit().GetDlgCtrlID(), int(kId + 1));
    EXPECT_EQ(fileCtl->GetButton(0)->GetDlgCtrlID(), int(kId + 2));
    TestHooks::AnswerFilePicker({picture});
    fileCtl->OnBrowse();
    EXPECT_EQ(fileCtl->GetText(), picture);
    EXPECT_EQ(ValueOf(file), picture);
    fileCtl->SetReadOnly(TRUE);
    EXPECT_FALSE(fileCtl->GetButton(0)->IsWindowEnabled());
    fileCtl->DestroyCtl(FALSE);
}

} // namespace
