// tests/support/pdf_text.cpp: runs pdftotext on a PDF, keeping the layout, and splits its output
// into pages at the form feed that ends each page; reads pdfinfo's page count and size.
#include "tests/support/pdf_text.h"

#include "tests/support/test_support.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace test_support {
namespace {

/// The line with each run of white space made one space, and none at either end.
std::string Squeezed(const std::string& line)
{
    std::string out;
    bool space = false;
    for (const char c : line) {
        if (c == ' ' || c == '\t' || c == '\r') {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += c;
    }
    return out;
}

} // namespace

std::vector<std::vector<std::string>> PdfPageLines(const std::string& path, std::string& error)
{
    const std::string textPath = path + ".txt";
    std::string layout = "-layout", encoding = "-enc", utf8 = "UTF-8", program = "pdftotext";
    std::string input = path, output = textPath;
    char* arguments[] = {program.data(), layout.data(), encoding.data(), utf8.data(),
                         input.data(),   output.data(), nullptr};
    pid_t child = 0;
    if (const int failed =
            posix_spawnp(&child, "pdftotext", nullptr, nullptr, arguments, environ)) {
        error = "cannot run pdftotext (install poppler-utils: scripts/install-deps): " +
                std::string(std::strerror(failed));
        return {};
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "pdftotext could not read " + path +
                (WIFEXITED(status) && WEXITSTATUS(status) == 127 ? " (pdftotext missing)" : "");
        return {};
    }
    const std::string text = ReadFile(textPath);
    // Every page ends with a form feed, the last one too.
    std::vector<std::vector<std::string>> pages;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string>& lines = pages.emplace_back();
        std::size_t from = start;
        while (from < end) {
            std::size_t stop = text.find('\n', from);
            if (stop == std::string::npos || stop > end)
                stop = end;
            if (std::string line = Squeezed(text.substr(from, stop - from)); !line.empty())
                lines.push_back(std::move(line));
            from = stop + 1;
        }
    }
    return pages;
}

PdfInfo ReadPdfInfo(const std::string& path)
{
    PdfInfo info;
    FILE* pipe = popen(("pdfinfo '" + path + "' 2>/dev/null").c_str(), "r");
    if (!pipe)
        return info;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::sscanf(line, "Pages: %d", &info.pages);
        std::sscanf(line, "Page size: %lf x %lf", &info.width, &info.height);
    }
    pclose(pipe);
    return info;
}

} // namespace test_support
