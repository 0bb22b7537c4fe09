// database/nodes/source_citation.cpp: the remembered and the automatic source citation, and adding
// a citation to a node.
#include "database/nodes/source_citation.h"

#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"

#include <memory>
#include <string>

namespace {

struct CitationState {
    std::unique_ptr<CAutoCitation> last;
    std::unique_ptr<CAutoCitation> automatic;
    bool citeNewRecords = false;
    bool citeNewFields = false;
    bool adding = false; // a citation is being added: no automatic citation of its fields
};

CitationState& State()
{
    static CitationState state;
    return state;
}

void Keep(std::unique_ptr<CAutoCitation>& slot, const CAutoCitation* citation)
{
    if (!citation || !citation->m_source) {
        slot.reset();
        return;
    }
    if (!slot)
        slot = std::make_unique<CAutoCitation>();
    *slot = *citation;
}

bool AutoCitationActive()
{
    return State().automatic && !State().adding;
}

void AddText(CDataNode* parent, int fieldId, const std::string& text)
{
    if (!text.empty())
        parent->AddTextChild(fieldId, text);
}

/// Clears the adding flag however the citation ends.
struct AddingGuard {
    AddingGuard() { State().adding = true; }
    ~AddingGuard() { State().adding = false; }
};

} // namespace

void SetLastCitation(const CAutoCitation* citation)
{
    Keep(State().last, citation);
}

const CAutoCitation* GetLastCitation()
{
    return State().last.get();
}

void SetAutoCitation(const CAutoCitation* citation, bool citeNewRecords, bool citeNewFields)
{
    CitationState& state = State();
    Keep(state.automatic, citation);
    state.citeNewRecords = state.automatic && citeNewRecords;
    state.citeNewFields = state.automatic && citeNewFields;
}

const CAutoCitation* GetAutoCitation()
{
    return State().automatic.get();
}

bool CitesNewRecords()
{
    return State().citeNewRecords;
}

bool CitesNewFields()
{
    return State().citeNewFields;
}

void ForgetCitations()
{
    SetLastCitation(nullptr);
    SetAutoCitation(nullptr, false, false);
}

void ForgetDeletedCitations()
{
    CitationState& state = State();
    if (state.last && state.last->m_source->IsPendingDeletion())
        SetLastCitation(nullptr);
    if (state.automatic && state.automatic->m_source->IsPendingDeletion())
        SetAutoCitation(nullptr, false, false);
}

void ApplyAutoCitation(CDataNode* node)
{
    if (!AutoCitationActive())
        return;
    CDataNode* next = nullptr;
    for (CDataNode* child = node->GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        ApplyAutoCitation(child);
    }
    if (node->CanHaveSourceCitation())
        AddSourceCitation(node, *State().automatic);
}

CDataNode* AddSourceCitation(CDataNode* node, const CAutoCitation& citation)
{
    CDataNode* link = nullptr;
    {
        const AddingGuard guard;
        link = node->AddLinkChild(FIELD_SOUR, citation.m_source);
        if (link) {
            if (!citation.m_date.empty() || !citation.m_text.empty()) {
                if (CDataNode* data = link->CreateChildById(FIELD_DATA)) {
                    AddText(data, FIELD_DATE, citation.m_date);
                    AddText(data, FIELD_TEXT, citation.m_text);
                }
            }
            if (citation.m_quality >= 0)
                link->AddTextChild(FIELD_QUAY, std::to_string(citation.m_quality));
            AddText(link, FIELD_PAGE, citation.m_page);
            AddText(link, FIELD_NOTE_TEXT, citation.m_note);
        }
    }
    NotifyChanges();
    return link;
}

void CiteNewNode(CDataNode* node)
{
    if (!AutoCitationActive())
        return;
    const CitationState& state = State();
    if (!node->IsRecord()) {
        if (state.citeNewFields)
            ApplyAutoCitation(node);
        return;
    }
    if (state.citeNewRecords) {
        if (state.citeNewFields)
            ApplyAutoCitation(node);
        else if (node->CanHaveSourceCitation())
            AddSourceCitation(node, *state.automatic);
        return;
    }
    if (!state.citeNewFields)
        return;
    CDataNode* next = nullptr;
    for (CDataNode* child = node->GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        ApplyAutoCitation(child);
    }
}

void CiteReusedField(CDataNode* node)
{
    if (AutoCitationActive() && State().citeNewFields && node->CanHaveSourceCitation())
        AddSourceCitation(node, *State().automatic);
}
