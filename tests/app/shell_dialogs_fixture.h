// tests/app/shell_dialogs_fixture.h: the program's compiled-in resources over fresh
// preferences and a fresh registry, for the shell's dialogs that need no running application.
#pragma once

#include "common/preferences.h"
#include "common/registry_values.h"
#include "platform/base/registry.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/named_list.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace app_test {

class ShellDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = test_support::NewFolder("shell");
        setenv("XDG_CONFIG_HOME", (m_folder + "/config").c_str(), 1);
        RegReset();
        Prefs() = Preferences();
        static CResources* resources = [] {
            auto* loaded = new CResources;
            std::string error;
            EXPECT_TRUE(loaded->LoadCompiledIn(error)) << error;
            return loaded;
        }();
        SetAppResources(resources);
    }

    void TearDown() override
    {
        ClearNamedLists(true);
        TestHooks::TakeMessages();
        TestHooks::TakeShellOpens();
        SetAppResources(nullptr);
    }

    /// The texts of the message boxes shown since the last call.
    static std::vector<std::string> MessageTexts()
    {
        return test_support::TextsOf(TestHooks::TakeMessages());
    }

    static std::string Text(const CWnd& dlg, int id)
    {
        std::string text;
        if (const CWnd* control = dlg.GetDlgItem(id))
            control->GetWindowText(text);
        return text;
    }

    static bool Enabled(const CWnd& dlg, int id)
    {
        const CWnd* control = dlg.GetDlgItem(id);
        return control && control->IsWindowEnabled();
    }

    /// A value of the "Preferences" key as written (empty when absent).
    static std::string StoredText(const char* name)
    {
        HKEY key = nullptr;
        const std::string path = std::string(kProgramKey) + "\\Preferences";
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {};
        const std::string value = RegGetString(key, name, "");
        RegCloseKey(key);
        return value;
    }

    std::string m_folder;
};

} // namespace app_test
