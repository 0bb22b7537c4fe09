// templates/template_render.cpp: a compiled template turned into the text of one box, heading or
// report item for its records: conditions tested, values written, literal text that only
// introduced a missing value dropped, and lines that do not fit left out whole.
#include "templates/text_template.h"

#include "database/kin/ind_rec.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"

#include <algorithm>
#include <climits>

namespace {

/// A node's text in a qualifier's form appended to text within room bytes; false when it does
/// not fit whole (text is then as it was). A node cuts its text only on a character boundary,
/// leaving up to three bytes unused, so a text that comes within four bytes of the room given
/// may have been cut and is asked for again with more room.
bool AppendNodeText(const CDataNode& node, int qualifier, std::string& text, std::size_t room)
{
    const std::size_t start = text.size();
    std::size_t given = std::min<std::size_t>(room, 256);
    for (;;) {
        const int size = int(std::min<std::size_t>(given, INT_MAX - 1) + 1);
        text.resize(start + std::size_t(size - 1));
        const int length = std::max(0, node.GetTextBuf(text.data() + start, size, qualifier));
        text.resize(start + std::size_t(std::min(length, size - 1)));
        if (std::size_t(length) + 4 < std::size_t(size) || given >= INT_MAX / 2)
            return true;
        if (given >= room) {
            // Filled all the room: whole only when more room gives no more text.
            std::string probe(given + 8, '\0');
            const int whole = node.GetTextBuf(probe.data(), int(probe.size()), qualifier);
            if (whole <= length)
                return true;
            text.resize(start);
            return false;
        }
        given = std::min(room, given * 2);
    }
}

/// The state of one line being written.
class CLineWriter {
public:
    CLineWriter(std::string& text, std::size_t limit, const CTemplateContext& context)
        : m_text(text), m_start(text.size()), m_limit(limit), m_context(context)
    {
    }

    /// False when the line does not fit.
    bool Write(const CTemplateLine& line);
    std::size_t Written() const { return m_text.size() - m_start; }

private:
    std::size_t Room() const { return m_limit > m_text.size() ? m_limit - m_text.size() : 0; }
    bool AppendLiteral(std::string_view literal);
    bool AppendValue(const CDataRef& ref);
    void OpenRun()
    {
        if (!m_runOpen) {
            m_runOpen = true;
            m_runStart = m_text.size();
            m_runHasBreak = false;
            m_runFollowsMissing = m_pending;
        }
    }
    /// The value that began at valueStart is written: closes the literal run.
    void ValueWritten(std::size_t valueStart);
    CRecordNode* FirstRecordOfType(const CFieldDef* topDef) const;

    std::string& m_text;
    const std::size_t m_start;
    const std::size_t m_limit;
    const CTemplateContext& m_context;
    bool m_runOpen = false;
    std::size_t m_runStart = 0;
    bool m_runHasBreak = false;
    bool m_runFollowsMissing = false; // a value came out empty before or within the run
    bool m_pending = false;
};

bool CLineWriter::AppendLiteral(std::string_view literal)
{
    if (literal.size() > Room())
        return false;
    m_text += literal;
    return true;
}

CRecordNode* CLineWriter::FirstRecordOfType(const CFieldDef* topDef) const
{
    for (CRecordNode* record : m_context.m_records) {
        if (record && record->GetFieldDef() == topDef)
            return record;
    }
    return nullptr;
}

bool CLineWriter::AppendValue(const CDataRef& ref)
{
    m_pending = true;
    const std::size_t valueStart = m_text.size();
    if (const CDataPath* path = ref.GetPath()) {
        CRecordNode* record =
            path->IsEmpty() ? nullptr : FirstRecordOfType(path->NextStep(nullptr)->m_def);
        const CDataNode* node = record ? path->FindNode(record) : nullptr;
        if (node && !AppendNodeText(*node, path->GetQualifier(), m_text, Room()))
            return false;
    } else if (IDataExpression* expression = ref.GetExpression()) {
        thread_local std::string value; // kept, so that rendering many boxes allocates little
        CRecordNode* record = m_context.m_records.empty() ? nullptr : m_context.m_records.front();
        expression->EvaluateToText(value, record);
        if (!AppendLiteral(value))
            return false;
    }
    // A field without a value (as an event made in the editor has its empty DATE and PLAC) is
    // no value, as a missing field is.
    if (m_text.size() > valueStart)
        ValueWritten(valueStart);
    else if (m_runOpen)
        m_runFollowsMissing = true;
    return true;
}

void CLineWriter::ValueWritten(std::size_t valueStart)
{
    if (m_runOpen && m_runHasBreak && m_runFollowsMissing && valueStart > m_runStart) {
        // The line breaks of the run only separated a missing value from this one: one at the
        // very start of the run stays, and the value's own text is kept as it is. Line breaks
        // of text between values that are all there stay.
        const auto first = m_text.begin() + std::ptrdiff_t(m_runStart);
        const auto value = m_text.begin() + std::ptrdiff_t(valueStart);
        const auto from = *first == '\n' ? first + 1 : first;
        const auto kept = std::remove(from, value, '\n');
        m_text.erase(kept, value);
    }
    m_runOpen = false;
    m_pending = false;
}

bool CLineWriter::Write(const CTemplateLine& line)
{
    for (const CTemplateToken& token : line.m_tokens) {
        switch (token.m_kind) {
        case TTK_LITERAL:
            OpenRun();
            if (!AppendLiteral(token.m_text))
                return false;
            break;
        case TTK_LINE_BREAK:
            OpenRun();
            m_runHasBreak = true;
            if (!AppendLiteral("\n"))
                return false;
            break;
        case TTK_SUBSTITUTION:
            if (m_context.m_substitution.empty())
                break;
            OpenRun();
            {
                const std::size_t valueStart = m_text.size();
                if (!AppendLiteral(m_context.m_substitution))
                    return false;
                ValueWritten(valueStart);
            }
            break;
        case TTK_VALUE:
            if (!AppendValue(token.m_ref))
                return false;
            break;
        default:
            break;
        }
    }
    if (m_runOpen && m_pending)
        m_text.resize(m_runStart);
    return Written() == 0 || AppendLiteral("\n");
}

bool ConditionsHold(const CTemplateLine& line, const CTemplateContext& context)
{
    if (const CTemplateOptions* options = context.m_options) {
        if (line.m_duplicates != kTemplateConditionNone &&
            options->m_showDuplicates != (line.m_duplicates == kTemplateConditionYes))
            return false;
        if (line.m_spouses != kTemplateConditionNone &&
            options->m_showSpouses != (line.m_spouses == kTemplateConditionYes))
            return false;
    }
    if (line.m_sex == kTemplateConditionNone)
        return true;
    for (CRecordNode* record : context.m_records) {
        if (const CIndRec* person = record ? AsIndividual(record) : nullptr) {
            const int sex = person->GetSex();
            return line.m_sex == kTemplateConditionYes ? sex == SEX_MALE : sex == SEX_FEMALE;
        }
    }
    return false;
}

/// The lines of a text: 0 when empty, else 1 plus its LF characters.
int CountLines(std::string_view text)
{
    return text.empty() ? 0 : 1 + int(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

int RenderTemplateLine(const CTemplateLine& line, std::string& text, std::size_t limit,
                       const CTemplateContext& context)
{
    if (line.m_tokens.empty() || text.size() >= limit || !ConditionsHold(line, context))
        return 0;
    const std::size_t start = text.size();
    CLineWriter writer(text, limit, context);
    if (!writer.Write(line)) {
        text.resize(start);
        return -1;
    }
    return int(std::min<std::size_t>(writer.Written(), INT_MAX));
}

const std::string& CTextTemplate::RenderTemplate(std::string& text, const CTemplateContext& context,
                                                 int* lineCount, int* pictureLine,
                                                 std::size_t limit) const
{
    if (pictureLine)
        *pictureLine = -1;
    text.clear();
    for (const CTemplateLine& line : m_lines) {
        if (text.size() >= limit)
            break;
        const int written = RenderTemplateLine(line, text, limit, context);
        if (written < 0)
            break;
        if (written == 0 && line.m_picture && pictureLine)
            *pictureLine = CountLines(text) - 1;
    }
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    if (lineCount)
        *lineCount = CountLines(text);
    return text;
}
