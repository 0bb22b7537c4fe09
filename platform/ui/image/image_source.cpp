// platform/ui/image/image_source.cpp: a picture file opened for reading, the guess of its type, the
// packed 24-bit picture every reader gives, and the error number of the last call.
#include "platform/ui/image/image_source.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <string_view>

namespace image {

namespace {

thread_local unsigned t_lastError = IMAGE_OK;

bool Starts(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view signature)
{
    if (bytes.size() < offset + signature.size())
        return false;
    for (std::size_t i = 0; i < signature.size(); ++i) {
        if (bytes[offset + i] != static_cast<std::uint8_t>(signature[i]))
            return false;
    }
    return true;
}

} // namespace

unsigned LastError()
{
    return t_lastError;
}

void SetLastError(unsigned error)
{
    t_lastError = error;
}

bool AllocateRgb(RgbImage& picture, std::uint64_t width, std::uint64_t height)
{
    picture = RgbImage();
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide ||
        width * height > kMaxImagePixels) {
        SetLastError(IMAGE_ERROR_MEMORY);
        return false;
    }
    try {
        picture.pixels.assign(width * height * 3, 0);
    } catch (const std::bad_alloc&) {
        SetLastError(IMAGE_ERROR_MEMORY);
        return false;
    }
    picture.width = static_cast<std::uint32_t>(width);
    picture.height = static_cast<std::uint32_t>(height);
    return true;
}

std::unique_ptr<ImageSource> ImageSource::Open(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        SetLastError(IMAGE_ERROR_OPEN);
        return nullptr;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        SetLastError(IMAGE_ERROR_OPEN);
        return nullptr;
    }
    if (size > kMaxImageFileBytes) {
        SetLastError(IMAGE_ERROR_MEMORY);
        return nullptr;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        SetLastError(IMAGE_ERROR_OPEN);
        return nullptr;
    }
    auto source = std::make_unique<ImageSource>();
    try {
        source->m_bytes.resize(size);
    } catch (const std::bad_alloc&) {
        SetLastError(IMAGE_ERROR_MEMORY);
        return nullptr;
    }
    file.read(reinterpret_cast<char*>(source->m_bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(file.gcount()) != size) {
        SetLastError(IMAGE_ERROR_READ);
        return nullptr;
    }
    SetLastError(IMAGE_OK);
    return source;
}

std::unique_ptr<ImageSource> ImageSource::FromBytes(std::vector<std::uint8_t> bytes)
{
    auto source = std::make_unique<ImageSource>();
    source->m_bytes = std::move(bytes);
    return source;
}

void ImageSource::Seek(std::size_t position)
{
    m_position = std::min(position, m_bytes.size());
}

int GuessFileType(const ImageSource& source)
{
    using namespace std::string_view_literals;
    const std::span<const std::uint8_t> bytes = source.Bytes();
    if (Starts(bytes, 0, "\x89PNG\r\n\x1a\n"sv))
        return IMAGE_TYPE_PNG;
    if (Starts(bytes, 0, "\xFF\xD8\xFF"sv))
        return IMAGE_TYPE_JPEG;
    if (Starts(bytes, 0, "BM"sv))
        return IMAGE_TYPE_BMP;
    if (Starts(bytes, 0, "II*\0"sv) || Starts(bytes, 0, "MM\0*"sv))
        return IMAGE_TYPE_TIFF;
    if (Starts(bytes, 0, "\xD7\xCD\xC6\x9A"sv) || Starts(bytes, 0, "\x01\0\x09\0\0\x03"sv) ||
        Starts(bytes, 0, "\x02\0\x09\0\0\x03"sv))
        return IMAGE_TYPE_WMF;
    if (Starts(bytes, 0, "\x01\0\0\0"sv) && Starts(bytes, 40, " EMF"sv))
        return IMAGE_TYPE_EMF;
    if (bytes.size() >= 128 && bytes[0] == 0x0A && bytes[1] <= 5 && bytes[2] == 1)
        return IMAGE_TYPE_PCX;
    return IMAGE_TYPE_UNKNOWN;
}

} // namespace image
