// common/profile_access.h: values kept either in a named private INI file or in the
// application's per-user profile.
#pragma once

#include <cstddef>
#include <string>

class CAppProfile;

/// With no application, the value goes to the private INI file named by file; with one, to its
/// profile. True on success.
bool WriteProfileIntEx(CAppProfile* application, const std::string& file, const char* section,
                       const char* key, int value);
bool WriteProfileStringEx(CAppProfile* application, const std::string& file, const char* section,
                          const char* key, const std::string& value);
/// Reads a value into a caller's room of size bytes (a terminating zero included).
/// - From the private INI file (no application): the value, or the default when it is missing,
///   cut to size - 1 bytes without cutting a character.
/// - From the profile: the value when it is shorter than size, else the default when that is
///   shorter than size, else empty.
std::string GetProfileStringEx(CAppProfile* application, const std::string& file,
                               const char* section, const char* key,
                               const std::string& defaultValue, std::size_t size);
