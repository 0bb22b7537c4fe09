// records/grid/grid_colours.cpp: the row colours of a node.
#include "records/grid/grid_colours.h"

#include "records/grid/rec_wnd_options.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "platform/ui/windows/sys_metrics.h"

void GetGridColours(const CDataNode* node, const CRecWndOptions& options, COLORREF& label,
                    COLORREF& value)
{
    label = value = GetSysColor(COLOR_WINDOWTEXT);
    const CRecordNode* record = node ? node->GetRecord() : nullptr;
    if (!record && node && node->IsRecord())
        record = static_cast<const CRecordNode*>(node);
    COLORREF recordColour = 0;
    if (!record || !options.GetTypeColours(GetRecordTypeIndex(record->GetFieldDef()), recordColour,
                                           label, value)) {
        label = value = GetSysColor(COLOR_WINDOWTEXT);
        return;
    }
    if (node->IsRecord())
        label = value = recordColour;
}
