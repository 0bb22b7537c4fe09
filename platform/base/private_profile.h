// platform/base/private_profile.h: values in named private INI files (report and diagram
// definitions), readable by other programs.
#pragma once

#include "platform/base/types.h"

#include <string>

/// Copies the value (or the default when the file, section or key is missing) into buffer, cut to
/// size - 1 bytes and zero-terminated; returns the number of bytes copied. Sections and keys are
/// case-blind, the first match wins, values are trimmed and a matched pair of quotes stripped.
DWORD GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                              char* buffer, DWORD size, const char* file);
std::string GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                    const char* file);
/// The value's leading integer; the default when the key is missing.
UINT GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* file);
/// A null value deletes the key; a null key deletes the section. The file keeps its other lines,
/// comments and order, and is written beside and renamed.
BOOL WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file);
