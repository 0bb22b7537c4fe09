// database/multimedia/media_type.h: what kind of file a multimedia object holds: picture formats
// guessed from a file, and the type names of other multimedia.
#pragma once

#include <string>
#include <string_view>

/// The picture format of a file (a PictureFormat code): from its first bytes when they carry a
/// known signature, else from its extension; 0 when neither tells.
int GuessPictureFormat(const std::string& path);
/// The picture format that a file's first bytes announce; 0 for none (GIF is no picture here).
int PictureFormatFromSignature(std::string_view head);
/// The extension of the file name that ends a path (after its last "."; a "." in a folder name
/// does not count), trimmed; empty when the name has none.
std::string FileExtension(std::string_view path);
/// The type name of other multimedia from its type (a format word or an extension), compared in
/// upper case: "AVI", "MPG" and "MPEG" give "Video", "GIF" "GIF Picture", "WAV" "Sound", "DOC",
/// "TXT", "RTF", "WRI" and "PDF" "Document"; anything else "Other Multimedia (TYPE)".
std::string OtherMediaTypeName(std::string_view type);
