// database/paths/data_expression.h: what a data reference needs of an "=" expression, whose
// language lives in the query engine above the data set.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class CFieldDef;
class CRecordNode;

/// One parsed expression, owned by the data reference that holds it; destroying it frees it.
class IDataExpression {
public:
    virtual ~IDataExpression() = default;
    /// A deep copy, for copying the reference that holds it.
    virtual std::unique_ptr<IDataExpression> Clone() const = 0;
    /// The source text, replacing text.
    virtual void FormatText(std::string& text) const = 0;
    /// The value for record (which may be null) as text, replacing text; empty for no value.
    /// The expression may keep caches between calls.
    virtual void EvaluateToText(std::string& text, CRecordNode* record) = 0;
    /// Whether the expression can be evaluated for records of that type (its top definition).
    virtual bool IsValidForRecordType(const CFieldDef* topDef) const = 0;
};

/// The query engine installs its parser here at start-up, so that data references made by the
/// data set's own code (and by every window) understand expressions.
class IDataExpressionParser {
public:
    virtual ~IDataExpressionParser() = default;
    /// The expression the whole text (beginning with "=") stands for; null when the text is
    /// not understood.
    virtual std::unique_ptr<IDataExpression> ParseExpression(std::string_view text) = 0;
};

/// The installed parser; null until one is installed.
void SetDataExpressionParser(IDataExpressionParser* parser);
IDataExpressionParser* GetDataExpressionParser();
