// app/av_app_media.cpp: the multimedia window: finding or making it, and the commands that show
// every multimedia object or the selected record's multimedia in it.
#include "app/av_app.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/sub_view.h"
#include "media/window/sub_view_media.h"

#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/records/record_node.h"
#include "platform/ui/windows/cmd_ui.h"

namespace {

/// What Multimedia shows for a selection: a record or an embedded object itself, a link to a
/// multimedia record its target; null for anything else.
CDataNode* MediaContextOf(CObject* selected)
{
    auto* node = dynamic_cast<CDataNode*>(selected);
    if (!node)
        return nullptr;
    if (node->IsRecord() || dynamic_cast<CObjNode*>(node))
        return node;
    return dynamic_cast<CObjRec*>(node->GetLinkTarget());
}

} // namespace

CSubViewMedia* CAvApp::GetMediaWindow()
{
    CAvView* view =
        ShowInWindowOfKind(kSubViewMedia, RuntimeClassOf<CSubViewMedia>(), [](CSubView&) {});
    return view ? dynamic_cast<CSubViewMedia*>(view->GetSubView()) : nullptr;
}

void CAvApp::ShowMediaWindow(CDataNode* record)
{
    ShowInWindowOfKind(kSubViewMedia, RuntimeClassOf<CSubViewMedia>(), [record](CSubView& pane) {
        if (auto* media = dynamic_cast<CSubViewMedia*>(&pane))
            media->SetContextRecord(record, 0, 0);
    });
}

void CAvApp::MapMediaCommands()
{
    MapCommand(ID_WORK_WITH_MEDIA, [this] { ShowMediaWindow(nullptr); });
    const auto selection = [this]() -> CDataNode* {
        const CAvView* view = GetActiveAvView();
        const CSubView* pane = view ? view->GetSubView() : nullptr;
        return pane ? MediaContextOf(pane->GetSelection(nullptr, nullptr)) : nullptr;
    };
    MapCommand(ID_VIEW_MEDIA, [this, selection] {
        if (CDataNode* context = selection())
            ShowMediaWindow(context);
    });
    MapUpdate(ID_VIEW_MEDIA, [selection](CCmdUI* state) { state->Enable(selection() != nullptr); });
}
