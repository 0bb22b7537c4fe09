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

class DialogTest : public test_support::WindowTest {
protected:
    void SetUp() override { UseCompiledResources(); }
    void TearDown() override { TestHooks::TakeMessages(); }
};

} // namespace controls_test
