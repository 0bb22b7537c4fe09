// database/gedcom/merge_data_set.h: a second data set beside the program's own, which a merge or
// compare reads a file into: nine record-type roots of its own.
#pragma once

#include "database/dictionary/record_type_table.h"

#include <array>
#include <memory>

class CDataNode;
class CRootNode;

/// Nine record-type roots in table order (HEAD, FAM, INDI, OBJE, NOTE, REPO, SOUR, SUBM, SUBN),
/// owned, with the records under them. Nothing of the program's own data set (its roots,
/// identifiers, counters, named lists) belongs to it. Freed with change tracking off.
class CMergeDataSet final {
public:
    /// Nine empty roots, each with its record type's top definition.
    CMergeDataSet();
    ~CMergeDataSet();
    CMergeDataSet(const CMergeDataSet&) = delete;
    CMergeDataSet& operator=(const CMergeDataSet&) = delete;

    /// The root of a table index 0 to 8.
    CDataNode* Root(int code) const;
    std::array<CDataNode*, RECORD_TYPE_COUNT> Roots() const;
    /// The number of records under the nine roots.
    std::size_t CountRecords() const;
    /// Frees every record at once (links into the program's data set included), with change
    /// tracking off; the roots stay, empty.
    void FreeRecords();

private:
    std::array<std::unique_ptr<CRootNode>, RECORD_TYPE_COUNT> m_roots;
};
