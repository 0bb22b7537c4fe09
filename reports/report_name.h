// reports/report_name.h: the one check that a report name, typed by the user or read from a
// report file, stays a plain file name inside its reports folder.
#pragma once

#include <string>
#include <string_view>

/// True when name can be a report file's name: not empty, no "/" or "\", no "..", no control
/// characters, none of : * ? " < > |, no blank or "." at either end, valid UTF-8, and short
/// enough for the folder to hold name + ".avr". Otherwise false with the reason in message
/// (when given), ready to show.
bool CheckReportName(std::string_view name, std::string* message = nullptr);

/// folder + "/" + name + ".avr"; empty when the folder is empty or the name fails the check.
std::string ReportFilePath(std::string_view folder, std::string_view name);
