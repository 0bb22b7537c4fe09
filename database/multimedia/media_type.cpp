// database/multimedia/media_type.cpp: what kind of file a multimedia object holds: picture formats
// guessed from a file, and the type names of other multimedia.
#include "database/multimedia/media_type.h"

#include "database/multimedia/picture_format.h"
#include "platform/base/text.h"

#include <array>
#include <fstream>

namespace {

struct TypeName {
    std::string_view type;
    std::string_view name;
};

constexpr TypeName kTypeNames[] = {
    {"AVI", "Video"},    {"MPG", "Video"},    {"MPEG", "Video"},   {"GIF", "GIF Picture"},
    {"WAV", "Sound"},    {"DOC", "Document"}, {"TXT", "Document"}, {"RTF", "Document"},
    {"WRI", "Document"}, {"PDF", "Document"},
};

struct Signature {
    int format;
    std::size_t offset;
    std::string_view bytes;
};

using namespace std::string_view_literals;

constexpr Signature kSignatures[] = {
    {PICTURE_FORMAT_PNG, 0, "\x89PNG\r\n\x1a\n"sv},
    {PICTURE_FORMAT_JPEG, 0, "\xFF\xD8\xFF"sv},
    {PICTURE_FORMAT_BMP, 0, "BM"sv},
    {PICTURE_FORMAT_TIFF, 0, "II*\0"sv},
    {PICTURE_FORMAT_TIFF, 0, "MM\0*"sv},
    {PICTURE_FORMAT_PSD, 0, "8BPS"sv},
    {PICTURE_FORMAT_WMF, 0, "\xD7\xCD\xC6\x9A"sv},
    {PICTURE_FORMAT_WMF, 0, "\x01\0\x09\0\0\x03"sv},
    {PICTURE_FORMAT_WMF, 0, "\x02\0\x09\0\0\x03"sv},
    {PICTURE_FORMAT_EMF, 40, " EMF"sv},
};

// The first bytes read to guess a format.
constexpr std::size_t kHeadSize = 64;

bool IsPcxHead(std::string_view head)
{
    return head.size() >= 4 && head[0] == '\x0A' && static_cast<unsigned char>(head[1]) <= 5 &&
           head[2] == '\x01';
}

} // namespace

int PictureFormatFromSignature(std::string_view head)
{
    for (const Signature& row : kSignatures) {
        if (head.size() >= row.offset + row.bytes.size() &&
            head.substr(row.offset, row.bytes.size()) == row.bytes)
            return row.format;
    }
    return IsPcxHead(head) ? PICTURE_FORMAT_PCX : PICTURE_FORMAT_NONE;
}

int GuessPictureFormat(const std::string& path)
{
    std::array<char, kHeadSize> head{};
    std::ifstream file(path, std::ios::binary);
    file.read(head.data(), head.size());
    const int format = PictureFormatFromSignature(std::string_view(head.data(), file.gcount()));
    return format != PICTURE_FORMAT_NONE ? format : PictureFormatFromExtension(path);
}

std::string FileExtension(std::string_view path)
{
    const std::size_t nameStart = path.find_last_of("/\\");
    const std::string_view name =
        nameStart == std::string_view::npos ? path : path.substr(nameStart + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : text::Trim(name.substr(dot + 1));
}

std::string OtherMediaTypeName(std::string_view type)
{
    const std::string upper = text::ToUpper(type);
    for (const TypeName& row : kTypeNames) {
        if (row.type == upper)
            return std::string(row.name);
    }
    return "Other Multimedia (" + upper + ")";
}
