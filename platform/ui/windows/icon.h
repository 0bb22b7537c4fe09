// platform/ui/windows/icon.h: icons from the resources, at the two sizes a window shows: small
// (16 x 16) in its title bar, big (32 x 32) where the desktop shows windows large.
#pragma once

#include "platform/ui/windows/message.h"

#include <vector>

struct IconData;
/// A loaded icon; it lives for the run.
using HICON = const IconData*;

/// The ICON resource id at size x size pixels, loaded at the first call and kept: the picture of
/// that size when the resource's file holds one (an icon file holds several), else its largest
/// picture scaled. Null when the resources have no such icon or its file does not read.
HICON LoadIconResource(UINT id, int size);
/// The resource id and the size the icon was loaded for; 0 for null.
UINT GetIconResourceId(HICON icon);
int GetIconSize(HICON icon);
/// The icon's pixels, row after row, top first (0x00BBGGRR, fully transparent pixels as
/// 0xFFFFFFFF); empty for null.
std::vector<COLORREF> GetIconPixels(HICON icon);
