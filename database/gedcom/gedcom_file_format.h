// database/gedcom/gedcom_file_format.h: how a GEDCOM file's bytes are laid out: its character set,
// byte-order mark and line end, found when it is read and kept when it is written back.
#pragma once

#include "database/gedcom/gedcom_charset.h"

#include <string>

/// What a save keeps of the file the data set was read from. New files are UTF-8 without a
/// byte-order mark, with CR LF line ends.
struct GedcomFileFormat {
    GedcomEncoding encoding;
    /// One of "\r\n", "\n", "\r" and "\n\r".
    std::string lineEnd = "\r\n";

    bool operator==(const GedcomFileFormat&) const = default;
};

/// The line end of the file at path, read in encoding: the end of its first line that has one;
/// CR LF when no line end is found in its first 64 KiB or the file cannot be read.
std::string DetectGedcomLineEnd(const std::string& path, const GedcomEncoding& encoding);
