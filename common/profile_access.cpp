// common/profile_access.cpp: one call for INI files and the profile.
#include "common/profile_access.h"

#include "platform/base/app_profile.h"
#include "platform/base/private_profile.h"
#include "platform/base/text.h"

bool WriteProfileIntEx(CAppProfile* application, const std::string& file, const char* section,
                       const char* key, int value)
{
    if (!application)
        return WritePrivateProfileString(section, key, std::to_string(value).c_str(),
                                         file.c_str()) != FALSE;
    return application->WriteProfileInt(section, key, value) != FALSE;
}

bool WriteProfileStringEx(CAppProfile* application, const std::string& file, const char* section,
                          const char* key, const std::string& value)
{
    if (!application)
        return WritePrivateProfileString(section, key, value.c_str(), file.c_str()) != FALSE;
    return application->WriteProfileString(section, key, value.c_str()) != FALSE;
}

std::string GetProfileStringEx(CAppProfile* application, const std::string& file,
                               const char* section, const char* key,
                               const std::string& defaultValue, std::size_t size)
{
    if (size == 0)
        return {};
    if (!application) {
        std::string value =
            GetPrivateProfileString(section, key, defaultValue.c_str(), file.c_str());
        value.resize(text::Utf8Boundary(value, size - 1));
        return value;
    }
    std::string value = application->GetProfileString(section, key, defaultValue.c_str());
    if (value.size() < size)
        return value;
    if (defaultValue.size() < size)
        return defaultValue;
    return {};
}
