// reports/window/rpt_build_stop.h: what lets the user stop a long report build: the window stays
// alive while the pages are laid out, and Escape ends the build.
#pragma once

#include "platform/ui/windows/message.h"

/// The stop check of a build (CRptPageLayout::Paginate's stop): at most every tenth of a second
/// of the program's clock it dispatches the messages waiting, so that the window repaints and
/// its keys arrive; it answers true once Request was called (the window calls it on Escape).
class CRptBuildStop {
public:
    CRptBuildStop();
    bool operator()();
    void Request() { m_requested = true; }
    bool IsRequested() const { return m_requested; }

private:
    bool m_requested = false;
    DWORD m_lastPump = 0;
};

/// Whether msg is the key that stops a build: Escape pressed.
bool IsBuildStopKey(const MSG& msg);
