// database/kin/ind_rec.h: the individual record (INDI): its sex, its family links and the walks
// over them, adding and linking relatives, its names and texts, match score and life dates.
#pragma once

#include "database/dates/date_value.h"
#include "database/fields/name_node.h"
#include "database/records/record_node.h"

#include <optional>
#include <string>

class CAssocNode;
class CDateNode;
class CDateValue;
class CFamRec;
class CNameNode;
struct CIndCompareKeys;

/// Program-wide sex codes.
inline constexpr int SEX_MALE = 0;
inline constexpr int SEX_FEMALE = 1;
inline constexpr int SEX_UNDETERMINED = 2;
/// No sex decided (the link check's starting value).
inline constexpr int SEX_UNSET = 3;

/// Whether a sex code is male or female (not undetermined, not unset).
inline constexpr bool IsMaleOrFemale(int sex)
{
    return sex == SEX_MALE || sex == SEX_FEMALE;
}

/// An individual. Everything about it lives in its field tree: FAMC links to the families in
/// which it is a child (a family's CHIL links back), FAMS links to those in which it is a
/// partner (HUSB or WIFE back, by its sex), its SEX field, names and events.
///
/// The order of its families is the order of its link fields, and every walk below follows it.
/// Walks never loop: a family (or child) that a file links twice is met once, at its first
/// link. Walks that take a position by index count every link field, empty or not.
class CIndRec : public CRecordNode {
public:
    CIndRec() noexcept;
    ~CIndRec() override;
    const CRuntimeClass* GetRuntimeClass() const override;
    /// Start-up: whether the definitions table gives the individual record the FAMC, FAMS,
    /// SEX, NAME and BIRT fields and a DATE under BIRT, which every walk here relies on.
    static bool InitTags();
    /// The number of individuals alive.
    static int GetLiveCount();
    /// None alive: the data set's reset, when the node pool is freed whole without the records'
    /// destructors.
    static void ForgetAllLive();

    // ---- Family links and navigation (ind_rec.cpp) -------------------------------------------
    /// The first SEX field that is not empty: SEX_MALE, SEX_FEMALE, else SEX_UNDETERMINED.
    int GetSex() const;
    /// The parent family after `after` (the first when null), in the order of the FAMC links
    /// with a target, each family once; null after the last and when `after` is not one.
    CFamRec* GetNextParentFamily(const CFamRec* after) const;
    /// The same over the FAMS links.
    CFamRec* GetNextSpouseFamily(const CFamRec* after) const;
    /// The number of FAMC (FAMS) fields: all of them, or only those with a target.
    int CountParentFamilies(bool includeEmpty) const;
    int CountSpouseFamilies(bool includeEmpty) const;
    /// The wife when the family's husband is this individual, else the husband when its wife
    /// is; null otherwise or when the partner is missing.
    CIndRec* GetSpouseInFamily(const CFamRec* family) const;
    /// The first spouse family after `after` (from the first when null) whose partner link
    /// (HUSB for a female, WIFE otherwise) targets spouse; null when none.
    CFamRec* FindFamilyWithSpouse(const CIndRec* spouse, const CFamRec* after) const;
    /// The child after previous (the first when null) over all spouse families in order; family
    /// holds the walk's family between calls (start with null, feed each answer back; after the
    /// last child both are null). With withoutPartnerOnly, families whose partner link has a
    /// target are skipped.
    CIndRec* GetNextChild(CFamRec*& family, const CIndRec* previous, bool withoutPartnerOnly) const;
    /// The husband (father) or wife of the familyIndex-th FAMC field (from 0); with
    /// lastWhenShort the last field when there are fewer. Null when missing.
    CIndRec* GetParent(bool father, int familyIndex, bool lastWhenShort) const;
    /// GetSpouseInFamily of the familyIndex-th FAMS field, taken as GetParent takes it.
    CIndRec* GetSpouse(int familyIndex, bool lastWhenShort) const;
    /// The childIndex-th child (from 0) counted across the spouse families; with lastWhenShort
    /// the last child when there are fewer. Null when missing.
    CIndRec* GetChild(int childIndex, bool lastWhenShort) const;
    /// Sets the sex on the first SEX field (empty or not); without force only an undetermined
    /// sex changes. Code 2 deletes the field. True when the individual ends with the sex asked.
    /// Bypasses the sex guard: callers keep the families consistent themselves.
    bool SetSex(int sex, bool force);
    /// Sets the sex of a partner together with the spouse's and the family's HUSB and WIFE
    /// links; refused (false, nothing changed) for a code other than 0 or 1, for a partner with
    /// two spouse families or a spouse with two. Without a spouse family it only sets the sex.
    bool SwapSexWithSpouse(int sex);

    // ---- Adding, linking and unlinking relatives (ind_rec_add.cpp, ind_rec_link.cpp) --------
    // A sex hint of 0 or 1 settles an undetermined sex without asking; any other value asks.
    // cancelled is set when the user cancels a dialog (the answer is then null). A near family
    // places a new FAMS or FAMC link before (before set) or after the link to it; without one
    // the link goes in definition order. On failure the records and fields made by the call are
    // deleted again and the answer is null; with notify a success ends with NotifyChanges.

    /// A new family in which this individual is a partner (HUSB for sex 0, WIFE for sex 1).
    CFamRec* AddSpouseFamily(int sexHint, CFamRec* nearFamily, bool before, bool notify,
                             bool& cancelled);
    /// A new family in which this individual is a child.
    CFamRec* AddParentFamily(CFamRec* nearFamily, bool before, bool notify);
    /// A new parent in the first parent family (made when there is none): the mother when only
    /// a husband is there, the father when only a wife; null when both are there. The caller
    /// sends the change notice.
    CIndRec* AddNewParent(int sexHint, bool& cancelled);
    /// A new partner of the other sex in family, or in a new spouse family when null; the hint
    /// is the spouse's sex, used when this individual's is undetermined.
    CIndRec* AddNewSpouse(CFamRec* family, int spouseSexHint, bool& cancelled);
    /// A new child in family, or in a new spouse family (family receives it); with "Auto-add
    /// Surnames" the child takes the husband's surname. The hint settles this individual's sex.
    CIndRec* AddNewChild(CFamRec*& family, int sexHint, bool& cancelled);
    /// Lets the user pick an individual and links it as partner: into family when given, into
    /// one of this individual's spouse families with a free place when the user chooses one
    /// (linked is then set), else into a new spouse family (family receives it).
    CIndRec* LinkExistingSpouse(CFamRec*& family, CFamRec* nearFamily, bool before, bool& linked,
                                bool& cancelled, bool notify);
    /// Lets the user pick an individual and links it as a child (before the child link
    /// childBefore when given): into family, or into a new spouse family; a child who already
    /// has parents may instead take this individual as partner into one of its families.
    CIndRec* LinkExistingChild(CFamRec*& family, CFamRec* nearFamily, bool before, bool& linked,
                               bool& cancelled, bool notify, CAssocNode* childBefore);
    /// Lets the user pick an individual who becomes a sibling: this individual joins one of its
    /// parent families, or both become children of a new parent family of this individual.
    CIndRec* LinkExistingSibling(CFamRec*& family, CFamRec* nearFamily, bool before, bool& linked,
                                 bool& cancelled, bool notify);
    /// Lets the user pick a parent: into family (null at once when it has both partners), into
    /// one of the parent's spouse families as child, or into a new parent family. A parent of
    /// the wrong or an unrecorded sex is refused with a message saying why.
    CIndRec* LinkExistingParent(CFamRec*& family, CFamRec* nearFamily, bool before, bool& linked,
                                bool& cancelled, bool notify);
    /// Moves the FAMS (spouseLinks) or FAMC link to family so that it stands just before the
    /// link to beforeFamily (in definition order without one); aborts (ThrowAbort) when there
    /// is no link to family.
    void MoveFamilyLink(const CFamRec* family, const CFamRec* beforeFamily, bool spouseLinks);

    // ---- Names, texts, choice list and context menu (ind_rec_text.cpp) ----------------------
    /// The first NAME field that is not empty; null when none.
    const CNameNode* GetName() const;
    /// The display text from the record's display template; "<no name>" when it is empty.
    bool GetText(std::string& text, int format) const override;
    /// The first given name (a "_USED" name first); "?" when the name has none and size > 2;
    /// "<no name>" without a name when size > 9, else empty. Returns buffer.
    char* GetGivenName(char* buffer, int size) const;
    /// The name in the preferred form (qualifier 22); empty without a name. Returns buffer.
    char* CopyNameText(char* buffer, int size) const;
    /// Every term is found in some NAME field (empty ones included) or in one of its first
    /// NPFX, GIVN, NICK, SPFX, SURN and NSFX sub-fields.
    bool ContainsKeyText(std::span<const CSearchTerm> terms, bool caseSensitive) const override;
    /// The record's own choices, then per spouse family the spouse's name, birth, death and
    /// note ("Spouse (Mary) "), the marriage, note and facts ("Marr. (to Mary) ") and the
    /// children's name, birth and adoption ("Child (Tom) ").
    void FillChoiceList(INodeChoiceList& list, bool restricted) override;
    /// The Add items sorted into "Add Family (as Child)", "Add Family (as Spouse)", "Add
    /// Attribute", "Add Event", "Add Miscellaneous" (with "LDS" last), "Add Source" and "Add
    /// Note", NAME and SEX directly, then a separator and "Properties".
    bool AddContextMenu(INodeMenu& menu) override;

    // ---- Match score (ind_rec_match.cpp) -----------------------------------------------------
    /// How likely other describes the same person: names, birth dates, parents two
    /// generations up and the spouse, with fixed weights; -999 for a man and a woman. Uses the
    /// compare keys (ind_compare_keys.h) while a compare runs. options is not used.
    int MatchScore(const CRecordNode* other, const void* options) const override;
    /// The recursive score: nested scores are never cut short; depth counts the generations of
    /// parents still scored; sex (0, 1, 2) chooses the spouse to score. Keys not handed in are
    /// looked up while a compare runs.
    int MatchIndividual(const CIndRec& other, bool nested, int depth, bool withSpouse, int sex,
                        const CIndCompareKeys* ownKeys, const CIndCompareKeys* otherKeys) const;

    // ---- Life dates, ages and date order (ind_rec_dates.cpp) ---------------------------------
    /// The DATE of the first non-empty BIRT when that DATE is not empty; null otherwise.
    const CDateNode* GetBirthDate() const;
    /// Completed years from the birth date's first value to date; noAge (and 0) without one.
    int GetAgeAtDate(const CDateValue& date, bool& noAge) const;
    /// By name in the format (the nameless first), then the later date key first (one with a
    /// key before one without), then by record number.
    int Compare(const CDataNode* other, int format) const override;
    /// -1, 0 or 1 by the date key: the first of BIRT, BAPM and CHR with a date, else the latest
    /// date of DEAT or BURI less the standard lifespan ("Std Life In Yrs"). -1 for null.
    int CompareByDate(const CIndRec* other) const;
    /// What Compare compares, read once, so that a sort of many individuals compares these.
    struct SortKey {
        bool hasName = false;
        CNameNode::SortKey name;
        std::optional<CDateValue> date;
        std::int32_t number = 0;
    };
    SortKey GetSortKey(int format) const;
    /// Compare's answer for the two individuals the keys were read from (with one format).
    static int CompareSortKeys(const SortKey& mine, const SortKey& theirs);
    /// The date key CompareByDate compares; empty when there is none.
    std::optional<CDateValue> GetDateKey() const;
    /// CompareByDate's answer for two date keys.
    static int CompareDateKeys(const std::optional<CDateValue>& mine,
                               const std::optional<CDateValue>& theirs);
    /// The life-dates text ("1850-1920", "chr.1850, bur.1920", "1850- ", " -1920", " - ");
    /// empty for a buffer under 45 bytes. Returns buffer.
    char* GetLifeDates(char* buffer, int size) const;
    /// The display text, with " (life dates)" and " [record number]" when asked, put into text
    /// or appended to it.
    void FormatNameForReport(std::string& text, bool withLifeDates, bool withRecordId,
                             bool append) const;
    /// Puts the FAMS links in the order of their families' first marriage dates; links of
    /// undated families keep their places. True when anything moved; the caller notifies.
    bool SortSpouseFamilies();
    bool ReorderFirst() override { return SortSpouseFamilies(); }

    // ---- The sex guard and the node operations (ind_rec.cpp) ---------------------------------
    /// The SEX field of a partner in a family may not change: false with the reason.
    bool CanModifyChild(const CDataNode* child, std::string& reason) const override;
    bool CanDeleteChild(const CDataNode* child, std::string& reason) const override;
    /// A male or female SEX field of a partner stays, and InformUser says why.
    void DeleteChild(CDataNode* child) override;
    /// The children over all spouse families, each family's linked children counted;
    /// notApplicable is cleared.
    int CountLinkedChildren(bool& notApplicable) const override;

private:
    int CountChildrenWithTarget(int fieldId) const;
    /// The index-th link field of fieldId (every one counts), or the last with lastWhenShort.
    CDataNode* NthLinkField(int fieldId, int index, bool lastWhenShort) const;
    /// A new family under the FAM root linked by a new FAMS or FAMC field (see AddSpouseFamily).
    CFamRec* AddFamilyLink(int fieldId, int sex, bool sexSettled, const CFamRec* nearFamily,
                           bool before, bool notify);
    /// Moves the link to family as the link operations do after the user chose a family.
    void PlaceChosenFamilyLink(const CFamRec* family, const CFamRec* nearFamily, bool before,
                               bool spouseLinks);
    /// Links this individual as a child of the family the user chose from a list, its link
    /// placed beside nearFamily's; family becomes the chosen one and linked is set. False when
    /// the link failed (the abandoned operation is ended).
    bool JoinChosenFamilyAsChild(CFamRec* chosen, CFamRec*& family, const CFamRec* nearFamily,
                                 bool before, bool& linked);
};

/// The individual a record is; null for another record or none.
CIndRec* AsIndividual(CRecordNode* record);
const CIndRec* AsIndividual(const CRecordNode* record);

/// Roles of FormatAgeAtEvent.
enum AgeRole : int {
    AGE_ROLE_OWN_EVENT = 0,    // an event of the individual
    AGE_ROLE_FAMILY_EVENT = 1, // a family event of a family in which the individual is a partner
    AGE_ROLE_CHILD_EVENT = 2,  // the birth or adoption of one of the individual's children
};

/// The age of individual at event: a stored AGE (the event's own, or for a family event the
/// one under its HUSB or WIFE by the individual's sex, the event's own for an unknown sex; none
/// for a child's event), followed by " (!)" when the dates
/// disagree with it; otherwise, unless storedOnly, the years worked out from the dates ("30",
/// "29-30", in brackets when asked), followed by " (!)" for an event before the birth. Empty
/// when nothing applies.
void FormatAgeAtEvent(const CIndRec& individual, std::string& text, const CDataNode& event,
                      int role, bool storedOnly, bool brackets);

/// Asks which parent (spouse) family the individual leaves and removes its FAMC (FAMS) link
/// to it, then NotifyChanges; says so when there is none. True when a link was removed.
bool UnlinkFromParentFamily(CIndRec* individual);
bool UnlinkFromSpouseFamily(CIndRec* individual);
