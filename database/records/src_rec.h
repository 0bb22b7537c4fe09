// database/records/src_rec.h: the source record (SOUR): a book, register or census that facts cite.
#pragma once

#include "database/records/record_node.h"

/// A source record: a plain record that merging and record search treat by its title,
/// abbreviation and author.
class CSrcRec final : public CRecordNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// -9999 against another record type; otherwise, for the first non-empty TITL, ABBR and
    /// AUTH that both records have: +200, +100, +40 when equal and -50, -50, -40 when not (an
    /// empty field counts as none, as a new source's empty title does).
    int MatchScore(const CRecordNode* other, const void* options) const override;
    /// Whether a TITL field, and failing that an ABBR field, holds the terms.
    bool ContainsKeyText(std::span<const CSearchTerm> terms, bool caseSensitive) const override;
};
