// media/window/install_media_window.cpp: the record pages' opener of the multimedia window.
#include "media/window/install_media_window.h"

#include "media/window/sub_view_media.h"

#include "database/multimedia/media_item.h"
#include "database/records/record_node.h"
#include "records/properties/media_window_opener.h"

void InstallMediaWindow(std::function<CSubViewMedia*()> getWindow)
{
    if (!getWindow) {
        InstallMediaWindowOpener(nullptr);
        return;
    }
    InstallMediaWindowOpener([getWindow](CRecordNode* record, CMediaItem* item) {
        CSubViewMedia* window = getWindow();
        if (!window)
            return;
        window->SetContextRecord(record, 0, 0);
        if (item)
            window->GetListPane().SelectObjectNode(item->GetHolderNode());
    });
}
