// database/multimedia/obj_rec_write.cpp: The multimedia record's BLOB lines, continuation records
// and merge score.
#include "database/multimedia/obj_rec.h"

#include "common/blob_encoding.h"
#include "common/whole_file.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/records/assoc_node.h"
#include "platform/base/text.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace {

constexpr int kMultimediaListIndex = 7;

// Per thread: the numbers belong to the write that holds them, and a write on another thread
// never takes them.
thread_local const CBlobContinuationNumbers* s_current = nullptr;

/// "@O12@": the cross-reference of multimedia record number n.
std::string MultimediaXref(std::int32_t number)
{
    const CRecordType* row = GetRecordTypeTable().RowByListIndex(kMultimediaListIndex);
    return "@" + std::string(1, row->m_idLetter) + std::to_string(number) + "@";
}

/// The numbers of the multimedia records under root, and those that dangling links keep.
std::vector<std::int32_t> NumbersInUse(const CDataNode* root)
{
    std::vector<std::int32_t> numbers = CollectReservedNumbers(kMultimediaListIndex);
    for (const CDataNode* node = root ? root->GetFirstChild() : nullptr; node;
         node = node->GetNextSibling()) {
        if (node->IsRecord())
            numbers.push_back(static_cast<const CRecordNode*>(node)->GetRecordNumber());
    }
    return numbers;
}

/// Writes "level CONT" lines of 72 characters from the front of encoded, at most maxLines of
/// them; encoded keeps what is left.
bool WriteContLines(int level, std::string& line, std::string_view& encoded, std::size_t maxLines)
{
    const std::string prefix = std::to_string(level) + " CONT ";
    for (std::size_t n = 0; n < maxLines && !encoded.empty(); ++n) {
        const std::string_view piece = encoded.substr(0, CObjRec::kBlobLineChars);
        encoded.remove_prefix(piece.size());
        line = prefix;
        line += piece;
        if (!WriteGedcomLine(line))
            return false;
    }
    return true;
}

} // namespace

// ---- Continuation numbers ------------------------------------------------------------------

CBlobContinuationNumbers::CBlobContinuationNumbers()
    : CBlobContinuationNumbers(NumbersInUse(GetRecordTypeRoot(kMultimediaListIndex)))
{
}

CBlobContinuationNumbers::CBlobContinuationNumbers(std::vector<std::int32_t> usedNumbers)
    : m_used(std::move(usedNumbers)), m_previous(s_current)
{
    std::sort(m_used.begin(), m_used.end());
    const std::int32_t highest = m_used.empty() ? 0 : std::max(m_used.back(), 0);
    m_next = highest == std::numeric_limits<std::int32_t>::max() ? 1 : highest + 1;
    m_wrapped = m_next == 1 && highest > 0;
    s_current = this;
}

CBlobContinuationNumbers::~CBlobContinuationNumbers()
{
    if (s_current == this)
        s_current = m_previous;
}

const CBlobContinuationNumbers* CBlobContinuationNumbers::GetCurrent()
{
    return s_current;
}

std::int32_t CBlobContinuationNumbers::Take() const
{
    while (m_next > 0) {
        const std::int32_t number = m_next;
        if (number == std::numeric_limits<std::int32_t>::max()) {
            m_next = m_wrapped ? 0 : 1;
            m_wrapped = true;
        } else {
            ++m_next;
        }
        if (!std::binary_search(m_used.begin(), m_used.end(), number)) {
            m_used.insert(std::upper_bound(m_used.begin(), m_used.end(), number), number);
            return number;
        }
    }
    return 0;
}

// ---- Writing --------------------------------------------------------------------------------

bool CObjRec::WriteGedcom(int level, std::string& line) const
{
    SaveOleToWorkingFile();
    if (!CRecordNode::WriteGedcom(level, line))
        return false;
    std::string content;
    if (!IsEmbedded() || m_workingFile.empty() || !ReadFileContent(m_workingFile, content))
        return true;
    const std::string encoded = EncodeBlob(content);
    std::string_view rest = encoded;
    line = std::to_string(level + 1) + " BLOB";
    if (!WriteGedcomLine(line) || !WriteContLines(level + 2, line, rest, kRecordBlobLines))
        return false;
    if (rest.empty())
        return true;
    std::optional<CBlobContinuationNumbers> ownNumbers;
    const CBlobContinuationNumbers* numbers = CBlobContinuationNumbers::GetCurrent();
    if (!numbers) {
        std::vector<std::int32_t> used = NumbersInUse(GetParent());
        used.push_back(GetRecordNumber());
        numbers = &ownNumbers.emplace(std::move(used));
    }
    return WriteContinuations(level + 1, line, rest, *numbers);
}

bool CObjRec::WriteContinuations(int pointerLevel, std::string& line, std::string_view rest,
                                 const CBlobContinuationNumbers& numbers) const
{
    while (!rest.empty()) {
        const std::int32_t number = numbers.Take();
        if (number == 0)
            return false;
        const std::string xref = MultimediaXref(number);
        line = std::to_string(pointerLevel) + " OBJE " + xref;
        if (!WriteGedcomLine(line))
            return false;
        line = "0 " + xref + " OBJE";
        if (!WriteGedcomLine(line) || !WriteGedcomLine("1 BLOB") ||
            !WriteContLines(2, line, rest, kContinuationBlobLines))
            return false;
        pointerLevel = 1;
    }
    return true;
}

// ---- Merge score ----------------------------------------------------------------------------

int CObjRec::MatchScore(const CRecordNode* otherRecord, const void*) const
{
    const auto* other = dynamic_cast<const CObjRec*>(otherRecord);
    if (!other || other->GetFieldDef() != GetFieldDef())
        return -10000;
    if (other->GetKind() != GetKind())
        return -500;
    if (other->IsEmbedded() != IsEmbedded())
        return -250;
    if (!IsEmbedded())
        return text::EqualsNoCase(GetFilePath(), other->GetFilePath()) ? 200 : 0;
    const bool mine = !m_workingFile.empty();
    const bool theirs = !other->m_workingFile.empty();
    if (mine != theirs)
        return -100;
    if (!mine)
        return 0;
    std::uint32_t mySize = 0;
    std::uint32_t theirSize = 0;
    if (!GetWorkingFileSize(mySize) || !other->GetWorkingFileSize(theirSize) || mySize != theirSize)
        return -100;
    std::string myContent;
    std::string theirContent;
    if (!ReadFileContent(m_workingFile, myContent) ||
        !ReadFileContent(other->m_workingFile, theirContent))
        return -100;
    return myContent == theirContent ? 500 : -100;
}
