// tests/platform/ui/dialogs/dialog_fixture.h: the dialog templates of tests/data/dialogs installed
// as the program's resources, and a dialog that records the notifications its controls send.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace dialog_test {

/// Installs the test templates for the length of each test.
class DialogResources : public testing::Test {
protected:
    void SetUp() override
    {
        static CResources* resources = [] {
            auto* loaded = new CResources;
            loaded->AddScriptFile(test_support::DataPath("dialogs/dialogs.rc"));
            return loaded;
        }();
        SetAppResources(resources);
    }
    void TearDown() override
    {
        TestHooks::TakeMessages();
        SetAppResources(nullptr);
    }
};

/// A dialog that records each notification as "id:code" ("id:notify code" for WM_NOTIFY,
/// "vscroll code pos" for WM_VSCROLL) and can answer WM_NOTIFY with a veto.
class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(UINT templateId) : CDialog(templateId) {}

    std::vector<std::string> Take() { return std::exchange(m_seen, {}); }

    LRESULT m_notifyAnswer = 0;
    std::vector<std::string> m_seen;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam)
            m_seen.push_back(std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)));
        return CDialog::OnCommand(wParam, lParam);
    }
    void OnVScroll(UINT code, UINT pos, CScrollBar*) override
    {
        m_seen.push_back("vscroll " + std::to_string(code) + " " + std::to_string(pos));
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        m_seen.push_back(std::to_string(header->idFrom) + ":notify " +
                         std::to_string(int(header->code)));
        CDialog::OnNotify(wParam, lParam, result);
        *result = m_notifyAnswer;
        return TRUE;
    }
};

} // namespace dialog_test
