// queries/query_filter.h: the filter rows of a query: general (a data reference compared with a
// value), list (membership of a named list) and relationship (relatives of a person) rows.
#pragma once

#include "database/paths/data_ref.h"
#include "platform/base/object.h"
#include "queries/typed_value.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

class CExpression;
class CFieldDef;
class CIndRec;
class CQueryDef;
class CQueryRecordSets;
class CRecordNode;

/// The kinds of relationship row.
enum FilterRelationKind : int {
    FRK_ANCESTORS = 0,
    FRK_DESCENDANTS = 1,
    FRK_SPOUSES = 2,
};

/// What a parameter dialog needs to ask for one run-time value: the type of value wanted, its
/// context (the record type of a RECORD, the field of an ENUM or DATANODE; else null), the
/// value held now and the label to show.
struct CParameterPrompt {
    int m_type = TV_NONE;
    const CFieldDef* m_context = nullptr;
    CTypedValue m_value;
    std::string m_label;
};

/// One filter row. A row either adds records to the result (taking them from the candidates)
/// or excludes them (putting them back), when its condition holds ("IF") or does not
/// ("UNLESS"). A parameter row gets its value, or its person, when the query runs. Each row is
/// one line of a query file: "FILTER=" and its kind, then comma-separated fields.
class CAvFilter : public CObject {
public:
    explicit CAvFilter(CQueryDef* owner) : m_owner(owner) {}
    CAvFilter(const CAvFilter&) = delete;
    CAvFilter& operator=(const CAvFilter&) = delete;

    const CRuntimeClass* GetRuntimeClass() const override;

    /// The one-line description shown in the rows pane.
    virtual std::string Describe() const = 0;
    /// Moves the matching records of the row's source set into the other set, in file order;
    /// stops between two records once cancelled is set (records moved so far stay moved).
    /// Throws what evaluation throws (an integer for a value of the wrong type).
    virtual void Apply(CQueryRecordSets& sets, const std::atomic<bool>& cancelled);
    /// For a change notice: forgets the records that are going away (kHintDataSetClearing: all).
    virtual void OnRecordDeleted(long) {}
    /// Whether the row's fixed record is affected by the change being announced.
    virtual bool RefersTo(long hint) const = 0;
    /// Reads the row from text at position, which stands after the kind and its comma; false
    /// when the line does not read.
    virtual bool Load(std::string_view text, std::size_t& position);
    /// Appends the whole line, key included, without a line end; false (text unchanged) when
    /// the row cannot be written so that it reads back the same.
    virtual bool Save(std::string& text) const = 0;
    /// Whether the row still waits for a run-time value.
    virtual bool NeedsParameter() const = 0;
    /// For a parameter row, fills prompt; false when the row is not a parameter.
    virtual bool GetParameterPrompt(CParameterPrompt& prompt) const = 0;
    /// Stores a supplied run-time value; false when it does not fit.
    virtual bool SetParameter(const CTypedValue& value) = 0;
    /// The general row's data reference; null for the other kinds.
    virtual const CDataRef* GetDataRef() const { return nullptr; }

    CQueryDef* GetOwner() const { return m_owner; }
    bool IsParameter() const { return m_parameter; }
    void SetParameterFlag(bool on) { m_parameter = on; }
    const std::string& GetParameterLabel() const { return m_label; }
    void SetParameterLabel(std::string label) { m_label = std::move(label); }
    bool IsExclude() const { return m_exclude; }
    void SetExclude(bool on) { m_exclude = on; }
    bool IsUnless() const { return m_unless; }
    void SetUnless(bool on) { m_unless = on; }

protected:
    /// Whether the row's condition holds for a record of its source set; the base Apply asks
    /// it once per record. Rows that override Apply need not answer.
    virtual bool Matches(CRecordNode*) { return false; }
    /// Called by the base Apply before the first record; false ends the row at once.
    virtual bool PrepareApply(const CQueryRecordSets&) { return true; }
    /// "Add " or "Exclude ", then "if " or "unless ".
    std::string DescribeStart() const;
    /// Appends "FILTER=", the kind and the common fields (asParameter for the parameter flag
    /// and label); false when the label cannot be written on one line.
    bool SaveStart(std::string& text, std::string_view kind, bool asParameter) const;

private:
    CQueryDef* m_owner;
    std::string m_label;
    bool m_parameter = false;
    bool m_exclude = false;
    bool m_unless = false;
};

/// A general row: a path or an expression compared with a value by a condition operator.
class CAvFilterGen final : public CAvFilter {
public:
    explicit CAvFilterGen(CQueryDef* owner) : CAvFilter(owner) {}

    const CRuntimeClass* GetRuntimeClass() const override;
    std::string Describe() const override;
    void OnRecordDeleted(long hint) override;
    bool RefersTo(long hint) const override;
    bool Load(std::string_view text, std::size_t& position) override;
    bool Save(std::string& text) const override;
    bool NeedsParameter() const override;
    bool GetParameterPrompt(CParameterPrompt& prompt) const override;
    bool SetParameter(const CTypedValue& value) override;
    const CDataRef* GetDataRef() const override { return &m_ref; }

    CDataRef& DataRef() { return m_ref; }
    int GetOperator() const { return m_operator; }
    void SetOperator(int op) { m_operator = op; }
    bool IsCaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool on) { m_caseSensitive = on; }
    const CTypedValue& GetValue() const { return m_value; }
    void SetValue(const CTypedValue& value) { m_value = value; }

protected:
    bool Matches(CRecordNode* record) override;
    bool PrepareApply(const CQueryRecordSets& sets) override;

private:
    /// The expression of an expression reference; null otherwise.
    CExpression* GetExpression() const;
    /// The field an ENUM value or the parameter prompt refers to: the path's last field.
    const CFieldDef* GetPathField() const;
    /// The type of value the row compares with.
    int GetValueType() const;
    bool MatchPath(CRecordNode* record) const;
    bool MatchExpression(CRecordNode* record) const;
    void AppendValueText(std::string& text) const;

    int m_operator = 0;
    bool m_caseSensitive = false;
    CDataRef m_ref;
    CTypedValue m_value;
    bool m_expressionApplies = false; // set by PrepareApply for the records being walked
};

/// A list row: whether a record is in a named list.
class CAvFilterList final : public CAvFilter {
public:
    explicit CAvFilterList(CQueryDef* owner) : CAvFilter(owner) {}

    const CRuntimeClass* GetRuntimeClass() const override;
    std::string Describe() const override;
    bool RefersTo(long) const override { return false; }
    /// A list row is never a parameter: the flag and label are cleared after reading.
    bool Load(std::string_view text, std::size_t& position) override;
    bool Save(std::string& text) const override;
    bool NeedsParameter() const override { return false; }
    bool GetParameterPrompt(CParameterPrompt&) const override { return false; }
    bool SetParameter(const CTypedValue&) override { return false; }

    const std::string& GetListName() const { return m_listName; }
    void SetListName(std::string name) { m_listName = std::move(name); }

protected:
    bool Matches(CRecordNode* record) override;
    bool PrepareApply(const CQueryRecordSets& sets) override;

private:
    std::string m_listName;
    std::unordered_set<const CRecordNode*> m_members; // taken when the row is applied
};

/// A relationship row: the ancestors, descendants or spouses of a person (a parameter row) or
/// of everyone in the current result.
class CAvFilterRels final : public CAvFilter {
public:
    explicit CAvFilterRels(CQueryDef* owner) : CAvFilter(owner) {}

    const CRuntimeClass* GetRuntimeClass() const override;
    std::string Describe() const override;
    void Apply(CQueryRecordSets& sets, const std::atomic<bool>& cancelled) override;
    void OnRecordDeleted(long hint) override;
    bool RefersTo(long hint) const override;
    bool Load(std::string_view text, std::size_t& position) override;
    bool Save(std::string& text) const override;
    bool NeedsParameter() const override { return IsParameter() && !m_target; }
    bool GetParameterPrompt(CParameterPrompt& prompt) const override;
    /// Takes only a RECORD value whose record is an individual.
    bool SetParameter(const CTypedValue& value) override;

    int GetRelationKind() const { return m_kind; }
    void SetRelationKind(int kind) { m_kind = kind; }
    /// 0 or less: no limit.
    int GetMaxGenerations() const { return m_maxGenerations; }
    void SetMaxGenerations(int generations) { m_maxGenerations = generations; }
    bool IncludesTarget() const { return m_includeTarget; }
    void SetIncludeTarget(bool on) { m_includeTarget = on; }
    bool IncludesSpouses() const { return m_includeSpouses; }
    void SetIncludeSpouses(bool on) { m_includeSpouses = on; }
    CIndRec* GetTarget() const { return m_target; }
    void SetTarget(CIndRec* target) { m_target = target; }

private:
    int m_kind = FRK_ANCESTORS;
    int m_maxGenerations = 0;
    bool m_includeTarget = false;
    bool m_includeSpouses = false;
    CIndRec* m_target = nullptr; // not owned; never written to the file
};

/// A new row of the kind a query file names ("GEN", "LST" or "REL", compared without regard to
/// case, of which only the first three characters are looked at); null for another kind.
std::unique_ptr<CAvFilter> NewFilterOfKind(std::string_view kind, CQueryDef* owner);
