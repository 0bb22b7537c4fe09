// database/dictionary/field_class.h: the node and data-control classes that field definitions name,
// and the type names of the definitions table that select them.
#pragma once

#include <string_view>

class CDataNode;
class CDataCtl;

/// One class a field definition names: a node class (the `CDataNode` subclass that holds a
/// field's value) or a data-control class (the control that edits it). The records exist before
/// the classes' code is linked in, and each class's code installs its factory at start-up, so
/// the dictionary never depends on the classes it names and the window layer stays above it.
template <class T> class CFieldClass final {
public:
    using Factory = T* (*)();

    constexpr explicit CFieldClass(const char* name) : m_name(name) {}

    const char* GetName() const { return m_name; }
    bool HasFactory() const { return m_factory != nullptr; }
    /// A new empty object of the class; null while no factory is installed.
    T* Create() const { return m_factory ? m_factory() : nullptr; }
    void SetFactory(Factory factory) { m_factory = factory; }
    Factory GetFactory() const { return m_factory; }

private:
    const char* m_name;
    Factory m_factory = nullptr;
};

using CNodeClass = CFieldClass<CDataNode>;
using CControlClass = CFieldClass<CDataCtl>;

/// The record of the node class with that exact name ("CEditNode"); null when no type name
/// selects such a class.
CNodeClass* FindNodeClass(std::string_view name);
/// The record of the data-control class with that exact name ("CDataCtlEdit"); null when none.
CControlClass* FindControlClass(std::string_view name);

/// What a type name of the definitions table selects.
struct FieldTypeName {
    int dataType = 0; // FieldDataType code; 0 for an unknown name
    CNodeClass* nodeClass = nullptr;
    CControlClass* controlClass = nullptr; // null for types edited without a control
    bool clearsSkipWhenChildless = false;  // "ComplexY"
};

/// Looks a type name up exactly (case matters) after applying the aliases ("Static" is "Edit",
/// "DateExact" is "Date", "ComplexY" is "Complex" and clears FDF_SKIP_WHEN_CHILDLESS, ...).
/// An unknown name gives data type 0.
FieldTypeName LookUpFieldTypeName(std::string_view typeName);
