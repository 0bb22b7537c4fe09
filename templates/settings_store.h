// templates/settings_store.h: where a settings block is read from and written to: a private INI
// file (a custom diagram or report file) or the application's per-user profile.
//
// Reads take values of any length.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CAppProfile;
class CIniFile;

/// What a save came to: saved, or the message that tells the user why not. An engine answers it;
/// the window that asked shows the message.
struct SaveOutcome {
    std::string failure; // empty: saved

    bool Saved() const { return failure.empty(); }
    explicit operator bool() const { return Saved(); }
};

/// Reads go straight to the store. Writes are gathered and reach it together on Commit: a file is
/// written whole beside the old one and renamed over it; the profile's values are all set before
/// its file is written, once.
class CSettingsStore {
public:
    /// The private INI file at path; a missing file reads as empty.
    explicit CSettingsStore(std::string path);
    /// The application's per-user profile.
    explicit CSettingsStore(CAppProfile& profile);
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

    bool IsFile() const { return m_profile == nullptr; }
    const std::string& Path() const { return m_path; }

    /// The value as text; nothing when the section or key is missing.
    std::optional<std::string> ReadText(std::string_view section, std::string_view key) const;
    /// The value's leading integer (beyond the int range: the nearest int); the default when the
    /// key is missing or its value does not start with a number.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    /// The value, any length; the default when the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    void WriteInt(std::string_view section, std::string_view key, int value);
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    /// Removes the key when the store holds it.
    void DeleteKey(std::string_view section, std::string_view key);

    /// Writes what was gathered. False when any write fails, when the file is read-only (no write
    /// permission for anyone) or cannot be read, or when the profile's file cannot be written;
    /// the file on disk is then left as it was.
    bool Commit();
    /// The text of a new file holding only what was gathered (none of the file's present keys),
    /// for a caller that writes the whole file itself; the store is unchanged. Nothing when a
    /// gathered value cannot be written as an INI line, with the reason, as a sentence, in
    /// failure (when given).
    std::optional<std::string> GatheredText(std::string* failure = nullptr) const;
    /// After a failed Commit, what the user is told: "Unable to save settings", for a file with
    /// its path and why the save failed.
    std::string FailureText() const;

private:
    struct Write {
        std::string section;
        std::string key;
        std::optional<std::string> text; // nothing: delete the key
        bool isInt = false;
        int number = 0;
    };

    /// Applies the gathered writes to ini; false, with the reason in failure, at the first
    /// value that cannot be written.
    bool ApplyWrites(CIniFile& ini, std::string& failure) const;
    bool CommitFile();
    bool CommitProfile();

    std::string m_path;
    CAppProfile* m_profile = nullptr;
    std::unique_ptr<CIniFile> m_ini; // the file's content, read once
    bool m_readable = true;
    std::vector<Write> m_writes;
    std::string m_failure; // why the last Commit into the file failed, as a sentence
};
