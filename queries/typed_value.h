// queries/typed_value.h: the tagged value that queries pass around (a filter's constant, an
// expression's fixed argument, a parameter's answer), with its display text and saved form.
#pragma once

#include "common/abort.h"
#include "database/dates/date_value.h"
#include "database/paths/data_path.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

class CDataNode;
class CFieldDef;
class CRecordNode;

/// The type codes of a value; the names of GetValueTypeName stand in the saved form.
enum TypedValueType : int {
    TV_NONE = 0,
    TV_TEXT = 1,
    TV_DATE = 2,
    TV_NUMBER = 3,
    TV_DATANODE = 4,
    TV_RECORD = 5,
    TV_ENUM = 6,
    TV_TAGADDR = 7,
    TV_MMDD = 8,
    TV_SPAN = 9,
};

/// A month and day (MMDD).
struct CMonthDay {
    int m_month = 0;
    int m_day = 0;
    bool operator==(const CMonthDay&) const = default;
};

/// A length of time in years, months and days (SPAN).
struct CSpan {
    int m_years = 0;
    int m_months = 0;
    int m_days = 0;
    bool operator==(const CSpan&) const = default;
};

/// What reading a value through the accessor of another type throws: an abort, so that the
/// handler of the evaluation takes it for an abandoned operation, never for a fault.
struct CTypeMismatch : COperationAborted {};

/// A value of one of the types above. Text, date, path, month-day and span are owned (copies
/// are deep); node and record values point at nodes of the data set, which they do not own. An
/// ENUM is an index into the values of an enumerated field that the value does not know: every
/// operation that shows or reads one is handed that field's definition as its context. Reading
/// a value through the accessor of another type throws CTypeMismatch.
class CTypedValue {
public:
    int GetType() const { return int(m_value.index()); }
    bool IsNone() const { return GetType() == TV_NONE; }
    void Clear() { m_value = std::monostate(); }

    void SetText(std::string_view text) { m_value = std::string(text); }
    void SetDate(const CDateValue& date) { m_value = date; }
    void SetNumber(std::int32_t number) { m_value = number; }
    /// A null node leaves the value NONE.
    void SetDataNode(CDataNode* node);
    /// A null record leaves the value NONE.
    void SetRecord(CRecordNode* record);
    void SetEnum(int index) { m_value = CEnumIndex{index}; }
    void SetDataPath(const CDataPath& path) { m_value = path; }
    void SetMonthDay(int month, int day) { m_value = CMonthDay{month, day}; }
    void SetSpan(int years, int months, int days) { m_value = CSpan{years, months, days}; }

    const std::string& GetText() const { return Get<std::string>(); }
    const CDateValue& GetDate() const { return Get<CDateValue>(); }
    std::int32_t GetNumber() const { return Get<std::int32_t>(); }
    CDataNode* GetDataNode() const { return Get<CNodeRef>().m_node; }
    CRecordNode* GetRecord() const { return Get<CRecordRef>().m_record; }
    int GetEnum() const { return Get<CEnumIndex>().m_index; }
    const CDataPath& GetDataPath() const { return Get<CDataPath>(); }
    const CMonthDay& GetMonthDay() const { return Get<CMonthDay>(); }
    const CSpan& GetSpan() const { return Get<CSpan>(); }

    /// The display text, replacing text; context is the field an ENUM belongs to (or null).
    void Format(std::string& text, const CFieldDef* context) const;
    /// Appends the saved form: ",", the type name, "," and the value.
    void Write(std::string& text, const CFieldDef* context) const;
    /// Reads the saved form from position, which stands on the type name (after the leading
    /// comma), and moves position past what was read. A form that does not read leaves the
    /// value NONE and answers false.
    bool Parse(std::string_view text, std::size_t& position, const CFieldDef* context);

private:
    struct CNodeRef {
        CDataNode* m_node;
    };
    struct CRecordRef {
        CRecordNode* m_record;
    };
    struct CEnumIndex {
        int m_index;
    };

    template <typename T> const T& Get() const
    {
        if (const T* value = std::get_if<T>(&m_value))
            return *value;
        throw CTypeMismatch();
    }
    bool ParseValue(int type, std::string_view text, std::size_t& position,
                    const CFieldDef* context);

    // The alternatives stand in the order of the type codes.
    std::variant<std::monostate, std::string, CDateValue, std::int32_t, CNodeRef, CRecordRef,
                 CEnumIndex, CDataPath, CMonthDay, CSpan>
        m_value;
};

/// The name of a type code ("NONE" ... "SPAN"); null for any other code.
const char* GetValueTypeName(int type);
/// The code of a type name compared without regard to case; 0 for a name not in the table.
int GetValueTypeByName(std::string_view name);
/// The number that the digits at position stand for, after an optional sign, held to the
/// range of a 32-bit number; position moves past the digits. 0 when no digit stands there.
std::int32_t ReadLeadingNumber(std::string_view text, std::size_t& position);
/// A whole number with an optional sign that is all of text (blanks around it aside); false
/// for anything else and for a number beyond 32 bits.
bool ReadWholeNumber(std::string_view text, std::int32_t& number);
/// A month and day as typed: "month/day" ("12/25"), a day the month can have (29 February
/// included); on success value becomes that MMDD value.
bool ReadMonthDayText(std::string_view text, CTypedValue& value);
/// A length of time as typed: pairs of a number and its unit ("2 years 6 months 0 days",
/// "10 days"), each of years, months and days at most once, in any order, singular or plural,
/// without regard to case; on success value becomes that SPAN value.
bool ReadSpanText(std::string_view text, CTypedValue& value);
