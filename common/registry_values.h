// common/registry_values.h: typed values in registry keys: booleans as the texts "TRUE"
// and "FALSE", numbers as REG_DWORD, texts and rectangle texts as REG_SZ.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/registry.h"

#include <cstddef>
#include <string>

/// Texts are read through a room of this many bytes, the terminating zero included: a longer
/// text counts as unreadable.
inline constexpr std::size_t kRegTextSize = 500;

/// A REG_SZ equal to "TRUE" without regard to case is true, any other REG_SZ false; a missing,
/// unreadable or other-typed value gives the default.
bool RegGetBool(HKEY key, const char* name, bool defaultValue);
/// A REG_DWORD value, else the default.
DWORD RegGetDword(HKEY key, const char* name, DWORD defaultValue);
/// A REG_SZ value that fits kRegTextSize, else the default.
std::string RegGetString(HKEY key, const char* name, const std::string& defaultValue);
/// A REG_SZ rectangle text; all zero when the value is missing or unreadable.
CRect RegGetRect(HKEY key, const char* name);

/// Each returns true on success.
bool RegSetBool(HKEY key, const char* name, bool value);
bool RegSetDword(HKEY key, const char* name, DWORD value);
bool RegSetString(HKEY key, const char* name, const std::string& value);
bool RegSetRect(HKEY key, const char* name, const RECT& rect);

/// Under the file classes root, creates the key and sets its default value (no value name) or
/// its named REG_SZ value; true on success.
bool RegisterFileType(const char* key, const std::string& value, const char* valueName = nullptr);
