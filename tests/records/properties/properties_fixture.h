// tests/records/properties/properties_fixture.h: a small data set shown in a real record properties
// box, with every change notice passed to the box as the application passes it, a scripted
// record-selection dialog, and helpers that read and type into the box's pages.
#pragma once

#include "records/datactl/data_ctl.h"
#include "records/datactl/data_ctl_install.h"
#include "records/dialogs/select_record_dlg.h"
#include "records/properties/properties_dlg.h"
#include "records/properties/record_page.h"

#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace properties_test {

/// Passes every change notice to the box, as the application's broadcast does first.
class CBoxObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject* object, bool) override
    {
        ++m_notices;
        if (m_box)
            m_box->OnDocUpdate(nullptr, hint, object);
    }
    CPropertiesDlg* m_box = nullptr;
    int m_notices = 0;
};

/// Answers the database's record-selection dialog with the records queued (null: cancelled) and
/// keeps each request's title.
class CSelectScript final : public IRelativeDialogs {
public:
    bool SelectRecord(const CRecordSelectRequest& request, CRecordNode*& selected) override
    {
        m_titles.push_back(request.m_title);
        if (m_answers.empty())
            return false;
        selected = m_answers.front();
        m_answers.pop_front();
        return selected != nullptr;
    }
    bool ChooseFamily(int, CIndRec*, CIndRec*, CFamilyChoice&) override { return false; }
    RecordListAnswer ChooseFromList(const std::string&, const std::vector<CRecordNode*>&,
                                    CRecordNode*&) override
    {
        return RLA_CANCEL;
    }
    void Inform(const std::string& message) override { MessageBox(message, MB_OK); }
    bool Confirm(const std::string& question) override
    {
        return MessageBox(question, MB_YESNO) == IDYES;
    }
    std::deque<CRecordNode*> m_answers;
    std::vector<std::string> m_titles;
};

class PropertiesTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        InstallDataControls();
        InstallExpressionEngine();
        SetRelativeDialogs(&m_select);
        SetDataObserver(&m_boxObserver);
        ASSERT_TRUE(m_other.CreateEx(0, nullptr, "other", WS_POPUP | WS_VISIBLE,
                                     CRect(600, 0, 700, 40), nullptr, 0));
        MakeBox();
    }
    void TearDown() override
    {
        m_boxObserver.m_box = nullptr;
        m_box.reset();
        m_other.DestroyWindow();
        TestHooks::DeliverPosted();
        SetRelativeDialogs(nullptr);
        SetDataObserver(nullptr);
        UninstallDataControls();
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }
    void MakeBox()
    {
        m_boxObserver.m_box = nullptr;
        m_box = std::make_unique<CPropertiesDlg>(nullptr);
        ASSERT_TRUE(m_box->CreateBox(nullptr));
        m_boxObserver.m_box = m_box.get();
    }

    CPropertiesDlg& Box() { return *m_box; }
    CRecordPage* Page(int index) const { return m_box->GetRecordPage(index); }
    CRecordPage* ActivePage() const { return m_box->GetRecordPage(m_box->GetActiveIndex()); }
    std::vector<std::string> Tabs() const
    {
        std::vector<std::string> tabs;
        for (int i = 0; i < m_box->GetPageCount(); ++i)
            tabs.push_back(m_box->GetPage(i)->GetCaption());
        return tabs;
    }
    std::string ActiveTab() const
    {
        const CPropertyPage* page = m_box->GetActivePage();
        return page ? page->GetCaption() : std::string();
    }
    /// Shows the page with the caption; false when the box has none.
    bool ShowTab(const std::string& caption)
    {
        for (int i = 0; i < m_box->GetPageCount(); ++i)
            if (m_box->GetPage(i)->GetCaption() == caption)
                return m_box->SetActivePage(i) != FALSE;
        return false;
    }
    std::string Caption() const
    {
        std::string text;
        m_box->GetWindowText(text);
        return text;
    }
    /// The data control of the active page whose path reads path ("SOUR.TITL"); null when none.
    CDataCtl* Control(const std::string& path) const
    {
        CRecordPage* page = ActivePage();
        if (!page)
            return nullptr;
        for (CDataCtl* control : page->GetDataControls()) {
            std::string text;
            control->GetDataPath()->Format(text);
            if (text == path)
                return control;
        }
        return nullptr;
    }
    static std::string TextOf(CDataCtl* control)
    {
        std::string text;
        if (control)
            control->GetValueText(text);
        return text;
    }
    /// Types text into the control as the user would, without leaving it.
    static void Type(CDataCtl* control, const std::string& text)
    {
        ASSERT_NE(control, nullptr);
        control->GetWnd().SetFocus();
        control->SetValueText(text);
    }
    /// Moves the focus out of the box, which commits the control that had it.
    void Leave() { m_other.SetFocus(); }
    static std::string ValueOf(const CDataNode* node)
    {
        std::string text;
        if (node)
            node->GetText(text, 0);
        return text;
    }
    /// The first child of holder with the tag, or null.
    static CDataNode* Child(const CDataNode* holder, std::string_view tag)
    {
        for (CDataNode* child = holder ? holder->GetFirstChild() : nullptr; child;
             child = child->GetNextSibling())
            if (child->GetFieldDef()->GetTag() == tag)
                return child;
        return nullptr;
    }
    static bool Visible(const CWnd* wnd) { return wnd && wnd->IsWindowVisible(); }
    /// Answers the next record list dialog with record (null: Cancel), keeping its title.
    void ChooseInList(CRecordNode* record)
    {
        TestHooks::OnNextDialog(kSelectRecordListTemplate, [this, record](CDialog& dialog) {
            auto& list = dynamic_cast<CSelectRecordListDlg&>(dialog);
            m_listTitles.push_back(list.m_title);
            if (!record) {
                TestHooks::Click(dialog, IDCANCEL);
                return;
            }
            CTagGrid& grid = list.GetGrid();
            grid.SelectRow(grid.FindRowByRecord(record), false, true);
            TestHooks::Click(dialog, IDOK);
        });
    }
    /// A click with the left button on the child window id of parent (a mini button).
    static void ClickButton(CWnd& parent, UINT id)
    {
        CWnd* button = parent.GetDlgItem(int(id));
        ASSERT_NE(button, nullptr) << id;
        TestHooks::PostMouse(*button, TestHooks::MouseEvent::LeftDown, CPoint(4, 4), MK_LBUTTON);
        TestHooks::PostMouse(*button, TestHooks::MouseEvent::LeftUp, CPoint(4, 4), 0);
        TestHooks::DeliverPosted();
    }

    CWinApp m_app{"Ardenvel"};
    CBoxObserver m_boxObserver;
    CSelectScript m_select;
    /// The titles of the record lists shown.
    std::vector<std::string> m_listTitles;
    CWnd m_other;
    std::unique_ptr<CPropertiesDlg> m_box;
};

} // namespace properties_test
