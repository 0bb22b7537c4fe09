// merge/merge_candidates.h: which current records a new record of the compare is scored against:
// those an index on what a positive score needs cannot rule out.
#pragma once

#include "database/kin/ind_compare_keys.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CRecordNode;

/// The current records of one record type, indexed so that for a new record of the type only
/// the current records that could score above 0 against it are visited: a score of 0 or less
/// changes nothing in the pairing, so visiting these in the current data set's order gives
/// the pairs a scan of all of them gives. What each type's index rests on:
/// - individuals: the same surname key or none (different surnames score below 0), and a birth
///   date within ten years or one that cannot be placed by year (a farther one scores below 0);
/// - families: each partner present on both sides matched with the other's (else below 0),
///   or, without partners to go by, a child matched with one of the other's children;
/// - notes: the same text (ignoring case); sources: an equal title, abbreviation or author;
///   multimedia: the same linked path, or embedded content of the same kind and size;
/// - the other types: an equal key field (the fields the record definition names).
/// A record whose key cannot be read as text is a candidate for every new record.
class CCandidateIndex {
public:
    virtual ~CCandidateIndex() = default;
    /// Puts into out the positions (in the current records' order) of the candidates for
    /// incoming, ascending. False when every current record is a candidate (out unused).
    virtual bool Collect(const CRecordNode& incoming, std::vector<std::uint32_t>& out) const = 0;
};

/// The current record matched with a new individual (by the individuals' compare); null when
/// none.
using CurrentMatchOf = std::function<const CRecordNode*(const CRecordNode* incoming)>;

/// The index of the current records of a table index (0 HEAD ... 8 SUBN), reading the
/// individuals' compare keys the compare installed; currentMatchOf answers for individuals
/// already compared.
std::unique_ptr<CCandidateIndex> MakeCandidateIndex(int type,
                                                    const std::vector<CRecordNode*>& currents,
                                                    CurrentMatchOf currentMatchOf);
