// tests/reports/export_checks.h: reading exported reports back: a command line's output (tidy,
// unrtf, pdfinfo), white space squeezed, and whether an RTF text's groups balance.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace rpt_test {

struct ToolRun {
    int status = -1;
    std::string output;
};

/// Runs a command line and collects its standard output; status -1 when it could not run.
inline ToolRun RunTool(const std::string& command)
{
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, read);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

/// Runs of white space made one blank.
inline std::string Squeezed(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    return out;
}

/// Whether an RTF text's groups close in order and all close at its end (escaped braces and
/// the escape of a backslash left out).
inline bool RtfGroupsBalanced(const std::string& rtf)
{
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

} // namespace rpt_test
