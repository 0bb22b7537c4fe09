// media/window/install_media_window.h: makes the multimedia window reachable from the record pages
// below it.
#pragma once

#include <functional>

class CSubViewMedia;

/// Installs the record pages' opener of the multimedia window: getWindow finds or makes the
/// window and activates it (null when none can be made); the window then lists the record's
/// multimedia (or shows a multimedia record alone) with the item selected. An empty getWindow
/// removes the opener.
void InstallMediaWindow(std::function<CSubViewMedia*()> getWindow);
