// database/gedcom_line_sink.cpp: GEDCOM lines into the buffered file.
#include "database/gedcom_line_sink.h"

#include "database/buffered_file.h"

bool WriteGedcomLine(std::string_view line, std::string_view value)
{
    if (!WriteGedcomOutput(line))
        return false;
    for (std::size_t at = value.find('@'); at != std::string_view::npos; at = value.find('@')) {
        if (!WriteGedcomOutput(value.substr(0, at + 1)) || !WriteGedcomOutput("@"))
            return false;
        value.remove_prefix(at + 1);
    }
    return WriteGedcomOutput(value) && WriteGedcomOutput("\r\n");
}
