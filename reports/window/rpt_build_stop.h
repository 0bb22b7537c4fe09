// reports/window/rpt_build_stop.h: what lets the user follow and stop a long report build: the
// windows stay painted while the pages are laid out, the status bar shows how far it got, and
// Escape ends the build.
//
// CRptBuildStop, the stop check handed to a build: every tenth of a second of the program's clock
// it dispatches the waiting messages with input held back (frames refuse to close and to run
// commands meanwhile), and answers true once Escape was pressed anywhere or Request called.
// CRptBuildProgress passes the build's progress on to the main window's bar, with the page reached
// in its text. Trap: dispatching messages during a build could let commands run: the pump holds
// input back and frames refuse commands and closing meanwhile; Rebuild and the options sheet still
// check IsBuilding.
#pragma once

#include "platform/base/progress.h"
#include "platform/ui/windows/message.h"

#include <string>

/// The stop check of a build (CRptPageLayout::Paginate's stop): at most every tenth of a second
/// of the program's clock it dispatches the messages waiting, so that the windows repaint. Input
/// is held back meanwhile (frames refuse to close and to run commands), except that Escape
/// pressed anywhere stops the build; it answers true once the build is to stop (Request, or
/// Escape).
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

/// The progress of a build, passed on to the program's progress bar (none: nothing shown): the
/// entries laid out on the bar, and the page reached in the text beside it.
class CRptBuildProgress final : public IProgress {
public:
    explicit CRptBuildProgress(IProgress* shown) : m_shown(shown) {}
    void BeginProgress(long range, const std::string& text) override;
    void SetProgressPos(long pos) override;
    void ResetProgress(long range, const std::string& text) override;
    void EndProgress() override;
    /// The page the layout has reached; the text follows at most every tenth of a second.
    void PageReached(int page);
    /// The text shown now.
    std::string Text() const;

private:
    void Show();

    IProgress* m_shown;
    std::string m_text;
    long m_range = 0, m_pos = 0;
    int m_page = 0;
    bool m_active = false;
    DWORD m_lastShown = 0;
};
