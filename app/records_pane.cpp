// app/records_pane.cpp: the records window's kind.
#include "app/records_pane.h"

#include "app/app_ids.h"

int CRecordsPane::GetSubViewType() const
{
    return kSubViewRecords;
}
