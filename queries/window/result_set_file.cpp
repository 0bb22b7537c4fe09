// queries/window/result_set_file.cpp: writing a result set as a delimited text file.
#include "queries/window/result_set_file.h"

#include "platform/base/exceptions.h"
#include "platform/base/safe_file.h"

std::string QuoteResultCell(std::string_view cell, char separator)
{
    if (cell.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos)
        return std::string(cell);
    std::string quoted;
    quoted.reserve(cell.size() + 2);
    quoted += '"';
    for (char c : cell) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void AppendResultLine(std::string& out, const std::vector<std::string>& cells, char separator)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i)
            out += separator;
        out += QuoteResultCell(cells[i], separator);
    }
    out += "\r\n";
}

bool WriteResultSetFile(const std::string& path, bool headings, int separator,
                        const std::vector<std::string>& titles, int rows,
                        const ResultRowCells& cellsOf)
{
    const char split = separator == kResultSeparatorComma ? ',' : '\t';
    CSafeFile file;
    if (!file.OpenBeside(path))
        return false;
    try {
        std::string chunk;
        const auto flush = [&](std::size_t least) {
            if (chunk.size() < least)
                return;
            file.Write(chunk.data(), UINT(chunk.size()));
            chunk.clear();
        };
        if (headings)
            AppendResultLine(chunk, titles, split);
        std::vector<std::string> cells;
        for (int row = 0; row < rows; ++row) {
            cells.clear();
            cellsOf(row, cells);
            AppendResultLine(chunk, cells, split);
            flush(1 << 20);
        }
        flush(1);
    } catch (const CFileException&) {
        file.Discard();
        return false;
    }
    return file.Commit();
}
