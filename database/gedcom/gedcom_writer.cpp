// database/gedcom/gedcom_writer.cpp: the save driver: output opened beside the target, header,
// records and trailer written through the line sink, the target replaced at the end.
#include "database/gedcom/gedcom_writer.h"

#include "common/abort.h"
#include "common/preferences.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/buffered_file.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/named_list_store.h"
#include "database/records/record_node.h"

#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr int kIndividualKind = 0;
constexpr int kFamilyKind = 1;
constexpr int kMultimediaKind = 7;
constexpr int kHeaderKind = 8;

/// Sets the sink's format for one attempt and its defaults back afterwards.
class CLineFormatScope final {
public:
    CLineFormatScope(GedcomCharset charset, std::string_view lineEnd)
    {
        SetGedcomLineFormat(charset, lineEnd);
    }
    ~CLineFormatScope() { SetGedcomLineFormat(GedcomCharset::Utf8, "\r\n"); }
    CLineFormatScope(const CLineFormatScope&) = delete;
    CLineFormatScope& operator=(const CLineFormatScope&) = delete;
};

/// Writes the header record: FILE names the path saved to, CHAR the character set written when
/// it changed or when the header lacks the CHAR of a set the bytes do not reveal; each is put in
/// its place by definition order when the header lacks it.
class CHeaderWriter final {
public:
    CHeaderWriter(const std::string& path, GedcomCharset charset, bool charsetChanged)
        : m_path(path), m_charset(charset), m_charsetChanged(charsetChanged)
    {
    }

    bool Write(std::string& line);

private:
    bool WriteLoadedHeader(const CRecordNode& header, std::string& line);
    bool WriteNewHeader();
    /// "1 TAG value", then the children of the node it replaces (when there is one).
    bool WriteReplaced(std::string_view tag, std::string_view value, const CDataNode* replaced,
                       std::string& line);
    /// Writes the missing FILE or CHAR lines whose definitions come before order.
    bool WriteMissingBefore(int order, const CFieldDef* headerDef, std::string& line);

    const std::string& m_path;
    GedcomCharset m_charset;
    bool m_charsetChanged;
    bool m_needFile = false;
    bool m_needChar = false;
};

/// Whether the header's CHAR field names the set the file is written in; one that names another
/// (a file whose bytes are not in its declared set) is written anew.
bool NamesCharset(const CDataNode& charField, GedcomCharset charset)
{
    std::string value;
    charField.GetText(value, 0);
    return GedcomCharValueNames(value, charset);
}

/// Whether a reader finds the set from the bytes alone, without a CHAR line: a file in any other
/// set that lacks one would be read back in the wrong set.
bool FoundWithoutChar(GedcomCharset charset)
{
    return charset == GedcomCharset::Utf8 || charset == GedcomCharset::Utf16Le ||
           charset == GedcomCharset::Utf16Be || charset == GedcomCharset::Ascii ||
           charset == GedcomCharset::Windows1252;
}

bool CHeaderWriter::Write(std::string& line)
{
    const CDataNode* root = GetRecordTypeRoot(kHeaderKind);
    const auto* header = root ? static_cast<const CRecordNode*>(root->GetFirstChild()) : nullptr;
    if (!(header ? WriteLoadedHeader(*header, line) : WriteNewHeader()))
        return false;
    INamedListStore* store = GetNamedListStore();
    return !store || store->WriteListFields(line);
}

bool CHeaderWriter::WriteLoadedHeader(const CRecordNode& header, std::string& line)
{
    m_needFile = !header.FindChild(nullptr, FIELD_FILE);
    m_needChar = (m_charsetChanged || !FoundWithoutChar(m_charset)) &&
                 !header.FindChild(nullptr, FIELD_CHAR);
    if (!WriteGedcomLine("0 HEAD"))
        return false;
    const CFieldDef* def = header.GetFieldDef();
    for (const CDataNode* child = header.GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!WriteMissingBefore(child->GetFieldDef()->GetSiblingOrder(), def, line))
            return false;
        bool written = true;
        if (child->GetFieldId() == FIELD_FILE)
            written = WriteReplaced("FILE", m_path, child, line);
        else if (child->GetFieldId() == FIELD_CHAR &&
                 (m_charsetChanged || !NamesCharset(*child, m_charset)))
            written = WriteReplaced("CHAR", GedcomCharsetName(m_charset), child, line);
        else
            written = child->WriteGedcom(1, line);
        if (!written)
            return false;
    }
    return WriteMissingBefore(std::numeric_limits<int>::max(), def, line);
}

bool CHeaderWriter::WriteMissingBefore(int order, const CFieldDef* headerDef, std::string& line)
{
    for (const int fieldId : {FIELD_FILE, FIELD_CHAR}) {
        bool& needed = fieldId == FIELD_FILE ? m_needFile : m_needChar;
        const CFieldDef* def = FindChildDefById(headerDef, fieldId);
        if (!needed || !def || def->GetSiblingOrder() >= order)
            continue;
        needed = false;
        const bool written =
            fieldId == FIELD_FILE
                ? WriteReplaced("FILE", m_path, nullptr, line)
                : WriteReplaced("CHAR", GedcomCharsetName(m_charset), nullptr, line);
        if (!written)
            return false;
    }
    return true;
}

bool CHeaderWriter::WriteReplaced(std::string_view tag, std::string_view value,
                                  const CDataNode* replaced, std::string& line)
{
    line = "1 ";
    line += tag;
    line += ' ';
    if (!WriteGedcomLine(line, value))
        return false;
    for (const CDataNode* child = replaced ? replaced->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling()) {
        if (!child->WriteGedcom(2, line))
            return false;
    }
    return true;
}

bool CHeaderWriter::WriteNewHeader()
{
    return WriteGedcomLine("0 HEAD") && WriteGedcomLine("1 SOUR ARDENVEL") &&
           WriteGedcomLine("2 NAME ", "Ardenvel") && WriteGedcomLine("1 FILE ", m_path) &&
           WriteGedcomLine("1 GEDC") && WriteGedcomLine("2 VERS 5.5") &&
           WriteGedcomLine("2 FORM LINEAGE-LINKED") &&
           WriteGedcomLine("1 CHAR ", GedcomCharsetName(m_charset));
}

/// The record types after the header, in list order; families first when asked.
std::vector<int> RecordKindsInOrder()
{
    std::vector<int> kinds;
    for (int kind = 0; kind < kHeaderKind; ++kind)
        kinds.push_back(kind);
    if (Prefs().m_familiesFirst)
        std::swap(kinds[kIndividualKind], kinds[kFamilyKind]);
    return kinds;
}

/// Asks the processor to fetch the records that the links among record's own fields lead to:
/// writing a link's cross-reference reads its target's number, and targets lie anywhere in the
/// data set. Deeper links are few, and finding them would walk every node twice.
void PrefetchLinkTargets(const CDataNode* record)
{
    for (const CDataNode* child = record ? record->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling()) {
        if (const CRecordNode* target = child->GetLinkTarget())
            __builtin_prefetch(reinterpret_cast<const char*>(target) + sizeof(CDataNode));
    }
}

constexpr int kPrefetchDistance = 2;

bool WriteRecords(std::string& line)
{
    for (const int kind : RecordKindsInOrder()) {
        const CDataNode* root = GetRecordTypeRoot(kind);
        const CDataNode* record = root ? root->GetFirstChild() : nullptr;
        // The targets of the records kPrefetchDistance ahead arrive while this one is written.
        const CDataNode* ahead = record;
        for (int i = 0; ahead && i < kPrefetchDistance; ++i) {
            PrefetchLinkTargets(ahead);
            ahead = ahead->GetNextSibling();
        }
        for (; record; record = record->GetNextSibling()) {
            PrefetchLinkTargets(ahead);
            ahead = ahead ? ahead->GetNextSibling() : nullptr;
            if (!record->WriteGedcom(0, line))
                return false;
        }
    }
    return true;
}

enum class WriteResult { Saved, Misfit, Failed };

/// The reason of the last failing file call.
std::string FileErrorText()
{
    const int code = GetGedcomFileLastError();
    return code ? std::strerror(code) : "The data could not be written.";
}

/// One attempt to write the file in encoding; error says why it failed.
WriteResult WriteFile(const std::string& path, const GedcomEncoding& encoding,
                      const std::string& lineEnd, bool charsetChanged, std::string& error)
{
    if (!OpenGedcomInput(path, true, false)) {
        error = FileErrorText();
        return WriteResult::Failed;
    }
    const CLineFormatScope format(encoding.charset, lineEnd);
    bool written = false;
    std::exception_ptr failure;
    try {
        // Continuation records of embedded data take numbers no multimedia record holds; finding
        // them walks every link, so it is done only for a data set with multimedia records.
        std::optional<CBlobContinuationNumbers> continuations;
        if (const CDataNode* root = GetRecordTypeRoot(kMultimediaKind);
            root && root->GetFirstChild())
            continuations.emplace();
        std::string line;
        CHeaderWriter header(path, encoding.charset, charsetChanged);
        written = WriteGedcomOutput(GedcomByteOrderMark(encoding)) && header.Write(line) &&
                  WriteRecords(line) && WriteGedcomLine("0 TRLR");
    } catch (...) {
        failure = std::current_exception();
        written = false;
    }
    if (!written) {
        const bool misfit = GedcomLineDidNotFit();
        error = FileErrorText();
        AbandonGedcomFile();
        if (failure)
            EndAbandonedOperation(failure);
        return misfit ? WriteResult::Misfit : WriteResult::Failed;
    }
    if (!CloseGedcomInputFile()) {
        error = FileErrorText();
        return WriteResult::Failed;
    }
    return WriteResult::Saved;
}

} // namespace

bool SaveGedcomFile(const std::string& path, GedcomFileFormat& format, std::string& error)
{
    error.clear();
    WriteResult result = WriteFile(path, format.encoding, format.lineEnd, false, error);
    if (result == WriteResult::Misfit) {
        const GedcomEncoding utf8{GedcomCharset::Utf8, false};
        result = WriteFile(path, utf8, format.lineEnd, true, error);
        if (result == WriteResult::Saved)
            format.encoding = utf8;
    }
    if (result == WriteResult::Saved)
        error.clear();
    return result == WriteResult::Saved;
}
