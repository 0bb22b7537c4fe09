// common/blob_encoding.cpp: the six-bit BLOB alphabet, encoding and decoding.
#include "common/blob_encoding.h"

#include <cstdint>

namespace {

constexpr unsigned char kPadding = 0xFF;

char EncodeSixBits(unsigned value)
{
    if (value < 12)
        return static_cast<char>(value + 0x2E);
    if (value < 38)
        return static_cast<char>(value + 0x35);
    return static_cast<char>(value + 0x3B);
}

/// The six-bit value of a character, -1 outside the alphabet.
int DecodeSixBits(char c)
{
    if (c >= '.' && c <= '9')
        return c - 0x2E;
    if (c >= 'A' && c <= 'Z')
        return c - 0x35;
    if (c >= 'a' && c <= 'z')
        return c - 0x3B;
    return -1;
}

void AppendGroup(std::string& out, unsigned char b0, unsigned char b1, unsigned char b2)
{
    out += EncodeSixBits(b0 & 0x3F);
    out += EncodeSixBits(((b1 & 0x0F) << 2) | (b0 >> 6));
    out += EncodeSixBits(((b2 & 0x03) << 4) | (b1 >> 4));
    out += EncodeSixBits(b2 >> 2);
}

} // namespace

std::string EncodeBlob(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() / 3 + 1) * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3)
        AppendGroup(out, static_cast<unsigned char>(bytes[i]),
                    static_cast<unsigned char>(bytes[i + 1]),
                    static_cast<unsigned char>(bytes[i + 2]));
    unsigned char last[3] = {kPadding, kPadding, kPadding};
    for (std::size_t k = 0; i + k < bytes.size(); ++k)
        last[k] = static_cast<unsigned char>(bytes[i + k]);
    AppendGroup(out, last[0], last[1], last[2]);
    return out;
}

std::optional<std::string> DecodeBlob(std::string_view text)
{
    const std::size_t groups = text.size() / 4;
    std::string bytes;
    bytes.reserve(groups * 3);
    for (std::size_t g = 0; g < groups; ++g) {
        int v[4];
        for (int k = 0; k < 4; ++k) {
            v[k] = DecodeSixBits(text[g * 4 + k]);
            if (v[k] < 0)
                return std::nullopt;
        }
        bytes += static_cast<char>(v[0] | ((v[1] & 0x03) << 6));
        bytes += static_cast<char>((v[1] >> 2) | ((v[2] & 0x0F) << 4));
        bytes += static_cast<char>((v[2] >> 4) | (v[3] << 2));
    }
    const std::size_t finalGroup = bytes.size() >= 3 ? bytes.size() - 3 : 0;
    while (bytes.size() > finalGroup && static_cast<unsigned char>(bytes.back()) == kPadding)
        bytes.pop_back();
    return bytes;
}
