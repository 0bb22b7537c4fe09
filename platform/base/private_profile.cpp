// platform/base/private_profile.cpp: private INI files read and written through CIniFile.
#include "platform/base/private_profile.h"

#include "platform/base/ini_file.h"
#include "platform/base/paths.h"
#include "platform/base/text.h"

#include <cstring>
#include <optional>

namespace {

/// The file's value, or nothing when the file, section or key is missing or unreadable. A name
/// without a folder is relative to the current folder.
std::optional<std::string> ReadValue(const char* section, const char* key, const char* file)
{
    if (!section || !key || !file)
        return std::nullopt;
    CIniFile ini;
    if (!ini.Load(paths::ToNative(file)))
        return std::nullopt;
    return ini.Get(section, key);
}

} // namespace

DWORD GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                              char* buffer, DWORD size, const char* file)
{
    if (!buffer || size == 0)
        return 0;
    const std::string value = GetPrivateProfileString(section, key, defaultValue, file);
    // Cut at a character boundary, so the copy stays valid UTF-8.
    const std::size_t count = text::Utf8Boundary(value, size - 1);
    std::memcpy(buffer, value.data(), count);
    buffer[count] = '\0';
    return static_cast<DWORD>(count);
}

std::string GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                    const char* file)
{
    if (auto value = ReadValue(section, key, file))
        return *value;
    return defaultValue ? defaultValue : "";
}

UINT GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* file)
{
    const auto value = ReadValue(section, key, file);
    if (!value || value->empty())
        return static_cast<UINT>(defaultValue);
    return static_cast<UINT>(text::ParseLeadingInt(*value));
}

BOOL WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file)
{
    if (!section || !file)
        return FALSE;
    const std::string path = paths::ToNative(file);
    CIniFile ini;
    if (!ini.Load(path))
        return FALSE;
    if (!key)
        ini.DeleteSection(section);
    else if (!value)
        ini.DeleteKey(section, key);
    else if (!ini.Set(section, key, value))
        return FALSE;
    return !ini.IsModified() || ini.Save(path) ? TRUE : FALSE;
}
