// database/records/note_rec.cpp: the note record (NOTE): shared note text that other records link
// to.
#include "database/records/note_rec.h"

#include "common/gedcom_value.h"
#include "database/fields/text_value_node.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "platform/base/text.h"

namespace {

constexpr int kScoreOtherType = -9999;
constexpr int kScoreSameText = 100;

} // namespace

const CRuntimeClass* CNoteRec::GetRuntimeClass() const
{
    return RuntimeClassOf<CNoteRec>();
}

CDataNode* CNoteRec::GetTextField() const
{
    return FindChild(nullptr, FIELD_TEXT);
}

bool CNoteRec::GetText(std::string& text, int format) const
{
    text.clear();
    if (format != 0 && GetFieldDef())
        text = GetFieldDef()->GetLabel() + ": ";
    std::string value;
    if (const CDataNode* field = GetTextField())
        field->GetText(value, 0);
    text += value.empty() ? "<no text>" : value;
    return true;
}

bool CNoteRec::SetText(std::string_view text)
{
    CDataNode* field = GetTextField();
    if (!field) {
        const CFieldDef* def = FindChildDefById(GetFieldDef(), FIELD_TEXT);
        field = def ? CreateNodeFromDef(def, false, nullptr) : nullptr;
        if (!field)
            return false;
        InsertChild(field, GetFirstChild(), true);
    }
    return field->SetText(text);
}

bool CNoteRec::AppendText(std::string_view text, int continuationKind)
{
    CDataNode* field = GetTextField();
    return field && field->AppendText(text, continuationKind);
}

bool CNoteRec::WriteGedcom(int, std::string& line) const
{
    const CDataNode* field = GetTextField();
    const auto* textField = dynamic_cast<const CTextValueNode*>(field);
    const std::string_view value = textField ? textField->GetValue() : std::string_view();
    ComposeRecordLine(line);
    if (textField && textField->HoldsCrossReference()) {
        line.append(" ").append(value);
        if (!WriteGedcomLine(line))
            return false;
        return WriteChildrenAndChange(line, field);
    }
    const bool concAllowed = GetFieldDef() && GetFieldDef()->AllowsConc();
    if (!WriteContinuedText(line, 1, value, concAllowed))
        return false;
    return WriteChildrenAndChange(line, field);
}

int CNoteRec::MatchScore(const CRecordNode* other, const void* options) const
{
    if (!other || other->GetFieldDef() != GetFieldDef())
        return kScoreOtherType;
    const CDataNode* mine = GetTextField();
    const CDataNode* theirs = other->FindChild(nullptr, FIELD_TEXT);
    return mine && theirs && mine->IsEqual(theirs, options) ? kScoreSameText : 0;
}
