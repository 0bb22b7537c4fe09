// database/fields/age_node.cpp: the age at an event (AGE): stillborn, infant, child, or years,
// months and days with an optional less-than or more-than sign.
#include "database/fields/age_node.h"

#include "common/abort.h"
#include "common/gedcom_value.h"
#include "database/dictionary/qualifier_table.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Display words and GEDCOM words of the kinds stillborn, infant and child.
constexpr const char* kDisplayWords[] = {"Stillborn", "Infant", "Child"};
constexpr const char* kGedcomWords[] = {"STILLBORN", "INFANT", "CHILD"};

// An age with numbers is shown only in a buffer of more than this many bytes.
constexpr int kMinNumericBuffer = 50;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void SkipSeparators(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && (text::IsSpace(text[pos]) || text[pos] == ','))
        ++pos;
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

/// The kind of an age word (the word up to the next white space); AGE_EMPTY for any other.
BYTE WordKind(std::string_view word)
{
    static constexpr BYTE kKinds[] = {AGE_STILLBORN, AGE_INFANT, AGE_CHILD};
    for (int i = 0; i < 3; ++i) {
        if (text::EqualsNoCase(word, kDisplayWords[i]))
            return kKinds[i];
    }
    return AGE_EMPTY;
}

/// The part a unit letter names: 0 years, 1 months, 2 days; -1 for no unit.
int UnitPart(char unit)
{
    switch (Lower(unit)) {
    case 'y':
        return 0;
    case 'm':
        return 1;
    case 'd':
        return 2;
    default:
        return -1;
    }
}

/// The largest number each part holds: years and days 16 bits, months 8 bits.
long PartLimit(int part)
{
    return part == 1 ? std::numeric_limits<signed char>::max() : std::numeric_limits<short>::max();
}

/// An age word at pos; pos moves past it (and the separators after it) only when it is one.
/// A sign before a word makes no age.
CAgeValue ReadWord(std::string_view text, std::size_t& pos, char sign)
{
    std::size_t end = pos;
    while (end < text.size() && !text::IsSpace(text[end]))
        ++end;
    CAgeValue age;
    age.kind = sign ? BYTE(AGE_EMPTY) : WordKind(text.substr(pos, end - pos));
    if (age.kind != AGE_EMPTY) {
        pos = end;
        SkipSeparators(text, pos);
    }
    return age;
}

/// Up to three numbers at pos, each with its unit or by position; pos stops before a number
/// that clashes with an earlier one or is too large for its part.
CAgeValue ReadNumbers(std::string_view text, std::size_t& pos, char sign)
{
    constexpr long kTooLarge = 1000000;
    short parts[3] = {-1, -1, -1};
    for (int index = 0; index < 3 && pos < text.size() && IsDigit(text[pos]); ++index) {
        const std::size_t start = pos;
        long number = 0;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos)
            number = std::min(number * 10 + (text[pos] - '0'), kTooLarge);
        SkipSeparators(text, pos);
        const int unitPart = pos < text.size() ? UnitPart(text[pos]) : -1;
        const int part = unitPart >= 0 ? unitPart : index;
        if (parts[part] >= 0 || number > PartLimit(part)) {
            pos = start;
            break;
        }
        parts[part] = short(number);
        if (unitPart >= 0) {
            while (pos < text.size() && IsLetter(text[pos]))
                ++pos;
            SkipSeparators(text, pos);
        }
    }
    CAgeValue age;
    if (parts[0] < 0 && parts[1] < 0 && parts[2] < 0)
        return age;
    age.kind = sign == '<' ? AGE_LESS_THAN : sign == '>' ? AGE_MORE_THAN : AGE_EXACT;
    age.years = parts[0];
    age.months = static_cast<signed char>(parts[1]);
    age.days = parts[2];
    return age;
}

int Sign(long n)
{
    return n < 0 ? -1 : n > 0 ? 1 : 0;
}

/// The sort rank of a kind: empty, unread, stillborn, infant, child, then every age with
/// numbers.
int Rank(BYTE kind)
{
    switch (kind) {
    case AGE_EMPTY:
        return 0;
    case AGE_UNREAD:
        return 1;
    case AGE_STILLBORN:
    case AGE_INFANT:
    case AGE_CHILD:
        return kind + 1;
    default:
        return 5;
    }
}

int OrZero(int number)
{
    return number < 0 ? 0 : number;
}

/// The sign ("< ", "> " or nothing), then each number given, written by write(number, part)
/// with part 0 years, 1 months, 2 days, separated by single blanks.
template <class Write> std::string NumbersText(const CAgeValue& age, Write write)
{
    std::string text = age.kind == AGE_LESS_THAN ? "< " : age.kind == AGE_MORE_THAN ? "> " : "";
    const int numbers[] = {age.years, age.months, age.days};
    bool first = true;
    for (int part = 0; part < 3; ++part) {
        if (numbers[part] < 0)
            continue;
        if (!first)
            text += ' ';
        text += write(numbers[part], part);
        first = false;
    }
    return text;
}

} // namespace

CAgeValue ParseAge(std::string_view text, bool* complete)
{
    std::size_t pos = 0;
    SkipSeparators(text, pos);
    char sign = 0;
    if (pos < text.size() && (text[pos] == '<' || text[pos] == '>')) {
        sign = text[pos++];
        SkipSeparators(text, pos);
    }
    const bool word = pos < text.size() && !IsDigit(text[pos]);
    const CAgeValue age = word ? ReadWord(text, pos, sign) : ReadNumbers(text, pos, sign);
    if (complete)
        *complete = pos == text.size() && (age.kind != AGE_EMPTY || !sign);
    return age;
}

const CRuntimeClass* CAgeNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CAgeNode>();
}

CDataCtl* CAgeNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                                  UINT id, DWORD flags)
{
    return PresentControl(*this, CDataNode::ShowInControl(parent, rect, owner, style, id, flags),
                          false, ControlSelection::Unchanged);
}

bool CAgeNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return false;
    if (!save) {
        access->SetText(*control, DisplayText());
        return true;
    }
    std::string text;
    try {
        if (!access->GetText(*control, text))
            return false;
    } catch (...) {
        EndAbandonedOperation();
        return false;
    }
    CAgeNode typed;
    typed.ReadAge(text);
    if (!typed.IsEqual(this, nullptr)) {
        CopyValueFrom(&typed);
        if (notify)
            NotifyChanges();
    }
    return true;
}

bool CAgeNode::GetText(std::string& text, int withLabel) const
{
    text.clear();
    if (withLabel && GetFieldDef())
        text = GetFieldDef()->GetLabel() + " ";
    text += DisplayText();
    return true;
}

int CAgeNode::GetTextBuf(char* buffer, int size, int) const
{
    if (!buffer || size <= 0)
        return 0;
    if (m_age.kind == AGE_UNREAD)
        return CDataNode::GetTextBuf(buffer, size, 0);
    buffer[0] = '\0';
    if (m_age.HasNumbers() && size <= kMinNumericBuffer)
        return 0;
    const std::string text = DisplayText();
    if (text.size() >= std::size_t(size))
        return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return int(text.size());
}

bool CAgeNode::SetText(std::string_view text)
{
    std::string value;
    AppendGedcomValue(value, text);
    ReadAge(value);
    return true;
}

void CAgeNode::ReadAge(std::string_view text)
{
    bool complete = false;
    const CAgeValue age = ParseAge(text, &complete);
    Clear();
    if (complete) {
        m_age = age;
    } else {
        m_age.kind = AGE_UNREAD;
        m_unread.Set(text::Trim(text));
    }
}

CDataNode* CAgeNode::CopyValueFrom(const CDataNode* other)
{
    const auto* age = dynamic_cast<const CAgeNode*>(other);
    if (!age || age == this)
        return this;
    Clear();
    m_age = age->m_age;
    if (age->m_unread)
        m_unread.Set(*age->m_unread);
    MarkChanged(this);
    return this;
}

int CAgeNode::Compare(const CDataNode* other, int format) const
{
    const auto* age = dynamic_cast<const CAgeNode*>(other);
    if (!age)
        return CDataNode::Compare(other, format);
    const CAgeValue& a = m_age;
    const CAgeValue& b = age->m_age;
    if (const int rank = Rank(a.kind) - Rank(b.kind))
        return Sign(rank);
    if (a.kind == AGE_UNREAD)
        return Sign(text::CompareNoCase(*m_unread, *age->m_unread));
    if (!a.HasNumbers())
        return 0;
    if (const int years = OrZero(a.years) - OrZero(b.years))
        return Sign(years);
    if (const int months = OrZero(a.months) - OrZero(b.months))
        return Sign(months);
    return Sign(OrZero(a.days) - OrZero(b.days));
}

bool CAgeNode::IsEqual(const CDataNode* other, const void*) const
{
    const auto* age = dynamic_cast<const CAgeNode*>(other);
    if (!age || !(age->m_age == m_age))
        return false;
    return m_age.kind != AGE_UNREAD || *age->m_unread == *m_unread;
}

bool CAgeNode::MatchNumber(int, int op, long value) const
{
    if (!m_age.HasNumbers())
        return false;
    const long years = OrZero(m_age.years);
    switch (op) {
    case COND_EQUAL:
        return years == value;
    case COND_GREATER:
        return years > value;
    case COND_LESS:
        return years < value;
    default:
        return false;
    }
}

bool CAgeNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    if (IsEmpty() || !def)
        return true;
    line = std::to_string(level);
    line += ' ';
    line += def->GetGedcomTag();
    line += ' ';
    const bool unread = m_age.kind == AGE_UNREAD;
    if (!unread)
        line += GedcomText();
    if (!WriteGedcomLine(line, unread ? std::string_view(*m_unread) : std::string_view()))
        return false;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}

std::string CAgeNode::GetYearsText(bool yearsOnly) const
{
    if (!yearsOnly || !m_age.HasNumbers())
        return DisplayText();
    std::string text = m_age.kind == AGE_LESS_THAN ? "<" : m_age.kind == AGE_MORE_THAN ? ">" : "";
    return text + std::to_string(OrZero(m_age.years));
}

void CAgeNode::Clear()
{
    m_age = CAgeValue();
    m_unread.Reset();
}

void CAgeNode::SetFromText(std::string_view text)
{
    ReadAge(text);
    MarkChanged(this);
}

std::string CAgeNode::DisplayText() const
{
    switch (m_age.kind) {
    case AGE_EMPTY:
        return {};
    case AGE_UNREAD:
        return *m_unread;
    case AGE_STILLBORN:
    case AGE_INFANT:
    case AGE_CHILD:
        return kDisplayWords[m_age.kind - AGE_STILLBORN];
    default:
        break;
    }
    return NumbersText(m_age, [](int number, int part) {
        static constexpr const char* kOne[] = {" yr", " mn", " dy"};
        static constexpr const char* kMany[] = {" yrs", " mns", " dys"};
        return std::to_string(number) + (number == 1 ? kOne[part] : kMany[part]);
    });
}

std::string CAgeNode::GedcomText() const
{
    if (!m_age.HasNumbers())
        return kGedcomWords[m_age.kind - AGE_STILLBORN];
    return NumbersText(m_age,
                       [](int number, int part) { return std::to_string(number) + "ymd"[part]; });
}
