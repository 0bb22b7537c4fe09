// records/grid/main_window_keys.cpp: the main window's accelerators, looked up for record editors.
#include "records/grid/main_window_keys.h"

#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/accelerator_table.h"
#include "platform/ui/windows/app.h"

namespace {

CFrameWnd* MainFrame()
{
    return dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
}

} // namespace

UINT MainWindowKeyCommand(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return 0;
    const CFrameWnd* frame = MainFrame();
    const CAcceleratorTable* keys = frame ? frame->GetAccelerators() : nullptr;
    return keys ? keys->FindCommand(msg) : 0;
}

BOOL TranslateMainWindowKey(const MSG& msg)
{
    CFrameWnd* frame = MainFrame();
    const CAcceleratorTable* keys = frame ? frame->GetAccelerators() : nullptr;
    return keys && keys->TranslateAccelerator(frame, msg);
}
