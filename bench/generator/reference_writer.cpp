// bench/generator/reference_writer.cpp: notes, sources and repositories.
#include "bench/generator/reference_writer.h"

#include "bench/generator/gedcom_line_buffer.h"
#include "bench/generator/generator_tables.h"
#include "bench/generator/record_text.h"

namespace {

/// The longest piece of note text on one line; with "0 @N123456@ NOTE " in front it stays well
/// below the 255 characters a GEDCOM line may hold.
constexpr std::size_t kPieceLength = 200;

std::string_view FirstPart(std::string_view place)
{
    return place.substr(0, place.find(','));
}

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

/// Where text longer than limit bytes may be cut for a CONC line: never inside a UTF-8
/// character and never beside a space, since readers may trim spaces at line ends.
std::size_t ConcSplitPoint(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    std::size_t cut = limit;
    while (cut > 1 && (IsContinuationByte(text[cut]) || text[cut] == ' ' || text[cut - 1] == ' '))
        --cut;
    return cut;
}

} // namespace

CReferenceWriter::CReferenceWriter(std::uint64_t seed, std::int32_t repositories,
                                   CGedcomLineBuffer& out)
    : m_seed(seed), m_repositories(repositories), m_out(out)
{
}

void CReferenceWriter::WriteNote(std::int32_t index)
{
    CRandomStream random = CRandomStream::ForRecord(m_seed, 'N', std::uint64_t(index));
    ComposeNote(random);
    for (std::size_t i = 0; i < m_paragraphs.size(); ++i)
        WriteParagraph(m_paragraphs[i], i == 0, index);
}

/// Half the notes are one short line, three in ten several lines (some of them empty), the rest
/// one long paragraph.
void CReferenceWriter::ComposeNote(CRandomStream& random)
{
    const std::int32_t kind = random.Below(10);
    m_paragraphs.assign(1, std::string());
    if (kind < 5) {
        AppendSentences(m_paragraphs[0], random.Between(1, 2), random);
    } else if (kind < 8) {
        const std::int32_t lines = random.Between(2, 5);
        m_paragraphs.resize(std::size_t(lines));
        AppendSentences(m_paragraphs[0], 1, random);
        for (std::int32_t line = 1; line < lines; ++line) {
            if (!random.Percent(20))
                AppendSentences(m_paragraphs[std::size_t(line)], random.Between(1, 2), random);
        }
    } else {
        AppendSentences(m_paragraphs[0], random.Between(5, 14), random);
    }
}

/// Sentences drawn from the table, never the same one twice in a row.
void CReferenceWriter::AppendSentences(std::string& out, std::int32_t count, CRandomStream& random)
{
    const std::span<const std::string_view> sentences = NoteSentenceTable();
    const std::int32_t size = std::int32_t(sentences.size());
    std::int32_t previous = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t pick = random.Below(size);
        if (pick == previous)
            pick = (pick + 1) % size;
        previous = pick;
        if (!out.empty())
            out += ' ';
        out += sentences[std::size_t(pick)];
    }
}

void CReferenceWriter::WriteParagraph(std::string_view text, bool first, std::int32_t index)
{
    std::size_t cut = ConcSplitPoint(text, kPieceLength);
    if (first)
        m_out.Record('N', index + 1, "NOTE", text.substr(0, cut));
    else
        m_out.Line(1, "CONT", text.substr(0, cut));
    text.remove_prefix(cut);
    while (!text.empty()) {
        cut = ConcSplitPoint(text, kPieceLength);
        m_out.Line(1, "CONC", text.substr(0, cut));
        text.remove_prefix(cut);
    }
}

/// "Parish registers, Ashford, 1538-1812" by the parish or a compiler, published in some form,
/// mostly held at a repository under a call number.
void CReferenceWriter::WriteSource(std::int32_t index)
{
    CRandomStream random = CRandomStream::ForRecord(m_seed, 'S', std::uint64_t(index));
    const std::string_view place = PickFrom(PlaceTable(), random);
    const std::int32_t firstYear = random.Between(1540, 1900);
    m_out.Record('S', index + 1, "SOUR");
    m_text.assign(PickFrom(SourceKindTable(), random))
        .append(", ")
        .append(FirstPart(place))
        .append(", ");
    AppendNumber(m_text, firstYear);
    m_text += '-';
    AppendNumber(m_text, firstYear + random.Between(10, 120));
    m_out.Line(1, "TITL", m_text);
    if (random.Percent(50))
        m_text.assign("Parish of ").append(FirstPart(place));
    else
        m_text.assign(PickFrom(SurnameTable(), random))
            .append(", ")
            .append(PickFrom(MaleGivenNameTable(), random));
    m_out.Line(1, "AUTH", m_text);
    m_text.assign(PickFrom(PublisherTable(), random)).append(", ");
    AppendNumber(m_text, random.Between(1890, 2020));
    m_out.Line(1, "PUBL", m_text);
    if (!random.Percent(75))
        return;
    m_out.Pointer(1, "REPO", 'R', random.Below(m_repositories) + 1);
    m_text.assign("MS ");
    AppendNumber(m_text, random.Between(1, 9999));
    m_text += '/';
    AppendNumber(m_text, random.Between(1, 99));
    m_out.Line(2, "CALN", m_text);
}

void CReferenceWriter::WriteRepository(std::int32_t index)
{
    const std::span<const CRepositoryText> table = RepositoryTable();
    const CRepositoryText& repository = table[std::size_t(index) % table.size()];
    m_out.Record('R', index + 1, "REPO");
    m_out.Line(1, "NAME", repository.name);
    m_out.Line(1, "ADDR", repository.street);
    m_out.Line(2, "CONT", repository.city);
    m_out.Line(2, "CITY", repository.city);
    m_out.Line(2, "CTRY", repository.country);
}
