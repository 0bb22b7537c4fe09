#include "database/records/note_rec.h"

#include "common/gedcom_value.h"
#include "database/fields/text_value_node.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "platform/base/text.h"

namespace {

constexpr int kScoreOtherType = -9999;
constexpr int kScoreSameText = 100;

/// How many characters of value fit on a line that starts with prefix and a blank.
int RoomAfter(std::string_view prefix)
{
    return kMaxGedcomLine - int(text::Utf8Length(prefix)) - 1;
}

bool SendLine(std::string& line, std::string_view value)
{
    if (value.empty())
        return WriteGedcomLine(line);
    line += ' ';
    return WriteGedcomLine(line, value);
}

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
    std::size_t position = 0;
    std::string chunk;
    bool lineBreak = false;
    NextValueChunk(value, RoomAfter(line), position, chunk, lineBreak);
    if (!SendLine(line, chunk))
        return false;
    const bool concAllowed = GetFieldDef() && GetFieldDef()->AllowsConc();
    while (position < value.size()) {
        line = !lineBreak && concAllowed ? "1 CONC" : "1 CONT";
        NextValueChunk(value, RoomAfter(line), position, chunk, lineBreak);
        if (!SendLine(line, chunk))
            return false;
    }
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
