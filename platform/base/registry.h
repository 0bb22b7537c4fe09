// platform/base/registry.h: a typed store of values in keys, kept in one INI file per root under
// the user's configuration folder; the calls mirror the classic registry calls.
#pragma once

#include "platform/base/types.h"

#include <optional>
#include <string>

struct RegKeyHandle;
using HKEY = RegKeyHandle*;
using REGSAM = DWORD;

/// The three roots: the program's machine-wide settings (per user on Linux: machine.ini), the
/// per-user profile (user.ini) and the file classes (classes.ini).
extern HKEY const HKEY_LOCAL_MACHINE;
extern HKEY const HKEY_CURRENT_USER;
extern HKEY const HKEY_CLASSES_ROOT;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001, KEY_SET_VALUE = 0x0002,
                        KEY_CREATE_SUB_KEY = 0x0004, KEY_ENUMERATE_SUB_KEYS = 0x0008,
                        KEY_READ = 0x20019, KEY_WRITE = 0x20006, KEY_ALL_ACCESS = 0xF003F;
inline constexpr DWORD REG_NONE = 0, REG_SZ = 1, REG_DWORD = 4;
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1, REG_OPENED_EXISTING_KEY = 2;

inline constexpr LONG ERROR_SUCCESS = 0, ERROR_FILE_NOT_FOUND = 2, ERROR_ACCESS_DENIED = 5,
                      ERROR_INVALID_HANDLE = 6, ERROR_INVALID_PARAMETER = 87, ERROR_MORE_DATA = 234,
                      ERROR_NO_MORE_ITEMS = 259;

/// Opens an existing key below root ("A\B\C", case-blind); ERROR_FILE_NOT_FOUND when missing.
LONG RegOpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result);
/// Opens or creates the key (and the keys above it); disposition may be null.
LONG RegCreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass,
                    DWORD options, REGSAM access, void* security, HKEY* result, DWORD* disposition);
/// Reads a value: type and size always reported; data copied when given and large enough, else
/// ERROR_MORE_DATA. REG_SZ sizes count the terminating zero; REG_DWORD is 4 bytes. A null or
/// empty name is the key's default value.
LONG RegQueryValueEx(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data,
                     DWORD* size);
/// Writes a value; REG_SZ data is taken up to its first zero byte (or size bytes).
LONG RegSetValueEx(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data,
                   DWORD size);
LONG RegDeleteValue(HKEY key, const char* name);
/// Deletes a key that has no subkeys.
LONG RegDeleteKey(HKEY root, const char* subKey);
/// The name of the index-th subkey (in the order they were created), ERROR_NO_MORE_ITEMS past the
/// end.
LONG RegEnumKey(HKEY key, DWORD index, std::string& name);
/// Closing writes the root's file when the key changed it.
LONG RegCloseKey(HKEY key);

/// An entry's type and bytes as stored.
struct RegStoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
};
/// The entry name under HKEY_CURRENT_USER\keyPath; nothing when the key or the entry is missing.
std::optional<RegStoredValue> RegReadUserValue(const std::string& keyPath, const char* name);

/// Test seam: while set, creating keys and writing or deleting values fail with
/// ERROR_ACCESS_DENIED, as on a system where the settings cannot be written.
void RegSetDenyWrites(bool deny);
/// Forgets every value held in memory, so the next call reads the files again (tests that change
/// XDG_CONFIG_HOME call it).
void RegReset();
