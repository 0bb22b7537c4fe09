// diagrams/text_scheme.h: a text scheme (a named set of box-text templates, one per box type)
// and the list of schemes.
#pragma once

#include "diagrams/text_scheme_table.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// "Default", "Ancestor", "Descendant", "Spouse", "Duplicate", "Proxy" for box types 0 to 5;
/// null for any other number.
const char* GetBoxTypeName(int boxType);

class CTextSchemeList;

/// One scheme. Templates are held as their source texts.
class CTextScheme {
public:
    CTextScheme() = default;
    /// A new entry holding a copy of other's name, system flag and templates, in no list.
    CTextScheme(const CTextScheme& other);
    /// Copies name, system flag and templates; the list that holds this entry stays.
    CTextScheme& operator=(const CTextScheme& other);

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    bool IsSystem() const { return m_system; }
    void SetSystem(bool system) { m_system = system; }

    /// Box types 0 to 5 only: replaces the template of that type (nothing: no own template).
    void SetTemplate(std::optional<std::string> text, int boxType);
    /// The scheme's own template of that type; when it has none and fallback is set, the
    /// "Default" template. Null when there is none.
    const std::string* GetSchemeTemplate(int boxType, bool fallback) const;
    void FreeSchemeTemplates();
    /// Gives back the templates of the built-in scheme of exactly this name; false, changing
    /// nothing, when there is none.
    bool ResetSystemScheme();

    /// The list that holds the entry; null when it is in none.
    const CTextSchemeList* List() const { return m_list; }

private:
    friend class CTextSchemeList;

    std::string m_name;
    bool m_system = false;
    std::array<std::optional<std::string>, kBoxTypeCount> m_templates;
    CTextSchemeList* m_list = nullptr;
};

/// The schemes. New entries go to the head; the order carries no meaning (lists shown to the
/// user are sorted by name).
class CTextSchemeList {
public:
    using Entries = std::vector<std::unique_ptr<CTextScheme>>;

    CTextSchemeList() = default;
    CTextSchemeList(const CTextSchemeList&) = delete;
    CTextSchemeList& operator=(const CTextSchemeList&) = delete;

    /// Links the entry at the head; returns it.
    CTextScheme* Add(std::unique_ptr<CTextScheme> entry);
    /// Unlinks the entry and hands it back; null when it is not in this list.
    std::unique_ptr<CTextScheme> Remove(const CTextScheme* entry);
    /// The first entry whose name equals name without regard to case; null for an empty name.
    CTextScheme* FindScheme(std::string_view name) const;
    /// The "Name, Dates" scheme.
    CTextScheme* GetDefaultScheme() const;
    /// Empties the list, then adds a copy of every entry of source (in source's order).
    void CopySchemeList(const CTextSchemeList& source);
    void ClearSchemeList();

    const Entries& Items() const { return m_entries; }
    std::size_t Size() const { return m_entries.size(); }

private:
    Entries m_entries; // head first
};
