// app/shell/records_pane.cpp: the records window's kind.
#include "app/shell/records_pane.h"

#include "app/shell/app_ids.h"

int CRecordsPane::GetSubViewType() const
{
    return kSubViewRecords;
}
