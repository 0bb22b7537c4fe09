// tests/support/window_test.cpp: the shared helpers of the tests of windows.
#include "tests/support/window_test.h"

#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"
#include "tests/support/test_support.h"

namespace test_support {

void UseCompiledResources()
{
    static CResources resources;
    static const bool loaded = [] {
        std::string error;
        const bool ok = resources.LoadCompiledIn(error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }();
    if (loaded)
        SetAppResources(&resources);
}

std::vector<std::string> WindowTest::MessageTexts()
{
    return TextsOf(TestHooks::TakeMessages());
}

std::string WindowTest::Text(const CWnd& dialog, int id)
{
    std::string text;
    if (const CWnd* control = dialog.GetDlgItem(id))
        control->GetWindowText(text);
    return text;
}

bool WindowTest::Enabled(const CWnd& dialog, int id)
{
    const CWnd* control = dialog.GetDlgItem(id);
    return control && control->IsWindowEnabled();
}

} // namespace test_support
