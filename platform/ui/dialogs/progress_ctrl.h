// platform/ui/dialogs/progress_ctrl.h: a progress bar control: a position shown within a range.
#pragma once

#include "platform/ui/windows/wnd.h"

// Progress bar styles.
inline constexpr DWORD PBS_SMOOTH = 0x01, PBS_VERTICAL = 0x04;

/// Shows no text, only the filled part. A position outside the range is held at its ends.
class CProgressCtrl : public CWnd {
public:
    CProgressCtrl();
    ~CProgressCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    /// Sets the range; the position stays within it.
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    /// Moves the bar and repaints it at once; returns the previous position.
    int SetPos(int pos);
    int GetPos() const;
};
