// platform/base/ini_file.h: an INI file held as its lines, read and changed without disturbing
// the lines, comments and order it does not touch.
#pragma once

#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/// Sections ("[name]") and keys ("key=value") are matched without regard to case, and the first
/// match wins: a key is looked up in the first section of its name only. Lines starting with ";"
/// or "#" are comments. Values are read trimmed, with a matched pair of surrounding quotes (" or ')
/// stripped; a value that would not survive that is written inside double quotes. A line ends at
/// CR LF, LF or a CR alone, so no value read holds a line break, and none can be written. The file
/// keeps its line ends (CR LF when its first LF follows a CR, else LF; LF for a new file) and a
/// UTF-8 byte-order mark. Finding a section or key takes the same time however long the file
/// is, and so does adding or removing a key.
class CIniFile {
public:
    CIniFile() = default;
    CIniFile(const CIniFile& other);
    CIniFile& operator=(const CIniFile& other);
    CIniFile(CIniFile&& other) noexcept;
    CIniFile& operator=(CIniFile&& other) noexcept;
    ~CIniFile() = default;

    /// Reads the file; a missing file reads as empty. False, leaving the object empty, when the
    /// file exists but cannot be read.
    bool Load(const std::string& path);
    /// Replaces the content with the text of a file.
    void Parse(std::string_view content);
    /// The content as Save writes it.
    std::string Text() const;
    /// Writes the content under a temporary name in the file's folder, flushes it to disk and
    /// renames it over the file (the target of a symbolic link), keeping the file's mode. On
    /// failure the file is left as it was and error (when given) says why, as the system does.
    bool Save(const std::string& path, std::string* error = nullptr);

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
    /// Why Set refuses the section, key and value, as a sentence; empty when it accepts them.
    static std::string Unwritable(std::string_view section, std::string_view key,
                                  std::string_view value);
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
    using Lines = std::list<Line>;
    using LineIt = Lines::iterator;
    /// The first section of a name: its header, its last key line (the header when it has none)
    /// and each key's lines in file order, by the key's folded sort key.
    struct Section {
        LineIt header;
        LineIt lastEntry;
        std::unordered_map<std::string, std::vector<LineIt>> keys;
    };

    static Line MakeLine(std::string text);
    static std::string ValueOf(const Line& line);
    static std::string Encode(std::string_view value);
    static bool IsWritableSection(std::string_view section);
    static bool IsWritableKey(std::string_view key);

    /// The first section of that name; null when there is none.
    Section* FindSection(std::string_view section) const;
    /// The first line of the key in section; null when there is none.
    const Line* FindKey(const Section& section, std::string_view key) const;
    Section& AppendSection(std::string_view section);
    void BuildIndex();

    Lines m_lines;
    /// The sections by their names' folded sort keys; rebuilt on demand after a change that
    /// removes a section.
    mutable std::unordered_map<std::string, Section> m_sections;
    mutable bool m_indexed = false;
    bool m_crlf = false;
    bool m_bom = false;
    bool m_modified = false;
};
