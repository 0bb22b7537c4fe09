// records/properties/media_window_opener.cpp: the installed opener of the multimedia window.
#include "records/properties/media_window_opener.h"

namespace {

MediaWindowOpener& Opener()
{
    static MediaWindowOpener opener;
    return opener;
}

} // namespace

void InstallMediaWindowOpener(MediaWindowOpener opener)
{
    Opener() = std::move(opener);
}

bool CanOpenMediaWindow()
{
    return bool(Opener());
}

void OpenMediaWindow(CRecordNode* record, CMediaItem* item)
{
    if (Opener())
        Opener()(record, item);
}
