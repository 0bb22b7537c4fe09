// database/gedcom/gedcom_load_steps.h: the steps of a GEDCOM load that follow the reading of each
// record and of the whole file: multimedia chains, references to missing records, the end of
// the multimedia records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class CAssocNode;
class CObjRec;
class CRecordNode;
class CTextValueNode;
class IProgress;

/// The list indices of the record types the loader treats apart.
inline constexpr int kLoadKindMultimedia = 7;
inline constexpr int kLoadKindHeader = 8;

/// Joins the multimedia records of a file that a writer split into a chain: each record may
/// name the record that continues its embedded data (its "Continued in" link).
class CMultimediaChains final {
public:
    /// Takes a multimedia record just read, with the identifier of its level-0 line. A record
    /// that an earlier one announced as its continuation gives its BLOB fields to the chain's
    /// first record and is destroyed: false. Any other record starts a chain and joins the data
    /// set: true. The "Continued in" link is taken off either way, and a chain's first record
    /// decodes its data once the chain ends.
    bool Take(CObjRec& record, std::string_view xref);

private:
    /// Announces the continuation that record names, with owner as the chain's first record;
    /// false when it names none.
    bool AnnounceContinuation(CObjRec& record, CObjRec& owner);

    std::unordered_map<std::int32_t, CObjRec*> m_byNumber;
    std::unordered_map<std::string, CObjRec*> m_byText;
};

/// Resolves the links the load made (those newer than stopLink; all when null); every
/// reference to a missing record goes to the exception report.
void ResolveLoadedLinks(IProgress* progress, CAssocNode* stopLink = nullptr);

/// Once the load's records are numbered: every reference to a missing record that keeps a
/// non-standard identifier keeps a new number of its type instead (one per identifier), so that
/// the file is renumbered once, by this load, and the next load of the saved file reads the same
/// identifiers. Only the links newer than stopLink (all when null) are the load's.
void NumberDanglingTextReferences(CAssocNode* stopLink = nullptr);

/// Decodes the embedded data of every multimedia record (a failure is reported; the BLOB lines
/// are then kept as read) and sets the multimedia counter to the highest number in use.
void FinishMultimediaRecords();

/// The text fields of a load that hold a cross-reference (a user-defined tag, or a tag the table
/// keeps as text, naming a record: "1 _PHOTO @M12@"), with the record each names, so that they
/// name the same record after the load has renumbered its records.
class CCrossReferenceTexts final {
public:
    /// Made before the load reads its first record.
    CCrossReferenceTexts();
    /// The identifier of a record the load skipped (a record of a type the table lacks,
    /// "0 @P200@ _PLAC").
    void NoteSkippedRecord(std::string_view xref);
    /// Before the load's identifiers are finished: when the load read such fields, finds each
    /// and the one record its identifier names. One that names no record (or several) stays a
    /// link as read when no record of the saved file can carry its identifier (it names no
    /// type's letter and number, "@P200@"); otherwise it is left out with the lines below it,
    /// and reported, when it names a record the load skipped, or becomes plain text (written
    /// with its at signs doubled). Each naming a skipped record is reported.
    void Collect();
    /// After they are finished: each field found names its record's new identifier.
    void Renumber();

private:
    std::size_t m_readBefore;
    std::vector<std::pair<CTextValueNode*, const CRecordNode*>> m_found;
    std::unordered_set<std::string> m_skipped;
};
