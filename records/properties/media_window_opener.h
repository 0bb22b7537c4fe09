// records/properties/media_window_opener.h: how the record pages open the multimedia window, which
// lives in a library above this one and installs itself here.
#pragma once

#include <functional>

class CMediaItem;
class CRecordNode;

/// Opens or activates the multimedia window for the record, showing the item (or the record's
/// first object when null).
using MediaWindowOpener = std::function<void(CRecordNode* record, CMediaItem* item)>;

/// Installs the opener; an empty one removes it.
void InstallMediaWindowOpener(MediaWindowOpener opener);
/// Whether an opener is installed (the Objects page's Open Multimedia Window button is grey
/// without one).
bool CanOpenMediaWindow();
/// Calls the opener; nothing without one.
void OpenMediaWindow(CRecordNode* record, CMediaItem* item);
