// tests/support/pdf_text.h: what a printed PDF says, read back page by page with pdftotext, and
// its page count and size from pdfinfo (Debian package poppler-utils, installed by
// scripts/install-deps).
#pragma once

#include <string>
#include <vector>

namespace test_support {

/// The text of each page of the PDF at path, one entry a page, each page as its lines with
/// runs of white space made one space, trimmed, and blank lines left out. Empty, with the
/// reason in error, when pdftotext is missing or cannot read the file.
std::vector<std::vector<std::string>> PdfPageLines(const std::string& path, std::string& error);

/// What pdfinfo says of a PDF: its page count (-1 when pdfinfo is missing or cannot read the
/// file) and the size of its pages in points.
struct PdfInfo {
    int pages = -1;
    double width = 0, height = 0;
};
PdfInfo ReadPdfInfo(const std::string& path);

} // namespace test_support
