// database/fields/edit_node.cpp: a field whose value is one line of text (data type 1).
#include "database/fields/edit_node.h"

#include "database/dictionary/qualifier_table.h"
#include "database/nodes/data_control_access.h"

#include "common/gedcom_value.h"
#include "common/string_utils.h"
#include "platform/base/text.h"

namespace {

bool StartsWithDigit(std::string_view text)
{
    const std::string_view trimmed = text::TrimView(text);
    return !trimmed.empty() && trimmed[0] >= '0' && trimmed[0] <= '9';
}

} // namespace

const CRuntimeClass* CEditNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CEditNode>();
}

CDataCtl* CEditNode::CreateAndLoadControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                          DWORD style, UINT id, DWORD flags)
{
    CDataCtl* control = CDataNode::ShowInControl(parent, rect, owner, style, id, flags);
    if (control)
        UpdateFromControl(control, false, true);
    return control;
}

CDataCtl* CEditNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                   DWORD style, UINT id, DWORD flags)
{
    CDataCtl* control = CreateAndLoadControl(parent, rect, owner, style, id, flags);
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return control;
    access->SelectText(*control, 0, -1);
    access->ShowAndFocus(*control);
    return control;
}

bool CEditNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    if (!save)
        return WriteControlText(control, GetValue());
    std::string text;
    if (!ReadControlText(control, text))
        return false;
    StoreEditedText(text, notify);
    return true;
}

bool CEditNode::GetText(std::string& text, int withLabel) const
{
    StartText(text, withLabel);
    text += GetValue();
    return true;
}

int CEditNode::GetTextBuf(char* buffer, int size, int format) const
{
    if (format != QUAL_NUMERIC || !IsNumericText())
        return CopyTextToBuffer(GetValue(), buffer, size);
    const std::string number = std::to_string(text::ParseLeadingInt(GetValue()));
    if (size <= int(number.size()))
        return CopyTextToBuffer({}, buffer, size);
    return CopyTextToBuffer(number, buffer, size);
}

bool CEditNode::AppendText(std::string_view text, int continuationKind)
{
    if (continuationKind != FIELD_CONC || !GetFieldDef() || !GetFieldDef()->AllowsConc() ||
        HoldsCrossReference())
        return false;
    std::string piece;
    AppendGedcomValue(piece, text);
    m_value.Append(piece);
    return true;
}

int CEditNode::Compare(const CDataNode* other, int format) const
{
    const auto* theirs = dynamic_cast<const CEditNode*>(other);
    if (format != QUAL_NUMERIC || !theirs || theirs->GetFieldDef() != GetFieldDef() ||
        !IsNumericText())
        return CDataNode::Compare(other, format);
    const bool mineIsNumber = StartsWithDigit(GetValue());
    const bool theirsIsNumber = StartsWithDigit(theirs->GetValue());
    if (!mineIsNumber || !theirsIsNumber)
        return int(mineIsNumber) - int(theirsIsNumber);
    const long mine = text::ParseLeadingInt(GetValue());
    const long number = text::ParseLeadingInt(theirs->GetValue());
    return mine < number ? -1 : (mine > number ? 1 : 0);
}

bool CEditNode::SupportsQualifier(int qualifier) const
{
    return qualifier == QUAL_NUMERIC && IsNumericText();
}

bool CEditNode::WriteGedcom(int level, std::string& line) const
{
    std::string_view value = GetValue();
    std::string unbroken;
    if (value.find('\n') != std::string_view::npos || value.find('\r') != std::string_view::npos) {
        unbroken = ReplaceLineEnds(value, ' ');
        value = unbroken;
    }
    const CFieldDef* def = GetFieldDef();
    if (def && def->AllowsConc())
        return WriteValueLines(level, line, value);
    return WriteOneLine(level, line, value);
}

bool CEditNode::IsNumericText() const
{
    const CFieldDef* def = GetFieldDef();
    return def && def->HasFlag(FDF_ATTRIBUTE) && def->HasFlag(FDF_TYPED);
}
