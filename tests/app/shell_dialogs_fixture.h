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
#include "tests/support/window_test.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace app_test {

class ShellDialogTest : public test_support::WindowTest {
protected:
    void SetUp() override
    {
        m_folder = test_support::NewFolder("shell");
        setenv("XDG_CONFIG_HOME", (m_folder + "/config").c_str(), 1);
        RegReset();
        Prefs() = Preferences();
        test_support::UseCompiledResources();
    }

    void TearDown() override
    {
        ClearNamedLists(true);
        TestHooks::TakeMessages();
        TestHooks::TakeShellOpens();
        SetAppResources(nullptr);
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
