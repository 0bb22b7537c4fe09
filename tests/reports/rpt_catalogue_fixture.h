// tests/reports/rpt_catalogue_fixture.h: report folders of a test's own (types, Standard and
// Custom, set through the folder settings), report and type files written into them, and the
// messages shown.
#pragma once

#include "common/preferences.h"
#include "platform/base/registry.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace rpt_catalogue_test {

inline void SetFolderValue(const char* name, const std::string& text)
{
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                   nullptr);
    RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  DWORD(text.size() + 1));
    RegCloseKey(key);
}

inline std::string TypeFile(std::string_view reportClass, std::string_view name)
{
    return "[Ardenvel Report]\nVersion=3\nClass=" + std::string(reportClass) +
           "\nTemplate=" + std::string(name) + "\n";
}

class CatalogueTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("config").c_str(), 1);
        RegReset();
        m_types = test_support::NewFolder("types");
        m_standard = test_support::NewFolder("standard");
        m_custom = test_support::NewFolder("custom");
        SetFolderValue("Reports Directory - Type", "\"" + m_types + "/\"");
        SetFolderValue("Reports Directory - Standard", m_standard);
        SetFolderValue("Reports Directory - Custom", m_custom);
        test_support::Prompt().TakeMessages();
    }
    void TearDown() override { RegReset(); }

    void AddType(std::string_view name, std::string_view reportClass)
    {
        test_support::WriteFile(m_types + "/" + std::string(name) + ".avr",
                                TypeFile(reportClass, name));
    }
    void AddReport(const std::string& folder, std::string_view name, std::string_view body)
    {
        test_support::WriteFile(folder + "/" + std::string(name) + ".avr", body);
    }
    std::vector<std::string> Messages()
    {
        return test_support::TextsOf(test_support::Prompt().TakeMessages());
    }

    std::string m_types, m_standard, m_custom;
};

} // namespace rpt_catalogue_test
