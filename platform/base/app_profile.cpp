// platform/base/app_profile.cpp: the application profile over the per-user registry root.
#include "platform/base/app_profile.h"

#include "platform/base/registry.h"
#include "platform/base/text.h"

#include <cstring>
#include <optional>
#include <utility>

namespace {

/// The text of a REG_SZ entry, without its terminating zero.
std::string TextOf(const RegStoredValue& stored)
{
    return stored.bytes.substr(0, stored.bytes.find('\0'));
}

BOOL SetValue(const std::string& keyPath, const char* entry, DWORD type, const BYTE* data,
              DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, "", REG_OPTION_NON_VOLATILE,
                       KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const bool set = RegSetValueEx(key, entry, 0, type, data, size) == ERROR_SUCCESS;
    const bool written = RegCloseKey(key) == ERROR_SUCCESS;
    return set && written ? TRUE : FALSE;
}

/// Removes the entry; an entry or section that is already missing counts as removed.
BOOL DeleteValue(const std::string& keyPath, const char* entry)
{
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_WRITE, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return TRUE;
    if (opened != ERROR_SUCCESS)
        return FALSE;
    const LONG deleted = RegDeleteValue(key, entry);
    const bool written = RegCloseKey(key) == ERROR_SUCCESS;
    return (deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND) && written ? TRUE : FALSE;
}

} // namespace

CAppProfile::CAppProfile(std::string maker, std::string application)
    : m_maker(std::move(maker)), m_application(std::move(application))
{
}

UINT CAppProfile::GetProfileInt(const char* section, const char* entry, int defaultValue) const
{
    const auto stored = section && entry ? RegReadUserValue(KeyPath(section), entry) : std::nullopt;
    if (stored && stored->type == REG_DWORD && stored->bytes.size() == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, stored->bytes.data(), sizeof value);
        return value;
    }
    if (stored && stored->type == REG_SZ) {
        std::size_t used = 0;
        const long value = text::ParseLeadingInt(TextOf(*stored), &used);
        if (used > 0)
            return static_cast<UINT>(value);
    }
    return static_cast<UINT>(defaultValue);
}

std::string CAppProfile::GetProfileString(const char* section, const char* entry,
                                          const char* defaultValue) const
{
    const auto stored = section && entry ? RegReadUserValue(KeyPath(section), entry) : std::nullopt;
    if (stored && stored->type == REG_SZ)
        return TextOf(*stored);
    return defaultValue ? defaultValue : "";
}

BOOL CAppProfile::WriteProfileInt(const char* section, const char* entry, int value)
{
    if (!section || !entry)
        return FALSE;
    const DWORD dword = static_cast<DWORD>(value);
    return SetValue(KeyPath(section), entry, REG_DWORD, reinterpret_cast<const BYTE*>(&dword),
                    sizeof dword);
}

BOOL CAppProfile::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (!section)
        return FALSE;
    if (!entry) {
        const LONG deleted = RegDeleteKey(HKEY_CURRENT_USER, KeyPath(section).c_str());
        return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND ? TRUE : FALSE;
    }
    if (!value)
        return DeleteValue(KeyPath(section), entry);
    return SetValue(KeyPath(section), entry, REG_SZ, reinterpret_cast<const BYTE*>(value),
                    static_cast<DWORD>(std::strlen(value) + 1));
}

std::string CAppProfile::KeyPath(const char* section) const
{
    return "Software\\" + m_maker + "\\" + m_application + "\\" + section;
}
