// database/fields/name_node.h: a personal name (NAME, data type 8), stored as GEDCOM writes it with
// the surname between slashes ("John /Smith/ Jr").
#pragma once

#include "database/fields/edit_node.h"

#include <string>

/// A personal name. Its display forms are chosen by the name qualifiers (SURNAME to STORED,
/// 15 to 29); they read the NPFX, NSFX and "_USED" (the given name the person is known by)
/// sub-fields, and upper-case the surname when the preference "Surnames in Upper Case" is on.
/// Names sort by surname first.
class CNameNode final : public CEditNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Save: the typed text is completed and tidied (NameFromTypedText) and replaces a value it
    /// differs from; load: the control shows the stored text.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    /// The stored text, slashes included.
    bool GetDefaultText(std::string& text) const override;
    /// Optional label and ": ", then "<no name>" for an empty name, else the stored text without
    /// its two slashes (at most 512 characters), the surname between them upper-cased by the
    /// preference; slashes around no surname leave no blank behind ("John //" shows John); a
    /// name without slashes marks no surname and shows as it is stored.
    bool GetText(std::string& text, int withLabel) const override;
    /// A name form for the qualifiers 15 to 29, cut to the buffer; a size below 2 gives 0 and
    /// an empty buffer; other formats give the value as GetText shows it.
    int GetTextBuf(char* buffer, int size, int format) const override;
    /// From a GEDCOM value: a name that needs tidying is stored tidied.
    bool SetText(std::string_view text) override;
    /// By surname: the first five surname characters, then the surname forms, then the names in
    /// the format (name forms are compared as formatted for the formats that do not sort by
    /// surname). Without regard to case.
    int Compare(const CDataNode* other, int format) const override;
    bool SupportsQualifier(int qualifier) const override;

    /// What Compare compares, read once, so that a sort of many names compares these instead.
    struct SortKey {
        bool formatted = false; // the whole name is compared as formatted (kept)
        bool hasSlash = false;  // the name marks its surname; lead is then compared first
        std::string lead;
        std::string surname;
        std::string kept;
    };
    SortKey GetSortKey(int format) const;
    /// Whether GetSortKey(format) is read from the stored text alone, so that names stored alike
    /// have equal keys.
    bool SortKeyFollowsValue(int format) const;
    /// Compare's answer for the two names the keys were read from (with one format).
    static int CompareSortKeys(const SortKey& mine, const SortKey& theirs);

    /// The "_USED" text when present and not empty (unless ignoreUsed); else the first given
    /// name: for a name that starts with its surname the first word after it, for a name
    /// without slashes the first of two or more words (none for a single word), otherwise the
    /// first word. Cut to size - 1; the length.
    int GetFirstGivenName(char* buffer, int size, bool ignoreUsed) const;
    std::string GetFirstGivenName(bool ignoreUsed) const;
    /// The surname as stored (not upper-cased), cut to size - 1; the length.
    int GetSurname(char* buffer, int size) const;
    std::string GetSurname() const;
    /// The sum of the signed character codes of the stored text; 0 for an empty name.
    int HashText() const;
    /// How well two names match for merging: one of the five values the caller gives, from
    /// different surnames or given names to equal names of three words or more.
    int CompareForMatch(const CNameNode& other, int different, int weak, int sameSurname,
                        int partial, int strong) const;

private:
    /// The name in a form 15 to 29 for a buffer of size bytes, not yet cut.
    std::string FormatName(int format, int size) const;
    /// The form into a buffer of size bytes, as GetTextBuf gives it.
    std::string FormattedText(int format, int size) const;
    std::string GetFullText() const;
    std::string GetPreferredText(int size) const;
    /// Prefix, core form (or "<no name>" when empty) and suffix, as asked.
    std::string AdornText(const std::string& core, bool withPrefix, bool withSuffix) const;
    std::string GetChildText(int fieldId) const;
};

/// Start-up: whether the definitions table gives the individual's names their "_USED" field
/// (the path NAME._USED under the individual record).
bool InitNameStatics();
