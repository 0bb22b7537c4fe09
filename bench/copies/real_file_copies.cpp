// bench/copies/real_file_copies.cpp: the real file cut once into encoded text and identifier
// slots, then written copy after copy with each copy's identifiers.
#include "bench/copies/real_file_copies.h"

#include "database/gedcom/gedcom_encode.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace {

constexpr std::int64_t kCopyOffset = 1000000;
constexpr std::size_t kFlushBytes = std::size_t(1) << 20;

struct VariantName {
    CopyVariant variant;
    const char* name;
};
constexpr VariantName kVariantNames[] = {
    {CopyVariant::Utf8Numbered, "utf8"},
    {CopyVariant::AnselNumbered, "ansel"},
    {CopyVariant::AnselTextIds, "ansel-text-ids"},
    {CopyVariant::Utf16Numbered, "utf16"},
};

GedcomCharset CharsetOf(CopyVariant variant)
{
    switch (variant) {
    case CopyVariant::AnselNumbered:
    case CopyVariant::AnselTextIds:
        return GedcomCharset::Ansel;
    case CopyVariant::Utf16Numbered:
        return GedcomCharset::Utf16Le;
    case CopyVariant::Utf8Numbered:
        break;
    }
    return GedcomCharset::Utf8;
}

/// The source's text as UTF-8, without a byte-order mark.
std::string DecodeSource(std::string_view source)
{
    const GedcomEncoding encoding = DetectGedcomEncoding(source);
    std::string text;
    if (encoding.charset == GedcomCharset::Utf16Le || encoding.charset == GedcomCharset::Utf16Be) {
        CUtf16Decoder decoder(encoding.charset == GedcomCharset::Utf16Be);
        decoder.Decode(source, text);
        decoder.Finish(text);
    } else {
        DecodeGedcomText(encoding.charset, source, text);
    }
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    return text;
}

/// UTF-8 text appended as UTF-16 little-endian code units.
void AppendUtf16(std::string_view utf8, std::string& out)
{
    auto unit = [&out](char32_t u) {
        out += char(u & 0xFF);
        out += char(u >> 8);
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        for (int k = 1; k < length && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += std::size_t(length);
        if (c >= 0x10000) {
            c -= 0x10000;
            unit(0xD800 + (c >> 10));
            unit(0xDC00 + (c & 0x3FF));
        } else {
            unit(c);
        }
    }
}

/// Text encoded in the variant's set (the source's text decodes to valid UTF-8).
void AppendEncoded(CopyVariant variant, std::string_view utf8, std::string& out)
{
    const GedcomCharset set = CharsetOf(variant);
    if (set == GedcomCharset::Utf16Le)
        AppendUtf16(utf8, out);
    else if (set == GedcomCharset::Utf8)
        out.append(utf8);
    else
        EncodeGedcomText(set, utf8, out);
}

/// Encoded text followed by an identifier (the text between the at-signs) to rewrite; the last
/// piece has none.
struct Piece {
    std::string encoded;
    std::string id;
};

/// The copy's form of an identifier: numbered ids (letters, then digits) offset by the copy,
/// every other id, and every id of the text-id variant, prefixed "Ck_".
std::string CopyId(CopyVariant variant, std::string_view id, std::int64_t copy)
{
    std::size_t digits = id.size();
    while (digits > 0 && id[digits - 1] >= '0' && id[digits - 1] <= '9')
        --digits;
    bool letters = digits < id.size() && digits <= 4;
    for (std::size_t i = 0; i < digits; ++i)
        letters &= (id[i] >= 'A' && id[i] <= 'Z') || (id[i] >= 'a' && id[i] <= 'z');
    if (variant == CopyVariant::AnselTextIds || !letters || id.size() - digits > 9)
        return "C" + std::to_string(copy) + "_" + std::string(id);
    const std::int64_t number = std::stoll(std::string(id.substr(digits))) + copy * kCopyOffset;
    return std::string(id.substr(0, digits)) + std::to_string(number);
}

/// The text between the at-signs when field is a whole cross-reference ("@I1@"), else empty.
std::string_view XrefIn(std::string_view field)
{
    if (field.size() < 3 || field.front() != '@' || field.back() != '@')
        return {};
    const std::string_view id = field.substr(1, field.size() - 2);
    if (id.find('@') != std::string_view::npos || id.front() == '#')
        return {};
    return id;
}

/// Lines cut into pieces: the text up to each cross-reference (a record's own, or a whole
/// pointer value) encoded, the identifier kept for each copy to rewrite.
class CTemplate {
public:
    explicit CTemplate(CopyVariant variant) : m_variant(variant) {}

    void AddLine(std::string_view line, std::string_view end)
    {
        ++m_lines;
        std::size_t done = 0;
        auto cut = [&](std::size_t at, std::string_view id) {
            AppendEncoded(m_variant, line.substr(done, at - done), m_pending);
            m_pieces.push_back({std::move(m_pending), std::string(id)});
            m_pending.clear();
            done = at + id.size() + 1;
        };
        const std::size_t afterLevel = line.find(' ');
        if (afterLevel != std::string_view::npos) {
            std::size_t field = afterLevel + 1;
            std::size_t fieldEnd = std::min(line.find(' ', field), line.size());
            if (const std::string_view id = XrefIn(line.substr(field, fieldEnd - field));
                !id.empty()) {
                AppendEncoded(m_variant, line.substr(done, field + 1 - done), m_pending);
                done = field + 1;
                cut(field + 1, id);
                field = fieldEnd + 1;
                fieldEnd = std::min(line.find(' ', field), line.size());
            }
            if (line.substr(0, afterLevel) == "0" && field < line.size())
                ++m_records[std::string(line.substr(field, fieldEnd - field))];
            if (fieldEnd < line.size()) {
                if (const std::string_view id = XrefIn(line.substr(fieldEnd + 1)); !id.empty()) {
                    AppendEncoded(m_variant, line.substr(done, fieldEnd + 2 - done), m_pending);
                    done = fieldEnd + 2;
                    cut(fieldEnd + 2, id);
                }
            }
        }
        AppendEncoded(m_variant, line.substr(std::min(done, line.size())), m_pending);
        AppendEncoded(m_variant, end, m_pending);
    }

    /// Ends the pieces.
    void Close() { m_pieces.push_back({std::move(m_pending), {}}); }

    /// Appends one copy.
    void AppendCopy(std::int64_t copy, std::string& out) const
    {
        for (const Piece& piece : m_pieces) {
            out += piece.encoded;
            if (!piece.id.empty()) {
                AppendEncoded(m_variant, CopyId(m_variant, piece.id, copy), out);
                AppendEncoded(m_variant, "@", out);
            }
        }
    }

    std::int64_t Lines() const { return m_lines; }
    std::int64_t Records(const std::string& tag) const
    {
        const auto found = m_records.find(tag);
        return found == m_records.end() ? 0 : found->second;
    }

private:
    CopyVariant m_variant;
    std::vector<Piece> m_pieces;
    std::string m_pending;
    std::int64_t m_lines = 0;
    std::map<std::string, std::int64_t> m_records;
};

/// The header line with its CHAR value replaced by the variant's set.
std::string WithCharset(std::string_view line, CopyVariant variant)
{
    if (!line.starts_with("1 CHAR"))
        return std::string(line);
    return std::string("1 CHAR ") + GedcomCharsetName(CharsetOf(variant));
}

} // namespace

const char* CopyVariantName(CopyVariant variant)
{
    for (const VariantName& entry : kVariantNames) {
        if (entry.variant == variant)
            return entry.name;
    }
    return "";
}

std::optional<CopyVariant> CopyVariantByName(std::string_view name)
{
    for (const VariantName& entry : kVariantNames) {
        if (name == entry.name)
            return entry.variant;
    }
    return std::nullopt;
}

CGedcomCounts WriteRealFileCopies(std::ostream& out, std::string_view source, std::int32_t copies,
                                  CopyVariant variant)
{
    const std::string text = DecodeSource(source);
    CTemplate header(variant);
    CTemplate records(variant);
    CTemplate trailer(variant);
    enum { kHeader, kRecords, kTrailer } part = kHeader;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        std::size_t next = end;
        if (next < text.size())
            next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        const std::string_view line(text.data() + at, end - at);
        const std::string_view ending(text.data() + end, next - end);
        at = next;
        if (line.empty())
            continue;
        if (line.starts_with("0 ") && part == kHeader && header.Lines() > 0)
            part = kRecords;
        if (line.starts_with("0 TRLR"))
            part = kTrailer;
        if (part == kHeader)
            header.AddLine(WithCharset(line, variant), ending);
        else
            (part == kRecords ? records : trailer).AddLine(line, ending);
    }
    header.Close();
    records.Close();
    trailer.Close();

    std::string buffer;
    if (variant == CopyVariant::Utf16Numbered)
        buffer = "\xFF\xFE";
    std::int64_t written = 0;
    auto flush = [&] {
        out.write(buffer.data(), std::streamsize(buffer.size()));
        written += std::int64_t(buffer.size());
        buffer.clear();
    };
    header.AppendCopy(0, buffer);
    for (std::int32_t copy = 0; copy < copies; ++copy) {
        records.AppendCopy(copy, buffer);
        if (buffer.size() >= kFlushBytes)
            flush();
    }
    trailer.AppendCopy(0, buffer);
    flush();

    CGedcomCounts counts;
    counts.individuals = copies * records.Records("INDI");
    counts.families = copies * records.Records("FAM");
    counts.notes = copies * records.Records("NOTE");
    counts.sources = copies * records.Records("SOUR");
    counts.repositories = copies * records.Records("REPO");
    counts.lines = header.Lines() + copies * records.Lines() + trailer.Lines();
    counts.bytes = written;
    return counts;
}

std::optional<CGedcomCounts> WriteRealFileCopiesFile(const std::string& path,
                                                     const std::string& sourcePath,
                                                     std::int32_t copies, CopyVariant variant)
{
    std::ifstream in(sourcePath, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return std::nullopt;
    const CGedcomCounts counts = WriteRealFileCopies(file, source, copies, variant);
    file.close();
    if (!file)
        return std::nullopt;
    return counts;
}
