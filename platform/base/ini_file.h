// platform/base/ini_file.h: an INI file held as its lines, read and changed without disturbing
// the lines, comments and order it does not touch.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/// Sections ("[name]") and keys ("key=value") are matched without regard to case, and the first
/// match wins: a key is looked up in the first section of its name only. Lines starting with ";"
/// or "#" are comments. Values are read trimmed, with a matched pair of surrounding quotes (" or ')
/// stripped; a value that would not survive that is written inside double quotes. The file keeps
/// its line ends (CR LF or LF; LF for a new file) and a UTF-8 byte-order mark.
class CIniFile {
public:
    /// Reads the file; a missing file reads as empty. False, leaving the object empty, when the
    /// file exists but cannot be read.
    bool Load(const std::string& path);
    /// Replaces the content with the text of a file.
    void Parse(std::string_view content);
    /// The content as Save writes it.
    std::string Text() const;
    /// Writes the content under a temporary name in the file's folder, flushes it to disk and
    /// renames it over the file (the target of a symbolic link), keeping the file's mode. On
    /// failure the file is left as it was.
    bool Save(const std::string& path);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    /// Section names in file order, each once (spelled as first written).
    std::vector<std::string> Sections() const;
    /// The keys of the first section of that name, in file order, each once.
    std::vector<std::string> Keys(std::string_view section) const;

    /// Replaces the value of the first matching key in place, or adds the key after the last key
    /// of the section, adding the section at the end when it is missing. False when the section,
    /// key or value cannot be written as an INI line (line breaks; a key with "=", leading "[",
    /// ";" or "#", or surrounding blanks; a section with "]" or surrounding blanks).
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    /// Adds an empty section at the end when none of that name exists; false when the name
    /// cannot be written.
    bool AddSection(std::string_view section);
    /// Removes every line of the key in the first section of that name; true when one was removed.
    bool DeleteKey(std::string_view section, std::string_view key);
    /// Removes every section of that name with all its lines; true when one was removed.
    bool DeleteSection(std::string_view section);

    /// True after a change that Save has not yet written.
    bool IsModified() const { return m_modified; }

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        std::string text; // as in the file, without its line end
        Kind kind = Kind::Other;
        std::string name; // the section name or the key, trimmed
    };

    static Line MakeLine(std::string text);
    static std::string ValueOf(const Line& line);
    static std::string Encode(std::string_view value);
    static bool IsWritableSection(std::string_view section);
    static bool IsWritableKey(std::string_view key);

    std::size_t FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::size_t FindKey(std::size_t header, std::string_view key) const;
    std::size_t AppendSection(std::string_view section);

    std::vector<Line> m_lines;
    /// The first header line of each section, by its name's folded sort key; rebuilt on demand
    /// after a change that moves the lines of a section.
    mutable std::unordered_map<std::string, std::size_t> m_sectionIndex;
    mutable bool m_indexed = false;
    bool m_crlf = false;
    bool m_bom = false;
    bool m_modified = false;
};
