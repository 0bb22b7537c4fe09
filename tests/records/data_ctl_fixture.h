// tests/records/data_ctl_fixture.h: a small data set with the data controls installed, a host
// window with a second edit to move the focus to, and an owner that stores on each commit as
// a record page does and records what it was told.
#pragma once

#include "records/datactl/data_ctl.h"
#include "records/datactl/data_ctl_install.h"

#include "database/nodes/data_node.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace records_test {

/// Stores the control's value into its node on every commit and records each call.
class CStoringOwner final : public IDataCtlOwner {
public:
    void OnCtlChanged(CDataCtl*) override { m_events.emplace_back("changed"); }
    void OnCtlDestroyed(CDataCtl* control) override
    {
        m_events.emplace_back("destroyed");
        if (control == m_control)
            m_control = nullptr;
    }
    void OnCtlKey(CDataCtl*, UINT key) override
    {
        m_events.push_back("key " + std::to_string(key));
    }
    void OnCtlSetFocus(CDataCtl*) override { m_events.emplace_back("focus"); }
    void OnCtlKillFocus(CDataCtl* control, CWnd*, BOOL forced) override
    {
        m_events.emplace_back(forced ? "commit forced" : "commit");
        if (!control->IsDestroying() && control->GetNode())
            control->GetNode()->UpdateFromControl(control, true, true);
    }
    BOOL CanChangeField(CDataCtl*, int fieldId, std::string& message) override
    {
        m_events.push_back("may change " + std::to_string(fieldId));
        message = m_refusal;
        return m_refusal.empty();
    }

    /// The events since the last call.
    std::vector<std::string> Take()
    {
        std::vector<std::string> events;
        events.swap(m_events);
        return events;
    }
    /// Whether the events since the last call include this one (they are kept).
    bool Saw(const std::string& event) const
    {
        for (const std::string& e : m_events) {
            if (e == event)
                return true;
        }
        return false;
    }

    std::vector<std::string> m_events;
    std::string m_refusal;
    CDataCtl* m_control = nullptr;
};

/// Tells the open control of each change notice, as a record page does.
class CForwardingObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool) override
    {
        if (m_control)
            m_control->OnDataChanged(sender, hint, object);
    }
    CDataCtl* m_control = nullptr;
};

class DataCtlTest : public record_test::CRecordTest {
protected:
    static constexpr UINT kId = 100;

    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        InstallDataControls();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 420, 340), nullptr, 0));
        ASSERT_TRUE(m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                                   CRect(10, 310, 200, 330), &m_host, 9));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        SetDataObserver(&m_observer);
        UninstallDataControls();
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }

    /// The node shown in a new control as a record page's field would be; null on failure.
    CDataCtl* Show(CDataNode* node, UINT flags = 0, CRect rect = CRect(10, 10, 250, 32))
    {
        CDataCtl* control =
            node->ShowInControl(&m_host, rect, &m_owner, WS_CHILD | WS_VISIBLE, kId, flags);
        m_owner.m_control = control;
        m_owner.Take();
        return control;
    }
    /// A new individual's empty RESN field (an editable drop-down) shown in a new control;
    /// null when either could not be made.
    CDataCtl* ShowNewRestriction(CDataNode*& restriction)
    {
        CIndRec* person = NewIndividual(SEX_MALE, "John /Smith/");
        restriction = person->CreateChildByTag("RESN");
        NotifyChanges();
        return restriction ? Show(restriction) : nullptr;
    }
    /// A birth of person on 22 May 1958 at the age of 5 years: its date and age fields.
    static std::pair<CDataNode*, CDataNode*> AddBirth(CDataNode* person)
    {
        CDataNode* birth = person->CreateChildByTag("BIRT");
        CDataNode* date = birth->CreateChildByTag("DATE");
        date->SetText("22 MAY 1958");
        CDataNode* age = birth->CreateChildByTag("AGE");
        age->SetText("5y");
        return {date, age};
    }
    /// Moves the focus out of the control, which commits it.
    void Leave() { m_other.SetFocus(); }
    static std::string Text(const CWnd* wnd)
    {
        std::string text;
        if (wnd)
            wnd->GetWindowText(text);
        return text;
    }
    static std::string ValueOf(const CDataNode* node)
    {
        std::string text;
        if (node)
            node->GetText(text, 0);
        return text;
    }
    static std::vector<std::string> Messages()
    {
        std::vector<std::string> texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }
    /// A key pressed in wnd with the modifiers held, delivered at once.
    static void Key(CWnd& wnd, UINT vk, UINT mk = 0)
    {
        TestHooks::PostKey(wnd, vk, mk);
        TestHooks::DeliverPosted();
    }

    CWinApp m_app{"Ardenvel"}; // offers keys to the windows before they take them
    CWnd m_host;
    CEdit m_other;
    CStoringOwner m_owner;
};

} // namespace records_test
