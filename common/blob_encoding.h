// common/blob_encoding.h: the GEDCOM 5.5 six-bit encoding of binary data in BLOB lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The BLOB text of bytes: each group of three bytes becomes four characters of the alphabet
/// "./0-9A-Za-z" (six bits each, low bits first). The text always ends with one final group that
/// holds the remaining 0, 1 or 2 bytes padded to three with 0xFF, so a length that is a multiple
/// of three ends with "zzzz". The caller cuts the text into BLOB and CONT lines.
std::string EncodeBlob(std::string_view bytes);

/// The bytes of a BLOB text, decoded from its whole groups of four characters (a trailing part
/// shorter than four characters is ignored); nullopt when a character of a decoded group lies
/// outside the alphabet. Fewer than four characters give an empty result.
///
/// The 0xFF bytes at the end of the final group are padding and are dropped, so content encoded
/// by EncodeBlob comes back exactly and a second encode and decode changes nothing. The padding
/// cannot be told apart from content that itself ends in 0xFF within its last, incomplete group
/// of three: content whose length is not a multiple of three loses the 0xFF bytes (one or two)
/// at its very end that lie in that incomplete group; every other byte is kept. Content whose
/// length is a multiple of three is always kept whole, whatever its last bytes are.
std::optional<std::string> DecodeBlob(std::string_view text);
