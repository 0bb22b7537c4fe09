// records/properties/individual_view_state.cpp: the family view of the individual's Main page.
#include "records/properties/individual_view_state.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"

void CIndividualViewState::Reset()
{
    m_kind = kFamilyView;
    m_focus = nullptr;
    m_firstChild = 0;
}

std::uintptr_t CIndividualViewState::PackKind() const
{
    const auto first = std::uint32_t(std::uint16_t(m_firstChild));
    return std::uintptr_t((first << 16) | std::uint16_t(m_kind));
}

std::uintptr_t CIndividualViewState::PackFocus() const
{
    const bool meaningful = m_kind == kFamilyView || m_kind == kOrphanView;
    return meaningful ? reinterpret_cast<std::uintptr_t>(m_focus) : 0;
}

CIndividualViewState CIndividualViewState::Unpack(std::uintptr_t kind, std::uintptr_t focus)
{
    CIndividualViewState state;
    state.m_kind = int(kind & 0xFFFF);
    state.m_firstChild = int(std::int16_t((kind >> 16) & 0xFFFF));
    if (state.m_kind == kFamilyView || state.m_kind == kOrphanView)
        state.m_focus = reinterpret_cast<CRecordNode*>(focus);
    return state;
}

CFamRec* CIndividualViewState::GetFocusFamily() const
{
    return m_kind == kFamilyView ? AsFamily(m_focus) : nullptr;
}

CIndRec* CIndividualViewState::GetFocusIndividual() const
{
    return m_kind == kOrphanView ? AsIndividual(m_focus) : nullptr;
}

void CIndividualViewState::Settle(const CIndRec* record, bool restoring, bool loading)
{
    if (record) {
        if (m_kind != kFamilyView)
            m_focus = nullptr;
        m_kind = kFamilyView;
    } else if (!restoring && !loading) {
        Reset();
    } else if (m_focus && m_focus->IsPendingDeletion()) {
        m_focus = nullptr;
    }
    if (!m_focus || m_firstChild < 0)
        m_firstChild = 0;

    if (m_kind == kFamilyView && !record) {
        const CFamRec* family = AsFamily(m_focus);
        if (m_focus && !family)
            Reset();
        else if (family && family->GetHusband() && family->GetWife())
            Reset();
    } else if (m_kind == kOrphanView) {
        m_firstChild = 0;
        if (!AsIndividual(m_focus))
            Reset();
    } else if (m_kind != kFamilyView) {
        Reset();
    }

    if (m_kind == kFamilyView && record) {
        bool isSpouseFamily = false;
        for (const CFamRec* family = record->GetNextSpouseFamily(nullptr); family;
             family = record->GetNextSpouseFamily(family))
            isSpouseFamily = isSpouseFamily || family == m_focus;
        if (!isSpouseFamily) {
            m_focus = record->GetNextSpouseFamily(nullptr);
            m_firstChild = 0;
        }
    }
}

bool CIndividualViewState::IsMissingParent(const CIndRec* record) const
{
    return !record && ((m_kind == kFamilyView && m_focus) || m_kind == kOrphanView);
}

CIndRec* GetViewPartner(const CIndividualViewState& state, const CIndRec* record)
{
    const CFamRec* family = state.GetFocusFamily();
    if (!family)
        return nullptr;
    if (record) {
        switch (record->GetSex()) {
        case SEX_MALE:
            return family->GetWife();
        case SEX_FEMALE:
            return family->GetHusband();
        default:
            return nullptr;
        }
    }
    return family->GetWife() ? family->GetWife() : family->GetHusband();
}
