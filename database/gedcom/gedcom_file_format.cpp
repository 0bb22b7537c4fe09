// database/gedcom/gedcom_file_format.cpp: finding the line end of a GEDCOM file.
#include "database/gedcom/gedcom_file_format.h"

#include "platform/base/file.h"

#include <vector>

namespace {

constexpr UINT kSampleBytes = 1u << 16;

/// The characters of the sample as code units: bytes, or UTF-16 units read in the file's order.
std::vector<char32_t> Units(std::string_view bytes, GedcomCharset set)
{
    std::vector<char32_t> units;
    if (set != GedcomCharset::Utf16Le && set != GedcomCharset::Utf16Be) {
        units.assign(bytes.begin(), bytes.end());
        return units;
    }
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(set == GedcomCharset::Utf16Le ? first | (second << 8)
                                                      : (first << 8) | second);
    }
    return units;
}

} // namespace

std::string DetectGedcomLineEnd(const std::string& path, const GedcomEncoding& encoding)
{
    CFile file;
    std::string bytes(kSampleBytes, '\0');
    UINT got = 0;
    try {
        if (!file.Open(path, CFile::modeRead | CFile::typeBinary))
            return "\r\n";
        got = file.Read(bytes.data(), kSampleBytes);
    } catch (const CFileException&) {
        return "\r\n";
    }
    const std::vector<char32_t> units =
        Units(std::string_view(bytes).substr(0, got), encoding.charset);
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i] != '\r' && units[i] != '\n')
            continue;
        const char32_t next = i + 1 < units.size() ? units[i + 1] : 0;
        if (units[i] == '\r')
            return next == '\n' ? "\r\n" : "\r";
        return next == '\r' ? "\n\r" : "\n";
    }
    return "\r\n";
}
