// tests/support/pdf_text.h: what a printed PDF says, read back page by page with pdftotext
// (Debian package poppler-utils, installed by scripts/install-deps).
#pragma once

#include <string>
#include <vector>

namespace test_support {

/// The text of each page of the PDF at path, one entry a page, each page as its lines with
/// runs of white space made one space, trimmed, and blank lines left out. Empty, with the
/// reason in error, when pdftotext is missing or cannot read the file.
std::vector<std::vector<std::string>> PdfPageLines(const std::string& path, std::string& error);

} // namespace test_support
