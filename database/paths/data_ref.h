// database/paths/data_ref.h: a data reference, what a user writes wherever the program asks which
// value to show or test: a data path (INDI.BIRT.DATE:YEAR) or an "=" expression.
#pragma once

#include "database/paths/data_expression.h"
#include "database/paths/data_path.h"

#include <memory>
#include <string>
#include <string_view>

class CFieldDef;
class CRecordNode;

enum DataRefKind : int {
    DATAREF_EMPTY = 0,
    DATAREF_PATH = 1,
    DATAREF_EXPRESSION = 2,
};

/// A query column, a condition's left side, a report column or a diagram box line. The
/// reference owns its parsed form (a path or an expression) and copies it when copied. An
/// expression is read by the parser the query engine installs; without one the reference keeps
/// the expression's text, writes it back unchanged and evaluates it to nothing.
class CDataRef {
public:
    CDataRef() = default;
    CDataRef(const CDataRef& other);
    CDataRef(CDataRef&&) noexcept = default;
    CDataRef& operator=(const CDataRef& other);
    CDataRef& operator=(CDataRef&&) noexcept = default;
    ~CDataRef() = default;

    void Clear();
    /// An empty text clears the reference and answers false; a text beginning with "=" is
    /// read as an expression, any other as a path. False (and empty) when it does not parse.
    bool SetText(std::string_view text);
    /// A path from the record tree; on failure the reference is left empty.
    bool ParsePath(std::string_view text, DataPathError* error = nullptr);
    /// An "=" expression; on failure the reference is left empty.
    bool ParseExpression(std::string_view text);
    /// A copy of path; always true.
    bool SetPath(const CDataPath& path);

    /// The text of the reference for record, replacing text: a path's field in the path's
    /// qualifier form when the record is of the path's type and the field exists, an
    /// expression's value; empty when nothing applies. The text is never cut.
    void Evaluate(std::string& text, CRecordNode* record) const;
    /// Whether the reference applies to records of the type that topDef tops.
    bool IsValidForRecordType(const CFieldDef* topDef) const;
    /// The text form, replacing text: a path as CDataPath::Format writes it, an expression as
    /// its source text; empty for an empty reference.
    void Format(std::string& text) const;

    DataRefKind GetKind() const { return m_kind; }
    /// The path of a path reference; null otherwise.
    const CDataPath* GetPath() const { return m_path.get(); }
    /// The parsed expression of an expression reference; null otherwise, and when no parser
    /// was installed to read it.
    IDataExpression* GetExpression() const { return m_expression.get(); }

private:
    DataRefKind m_kind = DATAREF_EMPTY;
    std::unique_ptr<CDataPath> m_path;
    std::unique_ptr<IDataExpression> m_expression;
    std::string m_expressionText; // an expression that no parser has read
};
