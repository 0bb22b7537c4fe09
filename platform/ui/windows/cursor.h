// platform/ui/windows/cursor.h: mouse cursors from the resources; a window shows one with
// CWnd::SetWindowCursor.
#pragma once

#include "platform/ui/windows/message.h"

struct CursorData;
/// A loaded cursor; it lives for the run.
using HCURSOR = const CursorData*;

/// The CURSOR resource id, loaded at the first call and kept. Its hot spot is the image's
/// "hotspot" text ("x,y") when that lies inside the image, else the image's centre. Null when
/// the resources have no such cursor or its image does not read.
HCURSOR LoadCursorResource(UINT id);
/// The desktop's own cursors, by the classic ids: the arrow, the cross of drawing tools, and the
/// double arrows of sizing (north-west to south-east, north-east to south-west, west-east,
/// north-south).
inline constexpr UINT IDC_ARROW = 32512, IDC_CROSS = 32515, IDC_SIZENWSE = 32642,
                      IDC_SIZENESW = 32643, IDC_SIZEWE = 32644, IDC_SIZENS = 32645;
/// The desktop's cursor of that id, kept for the run; null for an unknown id. GetCursorResourceId
/// answers the id for each but the arrow.
HCURSOR LoadStandardCursor(UINT id);
/// The resource id the cursor was loaded from; 0 for null.
UINT GetCursorResourceId(HCURSOR cursor);
/// The window the pointer is over, as the program last saw it: the window that the last mouse
/// message went to (under a capture, the capturing window); null before any.
CWnd* GetWindowUnderMouse();
/// Whether the busy pointer shows over the application's windows: a CWaitCursor lives and no
/// modal window has put the normal pointer back for its time.
bool IsWaitCursorShown();

/// While the wait cursor shows, the pointer over wnd and its children is the arrow instead:
/// the one control that still takes clicks during a wait looks as it does at other times.
/// Null, or another window, ends it; end it before the wait ends.
void SetWaitCursorExemption(CWnd* wnd);
