// platform/ui/image/image_source.h: a picture file opened for reading, the guess of its type,
// the packed 24-bit picture every reader gives, and the error number of the last call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace image {

/// The error numbers of the service; 0 is success. The picture class passes them on unchanged
/// and turns them into texts for the user.
enum ImageError : unsigned {
    IMAGE_OK = 0,
    IMAGE_ERROR_MEMORY = 1,
    IMAGE_ERROR_OPEN = 2,
    IMAGE_ERROR_READ = 3,
    IMAGE_ERROR_WRITE = 4,
    IMAGE_ERROR_NO_PIXELS = 5,
    IMAGE_ERROR_BMP = 6,
    IMAGE_ERROR_UNSUPPORTED = 7,
    IMAGE_ERROR_JPEG = 9,
    IMAGE_ERROR_PNG = 15,
    IMAGE_ERROR_TIFF = 20,
    IMAGE_ERROR_PCX = 22,
    IMAGE_ERROR_FORMAT = 27,
    IMAGE_ERROR_TGA = 32,
};

/// The file types GuessFileType answers. Targa and Photoshop files are never guessed.
enum ImageFileType : int {
    IMAGE_TYPE_UNKNOWN = 0,
    IMAGE_TYPE_BMP = 1,
    IMAGE_TYPE_JPEG = 3,
    IMAGE_TYPE_PNG = 4,
    IMAGE_TYPE_PCX = 5,
    IMAGE_TYPE_TIFF = 6,
    IMAGE_TYPE_WMF = 7,
    IMAGE_TYPE_EMF = 8,
};

/// The largest picture any reader accepts: no side over 65535 pixels and no more than 2^27
/// pixels in all (384 MB of packed pixels). A file that declares more answers IMAGE_ERROR_MEMORY.
inline constexpr std::uint64_t kMaxImageSide = 65535;
inline constexpr std::uint64_t kMaxImagePixels = std::uint64_t(1) << 27;
/// Files larger than this are not opened (IMAGE_ERROR_MEMORY).
inline constexpr std::uint64_t kMaxImageFileBytes = std::uint64_t(1) << 30;

/// A decoded picture: width x height pixels of R, G, B bytes, rows top-down with no padding.
struct RgbImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

/// Makes the picture width x height pixels, zero-filled. False, with the picture empty and the
/// last error IMAGE_ERROR_MEMORY, for a size of 0, over the ceiling, or when memory runs out.
bool AllocateRgb(RgbImage& picture, std::uint64_t width, std::uint64_t height);

/// The whole content of a picture file, read once, with a read position.
class ImageSource {
public:
    /// Null, with the last error IMAGE_ERROR_OPEN, when the path is no readable regular file
    /// (a folder, a missing file); IMAGE_ERROR_MEMORY when it is too large.
    static std::unique_ptr<ImageSource> Open(const std::string& path);
    /// A source over bytes in memory (tests and fuzzing).
    static std::unique_ptr<ImageSource> FromBytes(std::vector<std::uint8_t> bytes);
    /// Nothing to release: the bytes go with the object. Kept for the callers' symmetry.
    void Close() {}

    std::span<const std::uint8_t> Bytes() const { return m_bytes; }
    std::size_t Tell() const { return m_position; }
    /// Moves the read position, clamped to the end.
    void Seek(std::size_t position);

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

/// The type that the file's first bytes announce; IMAGE_TYPE_UNKNOWN for anything else (a GIF
/// too). Never negative.
int GuessFileType(const ImageSource& source);

/// The error number of the last call of the service on this thread.
unsigned LastError();
void SetLastError(unsigned error);
/// Sets the last error and answers false: the failure path of every reader.
inline bool Fail(unsigned error)
{
    SetLastError(error);
    return false;
}

} // namespace image
