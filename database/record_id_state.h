// database/record_id_state.h: what the data set knows of each record type's identifiers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class CRecordNode;

/// One record type's identifier state, indexed by list order (INDI 0, FAM 1, NOTE 2, SOUR 3,
/// REPO 4, SUBM 5, SUBN 6, OBJE 7, HEAD 8): the id prefix learned from the first identifier
/// of a load, the last record number given, and the maps from identifiers to records that a
/// load fills until its cross-references are resolved.
struct CRecordIdState {
    bool m_prefixLearned = false;
    bool m_noPrefix = false;  // standard identifiers are bare numbers
    char m_prefix[4] = {};    // up to four letters, zero-padded
    std::int32_t m_counter = 0;  // the last record number given; -1 once numbers ran out
    bool m_duplicateFound = false;
    bool m_nonStandardFound = false;
    std::unordered_map<std::int32_t, CRecordNode*> m_numberMap;
    std::unordered_map<std::string, CRecordNode*> m_textMap;
    std::size_t m_hashSize = 17;  // the number map's bucket count after a reset

    /// Forgets the prefix, the counter, the flags and both maps; the bucket count is kept.
    void Reset();
    /// Frees the number map and makes a new empty one of that many buckets.
    void SetHashSize(std::size_t buckets);
    /// The next record number; 0 (and the counter stays -1) once numbers have run out.
    std::int32_t TakeNextNumber();
};

/// The state of a list index 0 to 8; null outside.
CRecordIdState* GetRecordIdState(int listIndex);
/// Records made while a load runs take no number from the counters.
void SuspendRecordNumbering(bool suspended);
bool IsRecordNumberingSuspended();

/// Learns a record type's id prefix from a cross-reference id's text (without the "@"): up to
/// four leading letters, or, for a text that does not start with a letter, no prefix.
void ReadXrefPrefix(CRecordIdState& state, std::string_view idText);
