// media/window/media_window_ids.h: the numbers of the multimedia window's commands, child windows,
// timers and dialog templates, as the menus and resource scripts use them.
#pragma once

#include "platform/base/types.h"

// Commands of the Multimedia menu.
inline constexpr UINT ID_MEDIA_CONTEXT_PANE = 32919, ID_MEDIA_TITLE_PANE = 33017,
                      ID_MEDIA_NEW_LINK = 32934, ID_MEDIA_NEW_FRAME_LINK = 32917,
                      ID_MEDIA_ADD_FRAME = 32933, ID_MEDIA_SELECT_FRAME = 33013,
                      ID_MEDIA_MOVE_UP = 32833, ID_MEDIA_MOVE_DOWN = 32834, ID_MEDIA_DELETE = 32801,
                      ID_MEDIA_RUN_QUERY = 32940, ID_MEDIA_ABSORB = 33019, ID_MEDIA_EXPEL = 33018,
                      ID_MEDIA_SORT_ALPHABETICAL = 32836, ID_MEDIA_SORT_CREATION = 32983,
                      ID_MEDIA_SORT_LAST_UPDATE = 32984, ID_MEDIA_ACTION = 32944;

// Child windows.
inline constexpr UINT kMediaListPaneId = 103, kMediaDisplayPaneId = 104, kMediaObjectsListId = 107,
                      kMediaLinksListId = 108, kMediaNoteEditId = 109, kMediaCaptionBarId = 303,
                      kMediaPictureWndId = 765;

// Timers of the picture window: the animated scroll and the end of the hover highlight.
inline constexpr UINT_PTR kMediaAnimationTimer = 907, kMediaHoverTimer = 908;
inline constexpr UINT kMediaAnimationMs = 1000, kMediaHoverMs = 500;

// Dialog templates (resources/media.rc).
inline constexpr UINT kCreateLinkTemplate = 234, kPicFileTemplate = 236, kCaptionBarTemplate = 303;

/// The picture tools of the window: none, a new frame with a new link or note, a frame added
/// to the selected link, selecting (moving and resizing) the selected link's frame.
enum MediaTool : int { kToolNone = 0, kToolNewFrame = 1, kToolAddFrame = 2, kToolSelectFrame = 3 };
