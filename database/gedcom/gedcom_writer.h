// database/gedcom/gedcom_writer.h: the save driver: the whole data set written as a GEDCOM 5.5
// file.
#pragma once

#include "database/gedcom/gedcom_file_format.h"

#include <string>

/// Writes the data set to path: the header record first, as it was loaded except that FILE
/// names path and CHAR names the character set written when that changed (a data set without a
/// header gets a short one of its own), with the named lists of the store as its "_LIST"
/// fields; then the records of every other type in list order, families before individuals
/// with the preference "File Out Families First"; then the trailer.
/// format is the file's own: its character set is kept when every character fits in it,
/// otherwise the file is written in UTF-8 and format says so afterwards; its byte-order mark
/// and line end are kept. The file is written beside path and renamed over it only once it is
/// complete and on the device, so on failure path is left as it was, the answer is false and
/// error says why.
bool SaveGedcomFile(const std::string& path, GedcomFileFormat& format, std::string& error);
