// queries/window/result_set_file.h: the text file a result set is saved to: UTF-8, an optional
// line of headings, a line per row, cells split by a tab or a comma, CR LF line ends.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// The separators the save dialog offers, by the index of its choice.
enum ResultSetSeparator : int { kResultSeparatorTab = 0, kResultSeparatorComma = 1 };

/// The cell as the file holds it: a cell holding the separator, a double quote or a line break
/// is put in double quotes with each quote doubled, so that both separators read back whole.
std::string QuoteResultCell(std::string_view cell, char separator);

/// Appends the cells as one line ending in CR LF.
void AppendResultLine(std::string& out, const std::vector<std::string>& cells, char separator);

/// Gives the cells of one row, in column order.
using ResultRowCells = std::function<void(int row, std::vector<std::string>& cells)>;

/// Writes the file: the titles first when headings is set, then rows lines. It is written
/// beside path and renamed over it only when complete, so a failure (a full disk) leaves no
/// half file and whatever was at path untouched. False on failure.
bool WriteResultSetFile(const std::string& path, bool headings, int separator,
                        const std::vector<std::string>& titles, int rows,
                        const ResultRowCells& cellsOf);
