// tests/support/window_test.h: what the tests of windows share: the resources compiled into the
// program, and reading back the message boxes shown and the controls of a dialog.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CWnd;

namespace test_support {

/// Installs the resources compiled into the program (dialog templates, menus, bitmaps), loaded
/// once for the test program.
void UseCompiledResources();

/// A test of windows, with the read-back helpers as members.
class WindowTest : public testing::Test {
protected:
    /// The texts of the message boxes shown since the last call.
    static std::vector<std::string> MessageTexts();
    /// The text of the dialog's control; empty when there is no such control.
    static std::string Text(const CWnd& dialog, int id);
    /// Whether the dialog has the control and it is enabled.
    static bool Enabled(const CWnd& dialog, int id);
};

} // namespace test_support
