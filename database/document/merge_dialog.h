// database/document/merge_dialog.h: what the document asks of the merge dialog when it loads a
// second file to merge with or compare against the open one.
#pragma once

#include "database/dictionary/record_type_table.h"

#include <array>
#include <string>

class CDataNode;
class IProgress;

/// The nine record-type roots of a data set, in table order (HEAD, FAM, INDI, OBJE, NOTE,
/// REPO, SOUR, SUBM, SUBN).
using DataSetRoots = std::array<CDataNode*, RECORD_TYPE_COUNT>;

/// The merge dialog owns a second data set beside the program's own, fills it from the file
/// chosen for the merge, pairs its records with the program's and merges the pairs the user
/// accepts. The merge subsystem implements it; the document drives it through these steps, in
/// this order: load, files, run, free, results.
class IMergeDialog {
public:
    virtual ~IMergeDialog() = default;
    /// Reads path into the dialog's own data set, leaving the program's data set, record
    /// identifiers and named lists as they are. otherLocation becomes true when the file holds
    /// multimedia and its header names another location (its links to external files have not
    /// been updated since it was moved). False when the file could not be read to its end.
    virtual bool LoadSecondFile(const std::string& path, IProgress* progress,
                                bool& otherLocation) = 0;
    /// The file loaded and the program's data set to compare it with; prepares the comparison
    /// maps, sized by the program's record count.
    virtual void SetFiles(const std::string& path, const DataSetRoots& currentRoots) = 0;
    /// Shows the dialog modally; true when it ended with OK and records were merged.
    virtual bool Run() = 0;
    /// Destroys the dialog's data set (the document has change tracking off meanwhile). When
    /// nothing was merged, the program's link bookkeeping is first restored from the values the
    /// load saved.
    virtual void FreeSecondDataSet(bool merged) = 0;
    /// Shows the merge results with the number of records of each type that the run merged.
    virtual void ShowResults() = 0;
};
