// platform/ui/windows/command_line.cpp: switches out, the rest joined into the file name.
#include "platform/ui/windows/command_line.h"

#include "platform/base/text.h"

void CCommandLineInfo::Parse(const std::vector<std::string>& arguments)
{
    std::string file;
    bool switchesEnded = false;
    for (const std::string& argument : arguments) {
        if (!switchesEnded && argument == "--") {
            switchesEnded = true;
            continue;
        }
        if (!switchesEnded && argument.starts_with("-")) {
            if (text::EqualsNoCase(argument, "-nosplash") ||
                text::EqualsNoCase(argument, "--nosplash"))
                m_bShowSplash = false;
            continue;
        }
        if (!file.empty())
            file += ' ';
        file += argument;
    }
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"')
        file = file.substr(1, file.size() - 2);
    m_strFileName = file;
}
