// tests/records/main_keys_frame.h: a main window whose keys Ctrl+S and F5 both run Save, for the
// tests of main-window keys typed into the records window's editors and the properties box.
#pragma once

#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/app.h"
#include "tests/controls/tree_box_fixture.h"

#include <functional>
#include <utility>

namespace records_test {

class CKeysFrame final : public CFrameWnd {
public:
    explicit CKeysFrame(std::function<void()> save) { MapCommand(ID_FILE_SAVE, std::move(save)); }
};

/// Makes the frame, its key table read from a script, and the program's main window of app;
/// save runs at each Save. Null when the frame cannot be made.
inline CKeysFrame* MakeKeysFrame(CWinApp& app, std::function<void()> save)
{
    auto* main = new CKeysFrame(std::move(save));
    CResources keys;
    keys.AddScript("4711 ACCELERATORS\nBEGIN\n \"S\", 57603, VIRTKEY, CONTROL\n"
                   " VK_F5, 57603, VIRTKEY\nEND\n",
                   "keys.rc", ".");
    SetAppResources(&keys);
    const BOOL made = main->LoadFrame(4711);
    controls_test::UseCompiledResources();
    if (!made)
        return nullptr;
    app.m_pMainWnd = main;
    return main;
}

} // namespace records_test
