// database/dictionary/field_def_source.h: the text form of the field-definitions table, read into
// definition records and field-id names for the dictionary and for the build's generator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// One definition line of the table, as the dictionary builds a definition from it.
struct CFieldDefRecord {
    enum class Kind { Field, StructHead, StructRef };

    int line = 0;  // 1-based line in the table
    int level = 0; // 0 for a record definition or a structure head
    Kind kind = Kind::Field;
    int fieldId = 0;
    std::string tag;
    std::string label;
    std::string flags;  // letters, each once, in the order ! A C E H L R U
    int classValue = 0; // 1 pointer form, 2 local form
    std::uint16_t minCount = 0;
    std::uint16_t maxCount = 0;
    bool allowsCont = false;
    bool allowsConc = false;
    bool readOnly = false;
    std::int16_t sizeValue = -1;
    std::string typeName;
    std::string extraText;
    std::vector<std::string> values; // the '|'-separated entries after the extra text
    bool structFlag = false;
};

/// A named field id: FIELD_<name> or STRUCT_<name>.
struct CFieldIdName {
    std::string name;
    int id = 0;
};

/// Reads the whole table. Lines are "id NAME NUMBER", "struct @NAME [flag]" for a structure
/// head, and definition lines indented two blanks per level:
///   TAG TYPE MIN:MAX "Label" [id=NAME] [flags=LETTERS] [pointer|local] [CONT] [CONC] [size=N]
///       [{extra|value|...}]
///   @NAME ref MIN:MAX "Label" [flags=LETTERS]
/// A max of M means unbounded; blank lines and lines starting with '#' are skipped. A line is
/// at most one level below the line before; structures come before the record definitions.
class CFieldDefSource {
public:
    /// Reads text; false, with GetError naming the line, at the first malformed line.
    bool Parse(std::string_view text);

    const std::vector<CFieldDefRecord>& GetRecords() const { return m_records; }
    const std::vector<CFieldIdName>& GetIds() const { return m_ids; }
    const std::string& GetError() const { return m_error; }
    /// The number of a named id; -1 when the table names none such.
    int FindId(std::string_view name) const;

private:
    bool ParseLine(std::string_view line, int lineNumber);
    bool ParseIdLine(std::string_view rest);
    bool ParseStructHead(std::string_view rest, int level);
    bool ParseDefinition(std::string_view rest, int level);
    bool ParseAttribute(std::string_view token, CFieldDefRecord& record);
    bool Fail(std::string message);

    std::vector<CFieldDefRecord> m_records;
    std::vector<CFieldIdName> m_ids;
    std::string m_error;
    int m_line = 0;
    int m_previousLevel = -1;
    bool m_inRecords = false; // a record definition (a level-0 field) has been read
};

/// Checks flag letters: each at most once and in the order ! A C E H L R U.
bool AreFieldFlagLettersValid(std::string_view letters);
