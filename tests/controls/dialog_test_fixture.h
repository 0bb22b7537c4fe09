// tests/controls/dialog_test_fixture.h: the program's compiled-in resources for the tests of
// the small modal dialogs of the control kit, and what those tests read back.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace controls_test {

class DialogTest : public testing::Test {
protected:
    void SetUp() override { UseCompiledResources(); }
    void TearDown() override { TestHooks::TakeMessages(); }

    /// The texts of the message boxes shown since the last call.
    static std::vector<std::string> MessageTexts()
    {
        std::vector<std::string> texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }

    static std::string Text(const CWnd& dlg, int id)
    {
        std::string text;
        if (const CWnd* control = dlg.GetDlgItem(id))
            control->GetWindowText(text);
        return text;
    }
};

} // namespace controls_test
