// templates/settings_store.cpp: settings read from and written to an INI file or the profile.
#include "templates/settings_store.h"

#include "common/sentence_text.h"
#include "platform/base/app_profile.h"
#include "platform/base/ini_file.h"
#include "platform/base/paths.h"
#include "platform/base/registry.h"
#include "platform/base/text.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <map>

namespace {

std::string KeyPath(const CAppProfile& profile, std::string_view section)
{
    return "Software\\" + profile.Maker() + "\\" + profile.Application() + "\\" +
           std::string(section);
}

/// True when the file exists and nobody may write it.
bool IsReadOnlyFile(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        return false;
    using std::filesystem::perms;
    return (status.permissions() &
            (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

int ToInt(long value)
{
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : int(value);
}

} // namespace

CSettingsStore::CSettingsStore(std::string path)
    : m_path(std::move(path)), m_ini(std::make_unique<CIniFile>())
{
    m_readable = m_ini->Load(m_path);
}

CSettingsStore::CSettingsStore(CAppProfile& profile) : m_profile(&profile) {}

CSettingsStore::~CSettingsStore() = default;

std::optional<std::string> CSettingsStore::ReadText(std::string_view section,
                                                    std::string_view key) const
{
    if (m_ini)
        return m_ini->Get(section, key);
    const auto stored = RegReadUserValue(KeyPath(*m_profile, section), std::string(key).c_str());
    if (!stored)
        return std::nullopt;
    if (stored->type == REG_DWORD && stored->bytes.size() == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, stored->bytes.data(), sizeof value);
        return std::to_string(int(value));
    }
    if (stored->type == REG_SZ)
        return stored->bytes.substr(0, stored->bytes.find('\0'));
    return std::nullopt;
}

int CSettingsStore::ReadInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto value = ReadText(section, key);
    if (!value)
        return defaultValue;
    std::size_t used = 0;
    const long number = text::ParseLeadingInt(*value, &used);
    return used > 0 ? ToInt(number) : defaultValue;
}

std::string CSettingsStore::ReadString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue) const
{
    const auto value = ReadText(section, key);
    return value ? *value : std::string(defaultValue);
}

void CSettingsStore::WriteInt(std::string_view section, std::string_view key, int value)
{
    m_writes.push_back(
        {std::string(section), std::string(key), std::to_string(value), true, value});
}

void CSettingsStore::WriteString(std::string_view section, std::string_view key,
                                 std::string_view value)
{
    m_writes.push_back({std::string(section), std::string(key), std::string(value), false, 0});
}

void CSettingsStore::DeleteKey(std::string_view section, std::string_view key)
{
    m_writes.push_back({std::string(section), std::string(key), std::nullopt, false, 0});
}

bool CSettingsStore::Commit()
{
    m_failure.clear();
    const bool written = m_ini ? CommitFile() : CommitProfile();
    m_writes.clear();
    return written;
}

std::string CSettingsStore::FailureText() const
{
    if (!IsFile())
        return "Unable to save settings";
    std::string reason = m_failure.empty() ? "The file could not be written." : m_failure;
    EnsureFinalStop(reason);
    return "Unable to save settings in file " + m_path + ".  " + reason;
}

std::optional<std::string> CSettingsStore::GatheredText(std::string* failure) const
{
    CIniFile fresh;
    std::string reason;
    if (ApplyWrites(fresh, reason))
        return fresh.Text();
    if (failure)
        *failure = reason;
    return std::nullopt;
}

bool CSettingsStore::ApplyWrites(CIniFile& ini, std::string& failure) const
{
    for (const Write& write : m_writes) {
        if (!write.text) {
            ini.DeleteKey(write.section, write.key);
        } else if (!ini.Set(write.section, write.key, *write.text)) {
            failure = CIniFile::Unwritable(write.section, write.key, *write.text);
            return false;
        }
    }
    return true;
}

bool CSettingsStore::CommitFile()
{
    if (!m_readable) {
        m_failure = "The file cannot be read, so it is not replaced.";
        return false;
    }
    if (IsReadOnlyFile(m_path)) {
        m_failure = "The file is read-only.";
        return false;
    }
    CIniFile changed = *m_ini;
    if (!ApplyWrites(changed, m_failure) || !changed.Save(m_path, &m_failure))
        return false;
    *m_ini = std::move(changed);
    return true;
}

bool CSettingsStore::CommitProfile()
{
    // Every section's key stays open until all values are set: the profile's file is then
    // written once, by the first close, with everything in it.
    std::map<std::string, HKEY> keys; // by FoldedSortKey of the section
    bool ok = true;
    for (const Write& write : m_writes) {
        HKEY& key = keys[text::FoldedSortKey(write.section)];
        if (!key && RegCreateKeyEx(HKEY_CURRENT_USER, KeyPath(*m_profile, write.section).c_str(), 0,
                                   "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                                   nullptr) != ERROR_SUCCESS) {
            key = nullptr;
            ok = false;
            break;
        }
        LONG result = ERROR_SUCCESS;
        if (!write.text) {
            result = RegDeleteValue(key, write.key.c_str());
            if (result == ERROR_FILE_NOT_FOUND)
                result = ERROR_SUCCESS;
        } else if (write.isInt) {
            const DWORD dword = static_cast<DWORD>(write.number);
            result = RegSetValueEx(key, write.key.c_str(), 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&dword), sizeof dword);
        } else {
            result = RegSetValueEx(key, write.key.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(write.text->c_str()),
                                   static_cast<DWORD>(write.text->size() + 1));
        }
        if (result != ERROR_SUCCESS) {
            ok = false;
            break;
        }
    }
    for (auto& [section, key] : keys) {
        if (key && RegCloseKey(key) != ERROR_SUCCESS)
            ok = false;
    }
    return ok;
}
