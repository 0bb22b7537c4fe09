// common/registry_values.cpp: typed registry values over the registry calls.
#include "common/registry_values.h"

#include "common/rect_text.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

/// The REG_SZ text of a value that fits kRegTextSize; nothing otherwise.
std::optional<std::string> QueryText(HKEY key, const char* name)
{
    BYTE data[kRegTextSize] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof data;
    if (RegQueryValueEx(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    const char* chars = reinterpret_cast<const char*>(data);
    return std::string(chars, strnlen(chars, std::min<std::size_t>(size, sizeof data)));
}

bool SetText(HKEY key, const char* name, const std::string& value)
{
    return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

} // namespace

bool RegGetBool(HKEY key, const char* name, bool defaultValue)
{
    const std::optional<std::string> value = QueryText(key, name);
    return value ? text::EqualsNoCase(*value, "TRUE") : defaultValue;
}

DWORD RegGetDword(HKEY key, const char* name, DWORD defaultValue)
{
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return defaultValue;
    return value;
}

std::string RegGetString(HKEY key, const char* name, const std::string& defaultValue)
{
    return QueryText(key, name).value_or(defaultValue);
}

CRect RegGetRect(HKEY key, const char* name)
{
    CRect rect;
    if (const std::optional<std::string> value = QueryText(key, name))
        TextToRect(*value, rect);
    return rect;
}

bool RegSetBool(HKEY key, const char* name, bool value)
{
    return SetText(key, name, value ? "TRUE" : "FALSE");
}

bool RegSetDword(HKEY key, const char* name, DWORD value)
{
    return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof value) == ERROR_SUCCESS;
}

bool RegSetString(HKEY key, const char* name, const std::string& value)
{
    return SetText(key, name, value);
}

bool RegSetRect(HKEY key, const char* name, const RECT& rect)
{
    return SetText(key, name, RectToText(rect));
}

bool RegisterFileType(const char* key, const std::string& value, const char* valueName)
{
    HKEY handle = nullptr;
    if (RegCreateKeyEx(HKEY_CLASSES_ROOT, key, 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                       &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const bool written = SetText(handle, valueName, value);
    RegCloseKey(handle);
    return written;
}
