// database/gedcom/gedcom_record_parser.cpp: building one record from its GEDCOM lines.
#include "database/gedcom/gedcom_record_parser.h"

#include "common/preferences.h"
#include "database/dates/date_node.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/age_node.h"
#include "database/fields/enum_node.h"
#include "database/fields/number_node.h"
#include "database/fields/rect_node.h"
#include "database/fields/sex_node.h"
#include "database/gedcom/exception_report.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/complex_node.h"
#include "database/nodes/node_factory.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <typeinfo>
#include <utility>

namespace {

// Reasons of the entries the parser writes besides the skip reasons; the first three have the
// width of the skip reasons, so that the colons of the report stand in one column.
constexpr std::string_view kKeptUnknownKey = "Kept value not in value list   ";
constexpr std::string_view kKeptUnreadText = "Kept unreadable value as text  ";
constexpr std::string_view kLostUnreadValue = "Skipped unreadable value       ";
constexpr std::string_view kLostValuedField = "Skipped field without details  ";
constexpr std::string_view kLostEmptyField = kSkippedEmptyField;
constexpr std::string_view kKeptAsUserDefined = "Kept as user-defined field     ";
constexpr std::string_view kLevelBranchIgnored = "Invalid line level. Branch ignored";
constexpr std::string_view kRemovedZeroBytes = "Removed zero bytes (NUL)       ";
constexpr std::string_view kKeptControlCharacters = "Kept control characters        ";
static_assert(kKeptUnknownKey.size() == 31 && kKeptUnreadText.size() == 31 &&
              kLostUnreadValue.size() == 31 && kLostValuedField.size() == 31 &&
              kLostEmptyField.size() == 31 && kKeptAsUserDefined.size() == 31 &&
              kRemovedZeroBytes.size() == 31 && kKeptControlCharacters.size() == 31);

/// How many children of a node the parser walks to count or place one before it keeps an
/// index of them (CChildIndex): a walk this short costs less than keeping the index.
constexpr int kFewChildren = 64;

/// A node's sibling order; 0 without a definition.
int OrderOf(const CDataNode* node)
{
    const CFieldDef* def = node->GetFieldDef();
    return def ? def->GetSiblingOrder() : 0;
}

/// A record read from a file, freed with its subtree unless released.
struct NodeGuard {
    CDataNode* node;
    ~NodeGuard()
    {
        if (node)
            DestroyNodeTree(node);
    }
    CDataNode* Release() { return std::exchange(node, nullptr); }
};

/// Reports a line that was loaded without the zero bytes it held, or with control characters.
void ReportRemovedZeroBytes(const GedcomLine& line, int lineCounter)
{
    if (line.zeroBytesRemoved)
        WriteChangedLine(lineCounter, kRemovedZeroBytes, line);
    if (line.controlCharacters)
        WriteControlCharacterLine(lineCounter, kKeptControlCharacters, line);
}

bool IsDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string WithoutSpace(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (!text::IsSpace(c))
            out += c;
    }
    return out;
}

/// White space as text::IsSpace finds it, inline: most values of a load are trimmed. The first
/// test alone answers for every byte above the blank.
bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ' && (c == ' ' || (c >= '\t' && c <= '\r'));
}

/// The value without the white space around it (text::TrimView), when some ends it.
std::string_view TrimmedBlanks(std::string_view value)
{
    std::size_t first = 0;
    std::size_t last = value.size();
    // A file may align its values with runs of spaces ("2 DATE        5 AUG 1901"): they are
    // passed eight at a time, the bytes after the first other one left to the loop.
    while (last - first >= sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, value.data() + first, sizeof word);
        const std::uint64_t other = word ^ 0x2020202020202020ull;
        if (other != 0) {
            // The zero bits before the first byte that is no space, from the end that holds the
            // first byte in memory.
            const int bits = std::endian::native == std::endian::little ? std::countr_zero(other)
                                                                        : std::countl_zero(other);
            first += std::size_t(bits) / 8;
            break;
        }
        first += sizeof word;
    }
    while (first < last && IsBlank(value[first]))
        ++first;
    while (last > first && IsBlank(value[last - 1]))
        --last;
    return value.substr(first, last - first);
}

/// Whether the value is empty or white space only; inline: most values of a load begin with no
/// blank, and the first test finds that.
inline bool IsBlankValue(std::string_view value)
{
    return value.empty() || (IsBlank(value.front()) && TrimmedBlanks(value).empty());
}

/// The value without the white space around it. Inline: most values of a load have no blank at
/// either end, and the two tests find that.
inline std::string_view Trimmed(std::string_view value)
{
    if (value.empty() || (!IsBlank(value.front()) && !IsBlank(value.back())))
        return value;
    return TrimmedBlanks(value);
}

/// The node as a T: a node of class T or Derived is taken at once, any other class through
/// dynamic_cast (this runs for most lines of a load). A cast that fails walks the whole class
/// tree, so the last class found not to be a T is remembered: a load meets the same few
/// classes over and over (a citation's certainty is an enumeration read as text).
template <class T, class Derived = T> const T* NodeAs(const CDataNode& node)
{
    static const std::type_info* s_lastOther = nullptr;
    const std::type_info* type = &typeid(node);
    if (type == &typeid(T) || type == &typeid(Derived))
        return static_cast<const T*>(&node);
    if (type == s_lastOther)
        return nullptr;
    const T* cast = dynamic_cast<const T*>(&node);
    if (!cast)
        s_lastOther = type;
    return cast;
}

/// The reason to report a value the node took but could not read as its type; empty when the
/// node read it (or holds no such value).
std::string_view UnreadValueReason(const CDataNode& node, int dataType, std::string_view value)
{
    switch (dataType) {
    case FDT_ENUM:
        // A listed key, as most are, is told by the node's own byte: neither test looks the
        // key up.
        if (const auto* e = NodeAs<CEnumNode, CSexNode>(node))
            return e->GetValueIndex() < 0 && !e->IsEmpty() ? kKeptUnknownKey : "";
        return {};
    case FDT_DATE:
        if (const auto* d = NodeAs<CDateNode>(node))
            return d->GetKind() == DATE_PHRASE && !Trimmed(value).starts_with('(') ? kKeptUnreadText
                                                                                   : "";
        return {};
    case FDT_AGE:
        if (const auto* a = dynamic_cast<const CAgeNode*>(&node))
            return a->GetUnreadText() ? kKeptUnreadText : "";
        return {};
    case FDT_NUMBER:
        if (dynamic_cast<const CNumberNode*>(&node) && !node.IsEmpty()) {
            std::string text;
            node.GetText(text, 0);
            return IsDigits(text) ? "" : kKeptUnreadText;
        }
        return {};
    case FDT_RECT:
        if (dynamic_cast<const CRectNode*>(&node) && !Trimmed(value).empty()) {
            std::string text;
            node.GetText(text, 0);
            return text == WithoutSpace(value) ? "" : kLostUnreadValue;
        }
        return {};
    default:
        return {};
    }
}

/// Whether a field of the data type may take a value it cannot read (the cases of
/// UnreadValueReason): most lines of a load are text, names, links and structures, which read
/// any value and are not asked.
constexpr bool MayLeaveValueUnread(int dataType)
{
    return dataType == FDT_ENUM || dataType == FDT_DATE || dataType == FDT_AGE ||
           dataType == FDT_NUMBER || dataType == FDT_RECT;
}

/// Whether the node read its value as its type, told by its own state without a call: a listed
/// key, a date that is no phrase, as most values of a load are. False leaves the question to
/// UnreadValueReason.
inline bool ReadAsItsType(const CDataNode& node, int dataType)
{
    const std::type_info* type = &typeid(node);
    if (dataType == FDT_ENUM)
        return (type == &typeid(CSexNode) || type == &typeid(CEnumNode)) &&
               static_cast<const CEnumNode&>(node).HoldsListedKey();
    return dataType == FDT_DATE && type == &typeid(CDateNode) &&
           static_cast<const CDateNode&>(node).GetKind() != DATE_PHRASE;
}

/// node.SetText(value), without the virtual call for a structure read without a value, as most
/// are.
inline bool TakeValue(CDataNode& node, int dataType, std::string_view value)
{
    if (dataType == FDT_COMPLEX && value.empty() && &typeid(node) == &typeid(CComplexNode)) {
        static_cast<CComplexNode&>(node).SetBareText();
        return true;
    }
    return node.SetText(value);
}

/// Reports a value the node took but could not read as its type.
[[gnu::noinline]] void ReportUnreadValue(const CDataNode& node, int dataType,
                                         std::string_view value, const GedcomLine& line,
                                         int lineCounter)
{
    if (const std::string_view reason = UnreadValueReason(node, dataType, value);
        reason == kLostUnreadValue)
        WriteExceptionLine(lineCounter, reason, line, false, false);
    else if (!reason.empty())
        WriteKeptValueLine(lineCounter, reason, line);
}

/// The continuation kind of a tag that node's definition allows as a continuation; 0 for any
/// other tag.
int ContinuationKind(const CFieldDef& def, std::string_view tag)
{
    if (tag == "CONT" && def.AllowsCont())
        return FIELD_CONT;
    if (tag == "CONC" && def.AllowsConc())
        return FIELD_CONC;
    return 0;
}

/// The reason a tag without a definition of the table is skipped; 0 when it is kept.
int ExcludedTagReason(std::string_view tag)
{
    if (tag.starts_with('_'))
        return Prefs().m_excludeGedcomExtensions ? kSkipExtension : 0;
    return Prefs().m_excludeNonStdTags ? kSkipNotGedcom55 : 0;
}

/// The user-defined field of tag under parent, made on first use, that keeps a line whose value
/// the table's field of that tag cannot take: a GEDCOM 5.5.1 form such as "1 EVEN Emigrated"
/// or "1 ALIA Ann Lee", where GEDCOM 5.5 has an event without a value or a link. It is written
/// back as read. Null when the preferences exclude tags the table lacks (reason says why) or
/// when no field can be made.
const CFieldDef* UserDefinedTwin(const CFieldDef* parent, std::string_view tag, int& reason)
{
    reason = ExcludedTagReason(tag);
    if (reason != 0)
        return nullptr;
    reason = kSkipInvalid;
    const CFieldDef* def = parent->GetFirstChild();
    while (def && !(def->HasFlag(FDF_USER_DEFINED) && def->GetTag() == tag))
        def = def->GetNextSibling();
    if (!def)
        def = AddCustomFieldDef(parent, tag);
    // A twin made by an earlier file was hidden when that file closed: this file uses it.
    UnhideCustomFieldDef(def);
    return def;
}

/// The value a field of def reads from its line: text keeps every blank the line holds (the
/// reader keeps them), any other value is read without the blanks around it;
/// inline, since every line reads its value through it.
inline std::string_view ValueFor(const CFieldDef& def, int dataType, std::string_view value)
{
    if (dataType == FDT_TEXT || dataType == FDT_MULTI_TEXT || dataType == FDT_NAME ||
        (dataType == FDT_RECORD && def.GetGedcomTag() == "NOTE"))
        return value;
    return Trimmed(value);
}

std::string_view ValueFor(const CFieldDef& def, std::string_view value)
{
    return ValueFor(def, def.GetDataType(), value);
}

/// The user-defined field that keeps a line past its field's maximum count whose value the
/// table's field def cannot take ("1 HUSB John" after "1 HUSB @I1@"), or a structure's line
/// with a value, as the line is kept when it comes first; null when the field takes the value
/// (the line exceeds the maximum) or when no user-defined field keeps it.
[[gnu::noinline]] const CFieldDef* TwinForRefusedValue(const CFieldDef* parent,
                                                       const CFieldDef* def, std::string_view tag,
                                                       std::string_view value)
{
    // A link takes any cross-reference, and is not made for a trial: making one notes its
    // target's identifier.
    if (def->HasFlag(FDF_USER_DEFINED) || (def->HasFlag(FDF_POINTER_FORM) && IsPointerValue(value)))
        return nullptr;
    int reason = 0;
    // A structure's line with a value ("1 GEDC Y" after "1 GEDC") is kept as it is when it
    // comes first and nothing below it writes a line (the structure then writes no value).
    const bool record = !parent || !parent->GetParent();
    if (def->GetDataType() == FDT_COMPLEX && !record && !Trimmed(value).empty())
        return UserDefinedTwin(parent, tag, reason);
    CDataNode* trial = CreateLoneNode(def);
    if (!trial)
        return nullptr;
    const bool taken = trial->SetText(ValueFor(*def, value));
    DestroyNodeTree(trial);
    return taken ? nullptr : UserDefinedTwin(parent, tag, reason);
}

/// A tag run into a character no tag holds ("1 NAME* z", "1 SUBM`"): the reader ends the tag
/// there and gives the rest as the value, which no blank parts from the tag. Whether line is
/// such a line: its value starts where its tag ends.
inline bool HasMalformedTag(const GedcomLine& line)
{
    return line.value.data() == line.tag.data() + line.tag.size() && !line.value.empty();
}

/// Takes a malformed tag (HasMalformedTag) to the first blank of its line, the value after that
/// blank: a tag the table lacks, so that the line is kept as a user-defined field and written
/// back as read rather than read as the tag it starts with. The report lists the line as kept
/// when its level has a place (placed) and the preferences keep such tags (otherwise it is
/// skipped and listed so).
[[gnu::noinline]] void JoinMalformedTag(GedcomLine& line, int lineCounter, bool placed)
{
    const std::string_view rest = line.value;
    std::size_t blank = 0;
    while (blank < rest.size() && !IsBlank(rest[blank]))
        ++blank;
    line.tag = std::string_view(line.tag.data(), line.tag.size() + blank);
    line.value = rest.substr(std::min(blank + 1, rest.size()));
    if (placed && ExcludedTagReason(line.tag) == 0)
        WriteKeptValueLine(lineCounter, kKeptAsUserDefined, line);
}

} // namespace

bool IsPointerValue(std::string_view value)
{
    const std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    value = value.substr(first, value.find_last_not_of(" \t") + 1 - first);
    return value.size() >= 3 && value.front() == '@' && value.back() == '@' && value[1] != '#' &&
           value.find('@', 1) == value.size() - 1;
}

namespace {

/// ResolveChildDefinition with the lookup of a child definition by GEDCOM tag, and the count
/// of a node's children of a definition, handed in.
template <class FindChild, class CountChildren>
int ResolveChild(const CFieldDef* nodeDef, std::string_view tag, std::string_view value,
                 const CFieldDef*& def, int& continuation, FindChild findChild,
                 CountChildren countChildren)
{
    def = nullptr;
    continuation = ContinuationKind(*nodeDef, tag);
    if (continuation != 0) {
        def = nodeDef;
        return 0;
    }
    def = findChild(nodeDef, tag);
    // One test passes the definitions of most lines, neither pointer forms nor user-defined.
    if (!def || def->HasFlag(FDF_POINTER_FORM | FDF_USER_DEFINED)) {
        if (def && def->HasFlag(FDF_POINTER_FORM) && !def->HasFlag(FDF_LOCAL_FORM) &&
            !IsPointerValue(value) && def->GetNextSibling() &&
            def->GetNextSibling()->HasFlag(FDF_LOCAL_FORM))
            def = def->GetNextSibling();
        if (!def || def->HasFlag(FDF_USER_DEFINED)) {
            if (const int reason = ExcludedTagReason(tag))
                return reason;
            if (!def)
                def = AddCustomFieldDef(nodeDef, tag);
            if (!def)
                return kSkipInvalidLine;
            UnhideCustomFieldDef(def);
        }
    }
    // A maximum that reads negative as a signed 16-bit number (65535 among them) is unbounded.
    const int maximum = std::int16_t(def->GetMaxCount());
    if (maximum >= 0 && countChildren(def) >= maximum)
        return kSkipExceedsMax;
    return 0;
}

} // namespace

int ResolveChildDefinition(const CDataNode& node, std::string_view tag, std::string_view value,
                           const CFieldDef*& def, int& continuation)
{
    return ResolveChild(
        node.GetFieldDef(), tag, value, def, continuation,
        [](const CFieldDef* parent, std::string_view childTag) {
            return parent->FindChildByGedcomTag(childTag);
        },
        [&node](const CFieldDef* childDef) { return node.CountChildrenByDef(childDef); });
}

const CFieldDef* CGedcomRecordParser::FindChildDef(const CFieldDef* parent, std::string_view tag,
                                                   std::size_t readable)
{
    if (tag.size() > sizeof(std::uint64_t))
        return parent->FindChildByGedcomTag(tag);
    std::uint64_t key = 0;
    if (readable >= sizeof key) {
        // The line goes on past the tag: one wide read, the bytes after the tag masked off.
        // The line was read from the file long before, so no recent short copy stalls it.
        std::memcpy(&key, tag.data(), sizeof key);
        if constexpr (std::endian::native == std::endian::big)
            key = __builtin_bswap64(key);
        if (tag.size() < sizeof key)
            key &= (std::uint64_t(1) << (8 * tag.size())) - 1;
    } else if (readable >= sizeof(std::uint32_t) && tag.size() <= sizeof(std::uint32_t)) {
        // A short line ("1 SEX M", "1 BIRT") mostly has a tag of four bytes or less: one read
        // of four, masked so.
        std::uint32_t word = 0;
        std::memcpy(&word, tag.data(), sizeof word);
        if constexpr (std::endian::native == std::endian::big)
            word = __builtin_bswap32(word);
        if (tag.size() < sizeof word)
            word &= (std::uint32_t(1) << (8 * tag.size())) - 1;
        key = word;
    } else {
        for (std::size_t i = 0; i < tag.size(); ++i)
            key |= std::uint64_t(static_cast<unsigned char>(tag[i])) << (8 * i);
    }
    const auto address = std::uint64_t(reinterpret_cast<std::uintptr_t>(parent));
    const std::uint64_t mixed = (address ^ (key << 3)) * 0x9E3779B97F4A7C15ull;
    DefCacheEntry& entry = m_defCache[(mixed >> 54) % m_defCache.size()];
    if (entry.parent == parent && entry.key == key && entry.size == tag.size())
        return entry.def;
    const CFieldDef* def = parent->FindChildByGedcomTag(tag);
    if (def)
        entry = {parent, key, tag.size(), def};
    return def;
}

int CGedcomRecordParser::ParseRecord(int kind, const CFieldDef* recordDef, GedcomLine& line,
                                     int& lineCounter, CRecordNode*& record)
{
    record = nullptr;
    SetExceptionRecord(kind, line.xref);
    auto* made = static_cast<CRecordNode*>(CreateNodeFromDef(recordDef, false, nullptr));
    if (!made)
        return SkipGedcomBranch(false, line, lineCounter, 0, kSkipInvalid);
    NodeGuard guard{made};
    const LoadedRecordId id = TakeLoadedRecordId(*made, kind, line.xref);
    if (id.m_duplicate) {
        std::string name;
        FormatRecordTypeName(kind, false, true, name);
        AppendExceptionText(text::Format(
            "* Serious error: Duplicate record id found in file.  Id=%s. Record Type=%s.\r\n",
            id.m_standard ? std::to_string(id.m_number) : std::string(line.xref), name));
    }
    if (!made->SetText(ValueFor(*recordDef, line.value)))
        return SkipGedcomBranch(false, line, lineCounter, 0, kSkipInvalid);
    ReportRemovedZeroBytes(line, lineCounter);
    m_depth = 0;
    EndPathWith(0, PathNode{made, recordDef, recordDef->GetSiblingOrder()});
    m_indexes.clear();
    m_outOfOrder = false;
    m_readChange = false;
    m_checked.clear();
    m_branchLines.clear();
    m_keepingBranch = 0;
    int status = ReadGedcomLine(line, lineCounter);
    for (;;) {
        if (status == kGedcomLineReady && line.level != 0)
            status = TakeLine(line, lineCounter);
        else if (status == kGedcomLineInvalid)
            status = SkipGedcomBranch(true, line, lineCounter, 0, kSkipInvalidLine);
        else
            break;
    }
    if (!m_checked.empty())
        CloseCheckedFields(1);
    record = static_cast<CRecordNode*>(guard.Release());
    return status;
}

inline int CGedcomRecordParser::CountChildren(PathNode& parent, const CFieldDef* def)
{
    // A child of def has def's order: while every order known is lower there is none, and a
    // file's fields mostly come in definition order, so most counts walk nothing.
    if (parent.lastChild ? parent.lastChild->GetNextSibling() : parent.node->GetFirstChild())
        CatchUp(parent);
    if (parent.maxChildOrder < def->GetSiblingOrder())
        return 0;
    if (parent.index)
        return parent.index->Count(def);
    int count = 0;
    int walked = 0;
    for (const CDataNode* child = parent.node->GetFirstChild(); child;
         child = child->GetNextSibling()) {
        if (++walked > kFewChildren)
            return IndexOf(parent).Count(def);
        count += child->GetFieldDef() == def;
    }
    return count;
}

int CGedcomRecordParser::TakeLine(GedcomLine& line, int& lineCounter)
{
    // The lines of a record are taken in this loop rather than by one call each, which saved
    // and restored the registers they share at every line.
    for (;;) {
        if (HasMalformedTag(line)) [[unlikely]]
            JoinMalformedTag(line, lineCounter, std::size_t(line.level) <= m_depth);
        const int status = TakeOneLine(line, lineCounter);
        if (status != kGedcomLineReady || line.level == 0)
            return status;
    }
}

int CGedcomRecordParser::TakeOneLine(GedcomLine& line, int& lineCounter)
{
    if (std::size_t(line.level) > m_depth) {
        WriteExceptionLine(lineCounter, kLevelBranchIgnored, line, false, false);
        return SkipGedcomBranch(false, line, lineCounter, 0, kSkipInvalid);
    }
    const std::size_t level = std::size_t(line.level);
    if (!m_checked.empty())
        CloseCheckedFields(level);
    // The path is not resized before the line's node ends it, so the parent's entry stays put.
    PathNode& up = m_path[level - 1];
    CDataNode* parent = up.node;
    const PathNode* sibling = level < m_depth ? &up + 1 : nullptr;
    const CFieldDef* def = nullptr;
    int continuation = 0;
    // The tag and the value view the same line, the value running to its end.
    const auto readable = std::size_t(line.value.data() + line.value.size() - line.tag.data());
    const auto findChild = [this, readable](const CFieldDef* parentDef, std::string_view tag) {
        return FindChildDef(parentDef, tag, readable);
    };
    const auto countChildren = [this, &up](const CFieldDef* childDef) {
        return CountChildren(up, childDef);
    };
    if (const int reason = ResolveChild(up.def, line.tag, line.value, def, continuation, findChild,
                                        countChildren)) [[unlikely]] {
        // A value the table's field cannot take is kept wherever the line comes, before or
        // after the field's last allowed line, so that a save and a load give it back.
        const CFieldDef* twin = reason == kSkipExceedsMax
                                    ? TwinForRefusedValue(up.def, def, line.tag, line.value)
                                    : nullptr;
        if (!twin)
            return SkipGedcomBranch(false, line, lineCounter, 0, reason);
        // A user-defined field takes any value.
        WriteKeptValueLine(lineCounter, kKeptAsUserDefined, line);
        def = twin;
    }
    if (continuation != 0) {
        if (parent->AppendText(ValueFor(*def, line.value), continuation)) {
            if (level < m_depth)
                m_depth = level + 1;
            ReportRemovedZeroBytes(line, lineCounter);
            return ReadGedcomLine(line, lineCounter);
        }
        // A continuation the field refuses (one after a cross-reference, which would turn it
        // into text) is a line of its own, kept as a user-defined field of its tag, as it is
        // under a link.
        int reason = kSkipInvalidLine;
        def = UserDefinedTwin(up.def, line.tag, reason);
        if (!def) {
            if (level < m_depth)
                m_depth = level + 1;
            return SkipGedcomBranch(false, line, lineCounter, 0, reason);
        }
    }
    CDataNode* node = nullptr;
    CDataNode* prev = nullptr;
    if (!AddNode(up, sibling, def, line, lineCounter, node, prev)) {
        // A value the table's field cannot take is kept, with the lines below it, in a
        // user-defined field of the same tag, as a tag the table lacks is kept. A field of the
        // table that cannot be empty and is (a link without its cross-reference) is an empty
        // field, left out with the lines below it.
        const bool empty = Trimmed(line.value).empty();
        int reason = empty && !def->HasFlag(FDF_USER_DEFINED) ? kSkipEmptyField : kSkipInvalid;
        const CFieldDef* twin = def->HasFlag(FDF_USER_DEFINED) || empty
                                    ? nullptr
                                    : UserDefinedTwin(up.def, line.tag, reason);
        if (!twin || !AddNode(up, sibling, twin, line, lineCounter, node, prev))
            return SkipGedcomBranch(false, line, lineCounter, 0, reason);
        WriteKeptValueLine(lineCounter, kKeptAsUserDefined, line);
        def = twin;
    }
    EndPathWith(level, PathNode{node, def, def->GetSiblingOrder()});
    return ReadGedcomLine(line, lineCounter);
}

void CGedcomRecordParser::CatchUp(PathNode& parent)
{
    CDataNode* next =
        parent.lastChild ? parent.lastChild->GetNextSibling() : parent.node->GetFirstChild();
    for (; next; next = next->GetNextSibling()) {
        parent.lastChild = next;
        parent.maxChildOrder =
            std::max<int>(parent.maxChildOrder, next->GetFieldDef()->GetSiblingOrder());
    }
}

bool CGedcomRecordParser::AddNode(PathNode& parent, const PathNode* sibling, const CFieldDef* def,
                                  const GedcomLine& line, int lineCounter, CDataNode*& node,
                                  CDataNode*& prev)
{
    node = CreateLoneNode(def);
    if (!node)
        return false;
    // While the record's lines follow definition order, a node goes after sibling, which is
    // then the last child unless reading a value made children after it. Once a line came out
    // of order, a node goes before the first child of a higher order: last when none has one.
    // A node that goes last is linked at once, without telling the index of the parent's
    // children, which takes in what was linked at the end.
    if (parent.lastChild ? parent.lastChild->GetNextSibling() : parent.node->GetFirstChild())
        CatchUp(parent);
    const int order = def->GetSiblingOrder();
    prev = parent.lastChild;
    if (!m_outOfOrder && (!sibling || order >= sibling->order)) {
        if (!sibling || sibling->node == prev)
            parent.node->LinkLoadedChild(node, prev);
        else
            Link(parent, node, prev = PlaceAfter(parent, sibling->node, order));
    } else {
        m_outOfOrder = true;
        if (order >= parent.maxChildOrder)
            parent.node->LinkLoadedChild(node, prev);
        else
            Link(parent, node, prev = PlaceByOrder(parent, order));
    }
    const int dataType = def->GetDataType();
    const std::string_view value = ValueFor(*def, dataType, line.value);
    if (!TakeValue(*node, dataType, value)) {
        Unlink(parent, node, prev);
        DestroyNodeTree(std::exchange(node, nullptr));
        return false;
    }
    if (!node->GetNextSibling())
        parent.lastChild = node;
    parent.maxChildOrder = std::max(parent.maxChildOrder, order);
    ReportRemovedZeroBytes(line, lineCounter);
    if (MayLeaveValueUnread(dataType) && !ReadAsItsType(*node, dataType))
        ReportUnreadValue(*node, dataType, value, line, lineCounter);
    if (!m_checked.empty() || IsBlankValue(value) || dataType == FDT_COMPLEX)
        NoteField(node, prev, def, dataType, value, line, lineCounter);
    return true;
}

CDataNode* CGedcomRecordParser::PlaceByOrder(PathNode& parent, int order)
{
    if (parent.index)
        return parent.index->PlaceForOrder(order);
    CDataNode* prev = nullptr;
    int walked = 0;
    for (CDataNode* child = parent.node->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (OrderOf(child) > order)
            return prev;
        if (++walked > kFewChildren)
            return IndexOf(parent).PlaceForOrder(order);
        prev = child;
    }
    return prev;
}

CDataNode* CGedcomRecordParser::PlaceAfter(PathNode& parent, CDataNode* sibling, int order)
{
    const int siblingOrder = OrderOf(sibling);
    const CDataNode* next = sibling->GetNextSibling();
    if (order == siblingOrder || (siblingOrder <= order && (!next || OrderOf(next) >= order)))
        return sibling;
    return PlaceByOrder(parent, order);
}

CChildIndex& CGedcomRecordParser::IndexOf(PathNode& parent)
{
    if (!parent.index) {
        m_indexes.push_back(std::make_unique<CChildIndex>(parent.node));
        parent.index = m_indexes.back().get();
    }
    return *parent.index;
}

void CGedcomRecordParser::Link(PathNode& parent, CDataNode* node, CDataNode* prev)
{
    // An index that cannot follow is given up; the next long walk makes another.
    if (parent.index && !parent.index->Linking(node, prev))
        parent.index = nullptr;
    parent.node->LinkLoadedChild(node, prev);
}

void CGedcomRecordParser::Unlink(PathNode& parent, CDataNode* node, CDataNode* prev)
{
    if (parent.index)
        parent.index->Unlinking(node, prev);
    parent.node->UnlinkLoadedChild(node, prev);
}

void CGedcomRecordParser::NoteField(CDataNode* node, CDataNode* prev, const CFieldDef* def,
                                    int dataType, std::string_view value, const GedcomLine& line,
                                    int lineCounter)
{
    const std::size_t level = std::size_t(line.level);
    const bool structure = dataType == FDT_COMPLEX;
    // The record's change field, a structure, is noted here, where every structure is.
    m_readChange |= level == 1 && def->GetFieldId() == FIELD_CHAN;
    // A structure the table marks as written with its tag alone is always written, and so is a
    // user-defined field; another field with a value writes it.
    const bool checked = structure ? def->HasFlag(FDF_SKIP_WHEN_CHILDLESS)
                                   : Trimmed(value).empty() && !def->HasFlag(FDF_USER_DEFINED);
    const std::size_t ownLine = m_keepingBranch > 0 ? m_branchLines.size() : std::string::npos;
    if (m_keepingBranch > 0)
        m_branchLines.push_back({lineCounter, level, std::string(line.xref), std::string(line.tag),
                                 std::string(line.value)});
    if (!checked) {
        if (!m_checked.empty() && m_checked.back().level + 1 == level)
            m_checked.back().written = true;
        return;
    }
    m_checked.push_back({node, prev, level, lineCounter, std::string(line.xref),
                         std::string(line.tag), std::string(line.value), structure, false, ownLine,
                         m_branchLines.size()});
    if (!structure)
        ++m_keepingBranch;
}

void CGedcomRecordParser::CloseCheckedFields(std::size_t level)
{
    std::string scratch;
    while (!m_checked.empty() && m_checked.back().level >= level) {
        const CheckedField& field = m_checked.back();
        const bool valued = !Trimmed(field.value).empty();
        bool written = field.structure ? field.written : WritesAnyGedcomLine([&field, &scratch] {
            return field.node->WriteGedcom(int(field.level), scratch);
        });
        if (!written && field.structure && valued && KeepAsUserDefined(field)) {
            WriteKeptValueLine(
                field.lineNumber, kKeptAsUserDefined,
                GedcomLine{int(field.level), field.xref, field.tag, field.value, false, false});
            written = true;
        }
        if (!written) {
            const std::string_view reason = valued ? kLostValuedField : kLostEmptyField;
            WriteExceptionLine(
                field.lineNumber, reason,
                GedcomLine{int(field.level), field.xref, field.tag, field.value, false, false},
                false, false);
            // A structure left out has no sub-field that writes a line: each was checked and
            // reported itself. Another field takes the lines below it along.
            const std::size_t below =
                field.structure ? m_branchLines.size() : field.firstBranchLine;
            for (std::size_t i = below; i < m_branchLines.size(); ++i) {
                const BranchLine& branch = m_branchLines[i];
                WriteExceptionLine(branch.lineNumber, kSkippedBranchLine,
                                   GedcomLine{int(branch.level), branch.xref, branch.tag,
                                              branch.value, false, false},
                                   false, true);
            }
            // Reported here, so not again with a field above that is left out too.
            m_branchLines.resize(field.ownLine != std::string::npos ? field.ownLine : below);
            RemoveLeftOut(field);
        }
        if (!field.structure)
            --m_keepingBranch;
        const std::size_t fieldLevel = field.level;
        m_checked.pop_back();
        if (written && !m_checked.empty() && m_checked.back().level + 1 == fieldLevel)
            m_checked.back().written = true;
    }
    if (m_keepingBranch == 0)
        m_branchLines.clear();
}

bool CGedcomRecordParser::KeepAsUserDefined(const CheckedField& field)
{
    PathNode& parent = m_path[field.level - 1];
    int reason = 0;
    const CFieldDef* def = UserDefinedTwin(parent.def, field.tag, reason);
    CDataNode* kept = def ? CreateNodeFromDef(def, false, nullptr) : nullptr;
    if (!kept)
        return false;
    kept->SetText(field.value);
    // The field's previous sibling stays while the field is checked, and the field is the last
    // of its level: nothing was linked beside it since. The kept field follows the user-defined
    // fields read before it, as every user-defined field does.
    CDataNode* keptPrev = PlaceByOrder(parent, def->GetSiblingOrder());
    Link(parent, kept, keptPrev);
    CDataNode* fieldPrev = keptPrev == field.prev ? kept : field.prev;
    Unlink(parent, field.node, fieldPrev);
    // A structure left out holds no sub-field that writes anything; those it holds were
    // reported already.
    DestroyNodeTree(field.node);
    if (parent.lastChild == field.node)
        parent.lastChild = keptPrev == field.node ? kept : fieldPrev;
    // The user-defined field goes after the fields of the table, as the next load puts it.
    parent.maxChildOrder = std::max<int>(parent.maxChildOrder, def->GetSiblingOrder());
    if (field.level < m_depth && m_path[field.level].node == field.node)
        m_path[field.level] = PathNode{kept, def, def->GetSiblingOrder()};
    return true;
}

void CGedcomRecordParser::RemoveLeftOut(const CheckedField& field)
{
    PathNode& parent = m_path[field.level - 1];
    CDataNode* before = field.prev;
    Unlink(parent, field.node, before);
    DestroyNodeTree(field.node);
    if (parent.lastChild == field.node)
        parent.lastChild = before;
    // The next line of this level goes after the field before it, as if the field had not
    // been read; without one, it is the first.
    if (field.level < m_depth && m_path[field.level].node == field.node) {
        if (before)
            m_path[field.level] =
                PathNode{before, before->GetFieldDef(), before->GetFieldDef()->GetSiblingOrder()};
        else
            m_depth = field.level;
    }
}
