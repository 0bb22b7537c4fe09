// controls/value_editor_record.cpp: the record editor: a drop-down list of the records of the
// definition's record type.
#include "controls/value_editor.h"

#include "database/dictionary/record_type_table.h"
#include "database/records/record_node.h"

namespace {

constexpr const char* kMissingValue = "Missing value";
/// How far the list drops below the input, in rows of the input's height.
constexpr int kDroppedRows = 12;

} // namespace

bool CRecordValueEditor::OnControlsCreated(const CDlgTemplateBuilder& builder)
{
    if (!MakeInstalledInput(builder, m_recordInput))
        return false;
    if (m_recordInput)
        return true;
    CRect place = PlaceholderRect(builder);
    place.bottom = place.top + place.Height() * (kDroppedRows + 1);
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    return m_input.Create(style, place, this, VALUE_EDITOR_INPUT_ID) != FALSE;
}

void CRecordValueEditor::Init(int /*kind*/, const CFieldDef* def, const CTypedValue& value,
                              const std::string& label)
{
    SetLabel(label);
    // The path and the records offered both come from the definition given, so a family
    // parameter offers families under a path that names families.
    m_path.SetField(def);
    CRecordNode* current = value.GetType() == TV_RECORD ? value.GetRecord() : nullptr;
    CDataNode* root = GetRecordTypeRootForDef(m_path.GetLeafField(false));
    if (m_recordInput) {
        m_recordInput->SetRecordChoice(m_path, root, kDroppedRows, current);
        return;
    }
    m_input.ResetContent();
    for (CDataNode* node = root ? root->GetFirstChild() : nullptr; node;
         node = node->GetNextSibling()) {
        if (!node->IsRecord() || node->IsPendingDeletion())
            continue;
        std::string text;
        node->GetText(text, 0);
        const int index = m_input.AddString(text.c_str());
        m_input.SetItemData(index, reinterpret_cast<DWORD_PTR>(node));
        if (node == current)
            m_input.SetCurSel(index);
    }
}

CWnd* CRecordValueEditor::GetInputControl()
{
    return m_recordInput ? &m_recordInput->GetInputWnd() : &m_input;
}

bool CRecordValueEditor::Validate()
{
    const bool chosen =
        m_recordInput ? m_recordInput->GetChosenRecord() != nullptr : m_input.GetCurSel() >= 0;
    return chosen || Refuse(kMissingValue, *GetInputControl());
}

void CRecordValueEditor::GetValue(CTypedValue& value)
{
    if (m_recordInput) {
        value.SetRecord(m_recordInput->GetChosenRecord());
        return;
    }
    const int index = m_input.GetCurSel();
    value.SetRecord(index < 0 ? nullptr
                              : static_cast<CRecordNode*>(
                                    reinterpret_cast<CDataNode*>(m_input.GetItemData(index))));
}
