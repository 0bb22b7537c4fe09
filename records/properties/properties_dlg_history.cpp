// records/properties/properties_dlg_history.cpp: recording the records the box leaves and moving
// back and forward through them.
#include "records/properties/properties_dlg.h"

#include "records/properties/record_page.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"

namespace {

/// A page state that names a family (kind 1) or an individual (kind 2) by address.
constexpr BYTE kStateFamily = 1, kStateIndividual = 2;

/// An individual's entry kept without a record: the record it stands for is the husband (else
/// the wife) of the family its first page named, or of the first parent family of the
/// individual it named.
void ResolveIndividualEntry(PropHistoryEntry& entry)
{
    if (entry.m_record || GetRecordTypeIndex(entry.m_type) != RECORD_LIST_INDI)
        return;
    CPageState& state = entry.m_firstState;
    if (state.m_kind == kStateIndividual) {
        const auto* person = reinterpret_cast<const CIndRec*>(state.m_first);
        CFamRec* family = person ? person->GetNextParentFamily(nullptr) : nullptr;
        state = {kStateFamily, reinterpret_cast<std::uintptr_t>(family), 0};
    }
    if (state.m_kind == kStateFamily) {
        const auto* family = reinterpret_cast<const CFamRec*>(state.m_first);
        CIndRec* partner = family ? family->GetHusband() : nullptr;
        if (family && !partner)
            partner = family->GetWife();
        entry.m_record = partner;
    }
}

} // namespace

PropHistoryEntry CPropertiesDlg::MakeEntry() const
{
    PropHistoryEntry entry;
    entry.m_type = m_type;
    entry.m_record = m_record;
    if (const CRecordPage* first = GetRecordPage(0))
        first->GetFirstPageState(entry.m_firstState);
    const int active = GetActiveIndex();
    entry.m_pageIndex = short(active);
    if (const CRecordPage* page = GetRecordPage(active))
        page->GetPageState(entry.m_pageState);
    return entry;
}

void CPropertiesDlg::RecordHistory()
{
    m_history.Record(MakeEntry());
}

void CPropertiesDlg::GoHistory(int direction)
{
    const auto canMove = [&] {
        return direction < 0 ? m_history.CanGoBack() : m_history.CanGoForward();
    };
    if (!canMove())
        return;
    if (m_history.IsOnEntry() && m_history.Current().m_type == m_type &&
        m_history.Current().m_record == m_record)
        m_history.Current() = MakeEntry();
    else if (m_type)
        m_history.Record(MakeEntry());
    for (int guard = 0; guard <= CPropHistory::kCapacity && canMove(); ++guard) {
        m_history.Step(direction);
        PropHistoryEntry& entry = m_history.Current();
        ResolveIndividualEntry(entry);
        SetPinned(false);
        if (entry.m_type == m_type && entry.m_record == m_record) {
            m_history.RemoveCurrent(direction);
            continue;
        }
        const PropHistoryEntry shown = entry;
        SetRecord(shown.m_record, shown.m_type, kPropSizeLarge, nullptr, true, shown.m_firstState,
                  shown.m_pageIndex, shown.m_pageState);
        return;
    }
    UpdateButtons();
}
