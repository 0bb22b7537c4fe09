// database/paths/data_path.cpp: naming a field relative to a record by a path of tags, as users and
// saved files write it (INDI.NAME[2]:SURNAME, FAM.HUSB>NAME, INDI.~FATH>BIRT.DATE).
#include "database/paths/data_path.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/qualifier_table.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "platform/base/text.h"

#include <climits>
#include <utility>

namespace {

constexpr std::size_t kMaxTag = 32;

struct RelationName {
    std::string_view text;
    DataPathStepKind kind;
    const char* word;
};

constexpr RelationName kRelations[] = {
    {"~FATH", DPS_FATHER, "Father"},
    {"~MOTH", DPS_MOTHER, "Mother"},
    {"~SPOU", DPS_SPOUSE, "Spouse"},
    {"~CHIL", DPS_CHILD, "Child"},
};

const RelationName* FindRelation(DataPathStepKind kind)
{
    for (const RelationName& relation : kRelations) {
        if (relation.kind == kind)
            return &relation;
    }
    return nullptr;
}

const RelationName* FindRelation(std::string_view text)
{
    for (const RelationName& relation : kRelations) {
        if (relation.text == text)
            return &relation;
    }
    return nullptr;
}

bool IsTagEnd(char c)
{
    return c == '.' || c == '[' || c == ':' || c == '>' || c == '-';
}

bool IsTypeNameEnd(char c)
{
    return c == '.' || c == '[' || c == ':' || c == '>';
}

/// A custom event (EVEN flagged E) or custom attribute (flagged A) names its kind by its TYPE.
bool TakesTypeName(const CFieldDef& def)
{
    return (def.GetFieldId() == FIELD_EVEN && def.HasFlag(FDF_EVENT)) ||
           (def.GetFieldId() == FIELD_CUSTOM_ATTR && def.HasFlag(FDF_ATTRIBUTE));
}

/// Reads a path text step by step against the dictionary.
class CPathParser {
public:
    CPathParser(std::string_view text, const CFieldDef* start) : m_text(text), m_current(start) {}

    DataPathError Parse(std::vector<CDataPathStep>& steps, int& qualifier)
    {
        for (;;) {
            CDataPathStep step;
            DataPathError error = ReadStep(step);
            bool more = false;
            if (error == DataPathError::None)
                error = ReadSeparator(step, more, qualifier);
            if (error != DataPathError::None)
                return error;
            steps.push_back(std::move(step));
            if (!more)
                return DataPathError::None;
        }
    }

private:
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }

    std::string_view ReadUntil(bool (*isEnd)(char))
    {
        const std::size_t start = m_pos;
        while (!AtEnd() && !isEnd(m_text[m_pos]))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }

    DataPathError ReadStep(CDataPathStep& step)
    {
        const std::string_view tag = ReadUntil(IsTagEnd);
        if (tag.empty())
            return DataPathError::EmptyStep;
        if (tag.size() > kMaxTag)
            return DataPathError::TagTooLong;
        if (tag.front() == '~') {
            const RelationName* relation = FindRelation(tag);
            if (!relation)
                return DataPathError::UnknownTag;
            if (!m_current || m_current != GetRecordTypeDef(RECORD_LIST_INDI))
                return DataPathError::RelationNotAllowed;
            step.m_def = m_current;
            step.m_kind = relation->kind;
        } else {
            step.m_def = FindChildDefByTag(m_current, tag);
            if (!step.m_def)
                return DataPathError::UnknownTag;
        }
        if (Peek() == '-') {
            const DataPathError error = ReadTypeName(step);
            if (error != DataPathError::None)
                return error;
        }
        return Peek() == '[' ? ReadInstance(step) : DataPathError::None;
    }

    DataPathError ReadTypeName(CDataPathStep& step)
    {
        ++m_pos;
        step.m_typeName = MakeAlnumUpperKey(ReadUntil(IsTypeNameEnd));
        if (step.m_typeName.empty() || step.m_kind != DPS_FIELD || !TakesTypeName(*step.m_def))
            return DataPathError::BadTypeName;
        return DataPathError::None;
    }

    DataPathError ReadInstance(CDataPathStep& step)
    {
        ++m_pos;
        if (Peek() == '<') {
            step.m_upTo = true;
            ++m_pos;
        }
        const std::size_t close = m_text.find(']', m_pos);
        long number = 0;
        if (close == std::string_view::npos ||
            !text::ParseInt(m_text.substr(m_pos, close - m_pos), number) || number > INT_MAX)
            return DataPathError::BadInstance;
        step.m_instance = number > 1 ? int(number - 1) : 0;
        m_pos = close + 1;
        return DataPathError::None;
    }

    /// What follows a step: the end, "." and the next step, ">" (the link's record or the
    /// relative, then optionally the next step), or ":" and the qualifier.
    DataPathError ReadSeparator(CDataPathStep& step, bool& more, int& qualifier)
    {
        const bool relation = step.m_kind != DPS_FIELD;
        const char separator = Peek();
        if (separator != '>' && relation)
            return DataPathError::RelationNeedsFollow;
        if (AtEnd())
            return DataPathError::None;
        ++m_pos;
        if (separator == ':')
            return ReadQualifier(step, qualifier);
        if (separator == '.') {
            m_current = step.m_def;
            more = true;
            return AtEnd() || Peek() == ':' ? DataPathError::EmptyStep : DataPathError::None;
        }
        if (separator != '>')
            return DataPathError::UnexpectedText;
        if (!relation && (step.m_def->GetDataType() != FDT_LINK || !step.m_def->GetLinkTarget()))
            return DataPathError::FollowNeedsLink;
        step.m_follow = true;
        m_current = relation ? step.m_def : step.m_def->GetLinkTarget();
        if (Peek() == ':') {
            ++m_pos;
            return ReadQualifier(step, qualifier);
        }
        more = !AtEnd();
        return DataPathError::None;
    }

    DataPathError ReadQualifier(const CDataPathStep& step, int& qualifier)
    {
        const std::string_view keyword = m_text.substr(m_pos);
        m_pos = m_text.size();
        qualifier = keyword.empty() ? -1 : FindQualifier(step.m_def, keyword);
        return qualifier > 0 ? DataPathError::None : DataPathError::BadQualifier;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    const CFieldDef* m_current;
};

const CFieldDef* StartingDef(std::string_view text, const CFieldDef* start)
{
    if (start)
        return start;
    const CFieldDictionary* dictionary = GetFieldDictionary();
    if (!dictionary)
        return nullptr;
    return text.starts_with('@') ? dictionary->GetStructRoot() : dictionary->GetRecordRoot();
}

} // namespace

bool CDataPath::ParseText(std::string_view text, const CFieldDef* start, DataPathError* error)
{
    Clear();
    DataPathError result = DataPathError::Empty;
    if (!text.empty()) {
        CPathParser parser(text, StartingDef(text, start));
        result = parser.Parse(m_steps, m_qualifier);
    }
    if (error)
        *error = result;
    if (result == DataPathError::None)
        return true;
    Clear();
    return false;
}

void CDataPath::Format(std::string& text, bool showFirstIndex, bool append) const
{
    if (!append)
        text.clear();
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        const CDataPathStep& step = m_steps[i];
        if (const RelationName* relation = FindRelation(step.m_kind)) {
            text += relation->text;
        } else {
            text += step.m_def->GetTag();
            if (!step.m_typeName.empty())
                text += "-" + step.m_typeName;
        }
        if (step.m_instance > 0 || step.m_upTo) {
            text += step.m_upTo ? "[<" : "[";
            text += std::to_string(step.m_instance + 1) + "]";
        } else if (showFirstIndex && step.m_def->GetMaxCount() > 1 &&
                   !(i == 0 && step.m_def->GetDataType() == FDT_RECORD)) {
            text += "[1]";
        }
        if (step.m_follow)
            text += ">";
        else if (i + 1 < m_steps.size())
            text += ".";
    }
    if (const char* keyword = GetQualifierKeyword(m_qualifier))
        text += std::string(":") + keyword;
}

void CDataPath::FormatRelation(std::string& text, bool skipFirst) const
{
    text.clear();
    for (std::size_t i = skipFirst ? 1 : 0; i < m_steps.size(); ++i) {
        const CDataPathStep& step = m_steps[i];
        const int fieldId = step.m_def->GetFieldId();
        const bool afterParentFamily = i > 0 && m_steps[i - 1].m_kind == DPS_FIELD &&
                                       m_steps[i - 1].m_def->GetFieldId() == FIELD_FAMC;
        if (!text.empty())
            text += ".";
        if (const RelationName* relation = FindRelation(step.m_kind))
            text += relation->word;
        else if (!step.m_typeName.empty())
            text += step.m_typeName;
        else if (afterParentFamily && fieldId == FIELD_CHIL)
            text += "Sibling";
        else if (afterParentFamily && fieldId == FIELD_HUSB)
            text += "Father";
        else if (afterParentFamily && fieldId == FIELD_WIFE)
            text += "Mother";
        else
            text += step.m_def->GetLabel();
    }
    if (const char* keyword = GetQualifierKeyword(m_qualifier))
        text += std::string("(") + keyword + ")";
}

void CDataPath::SetField(const CFieldDef* def)
{
    Clear();
    if (!def)
        return;
    CDataPathStep step;
    step.m_def = def;
    m_steps.push_back(std::move(step));
}

bool CDataPath::IsEqual(const CDataPath& other) const
{
    return m_qualifier == other.m_qualifier && m_steps == other.m_steps;
}

void CDataPath::Clear()
{
    m_steps.clear();
    m_qualifier = 0;
}

const CDataPathStep* CDataPath::NextStep(const CDataPathStep* step) const
{
    if (m_steps.empty())
        return nullptr;
    if (!step)
        return m_steps.data();
    const std::size_t next = std::size_t(step - m_steps.data()) + 1;
    return next < m_steps.size() ? &m_steps[next] : nullptr;
}

const CFieldDef* CDataPath::GetLastField() const
{
    return m_steps.empty() ? nullptr : m_steps.back().m_def;
}

const CFieldDef* CDataPath::GetLeafField(bool allowLink) const
{
    const CFieldDef* last = GetLastField();
    if (!last)
        return nullptr;
    if (last->GetDataType() == FDT_RECORD)
        return last;
    if (allowLink && last->GetDataType() == FDT_LINK)
        return last->GetLinkTarget();
    return nullptr;
}

int CDataPath::GetLeafDataType(bool useQualifier) const
{
    if (useQualifier && m_qualifier > 0)
        return GetQualifierResultType(m_qualifier);
    const CFieldDef* last = GetLastField();
    return last ? last->GetDataType() : FDT_NONE;
}

const CFieldDef* FindFieldDefByPath(const CFieldDef* def, std::string_view tags)
{
    if (tags.empty())
        return def;
    for (;;) {
        const std::size_t dot = tags.find('.');
        def = FindChildDefByTag(def, tags.substr(0, dot));
        if (!def || dot == std::string_view::npos)
            return def;
        tags.remove_prefix(dot + 1);
    }
}

std::string MakeAlnumUpperKey(std::string_view text)
{
    std::string key;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = text::DecodeUtf8(text, pos);
        const char32_t upper = text::ToUpperChar(c);
        const bool digit = c >= U'0' && c <= U'9';
        // A letter is a character that has a case, or an ASCII letter.
        const bool letter =
            (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || upper != text::ToLowerChar(c);
        if (digit || letter)
            text::AppendUtf8(key, upper);
    }
    return key;
}

bool CompareAlnumNoCase(std::string_view a, std::string_view b)
{
    return MakeAlnumUpperKey(a) == MakeAlnumUpperKey(b);
}
