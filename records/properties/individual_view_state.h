// records/properties/individual_view_state.h: the family view of the individual's Main page:
// which spouse family (or missing parent) it shows and its first child row, and how a load and
// the box history change it.
#pragma once

#include <cstdint>

class CFamRec;
class CIndRec;
class CRecordNode;

/// The family view. Kind 1 with an individual: focus is one of its spouse families (null: the
/// blank tab). Kind 1 without a record: focus is a family whose missing parent the page stands
/// for (null: a new individual). Kind 2 without a record: focus is an individual without parent
/// family whose missing parent the page stands for.
struct CIndividualViewState {
    static constexpr int kFamilyView = 1;
    static constexpr int kOrphanView = 2;

    int m_kind = 0;
    CRecordNode* m_focus = nullptr;
    int m_firstChild = 0;

    /// Kind 1, no focus, first child 0.
    void Reset();
    /// The state as the box history keeps it: the first child in the high 16 bits and the kind
    /// in the low 16 bits of one value, the focus in the other (null unless kind 1 or 2).
    std::uintptr_t PackKind() const;
    std::uintptr_t PackFocus() const;
    /// The state from a history pair.
    static CIndividualViewState Unpack(std::uintptr_t kind, std::uintptr_t focus);

    /// Settles the state for showing record (null: none): restoring tells that the state came
    /// from the history, loading that the page reloads itself. A focus that no longer fits
    /// (a family of which the individual is no partner, a family that has both parents now, a
    /// kind without meaning) gives way to the first spouse family or to the default state.
    void Settle(const CIndRec* record, bool restoring, bool loading);

    /// Whether the page stands for a missing parent (kind 1 with a focus family, or kind 2).
    bool IsMissingParent(const CIndRec* record) const;
    CFamRec* GetFocusFamily() const;
    CIndRec* GetFocusIndividual() const;
};

/// The partner the spouse panel shows: with an individual, the focus family's husband for a
/// woman and its wife for a man (none for an unknown sex or without focus); without one in
/// kind 1, the focus family's wife, else its husband.
CIndRec* GetViewPartner(const CIndividualViewState& state, const CIndRec* record);
