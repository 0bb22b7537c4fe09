// reports/rpt_select.h: how reports ask the user for their subject records or named list: the
// Select Records and Select Named List dialogs live above this library, which hands them in.
#pragma once

#include <string>
#include <vector>

class CRecordNode;

class IRptSelector {
public:
    virtual ~IRptSelector() = default;
    /// The Select Records dialog for recordType (0-7): false on Cancel; after OK chosen holds
    /// the records in the order the user gave.
    virtual bool SelectRecords(int recordType, std::vector<CRecordNode*>& chosen) = 0;
    /// The same with initial, a report's own records in their order, as the chosen set the
    /// dialog starts with; an empty one is none (the dialog then starts with the active
    /// window's selected records).
    virtual bool SelectRecordsFrom(int recordType, const std::vector<CRecordNode*>& initial,
                                   std::vector<CRecordNode*>& chosen)
    {
        (void)initial;
        return SelectRecords(recordType, chosen);
    }
    /// The Select Named List dialog: false on Cancel; after OK name names the list chosen.
    virtual bool SelectNamedList(std::string& name) = 0;
};
