// diagrams/text_scheme.cpp: text schemes and their list.
#include "diagrams/text_scheme.h"

#include "platform/base/text.h"

#include <algorithm>

const char* GetBoxTypeName(int boxType)
{
    static const char* const kNames[kBoxTypeCount] = {"Default", "Ancestor",  "Descendant",
                                                      "Spouse",  "Duplicate", "Proxy"};
    return boxType >= 0 && boxType < kBoxTypeCount ? kNames[boxType] : nullptr;
}

CTextScheme::CTextScheme(const CTextScheme& other)
    : m_name(other.m_name), m_system(other.m_system), m_templates(other.m_templates)
{
}

CTextScheme& CTextScheme::operator=(const CTextScheme& other)
{
    if (this != &other) {
        m_name = other.m_name;
        m_system = other.m_system;
        m_templates = other.m_templates;
    }
    return *this;
}

void CTextScheme::SetTemplate(std::optional<std::string> text, int boxType)
{
    if (boxType >= 0 && boxType < kBoxTypeCount)
        m_templates[std::size_t(boxType)] = std::move(text);
}

const std::string* CTextScheme::GetSchemeTemplate(int boxType, bool fallback) const
{
    if (boxType < 0 || boxType >= kBoxTypeCount)
        return nullptr;
    if (const auto& own = m_templates[std::size_t(boxType)])
        return &*own;
    if (fallback && m_templates[0])
        return &*m_templates[0];
    return nullptr;
}

void CTextScheme::FreeSchemeTemplates()
{
    for (auto& text : m_templates)
        text.reset();
}

bool CTextScheme::ResetSystemScheme()
{
    const BuiltInScheme* row = FindBuiltInScheme(m_name);
    if (!row)
        return false;
    m_templates = row->templates;
    return true;
}

CTextScheme* CTextSchemeList::Add(std::unique_ptr<CTextScheme> entry)
{
    entry->m_list = this;
    m_entries.insert(m_entries.begin(), std::move(entry));
    return m_entries.front().get();
}

std::unique_ptr<CTextScheme> CTextSchemeList::Remove(const CTextScheme* entry)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [entry](const auto& held) { return held.get() == entry; });
    if (found == m_entries.end())
        return nullptr;
    std::unique_ptr<CTextScheme> removed = std::move(*found);
    m_entries.erase(found);
    removed->m_list = nullptr;
    return removed;
}

CTextScheme* CTextSchemeList::FindScheme(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (const auto& entry : m_entries) {
        if (text::EqualsNoCase(entry->Name(), name))
            return entry.get();
    }
    return nullptr;
}

CTextScheme* CTextSchemeList::GetDefaultScheme() const
{
    return FindScheme("Name, Dates");
}

void CTextSchemeList::CopySchemeList(const CTextSchemeList& source)
{
    if (&source == this)
        return;
    ClearSchemeList();
    m_entries.reserve(source.m_entries.size());
    for (const auto& entry : source.m_entries) {
        m_entries.push_back(std::make_unique<CTextScheme>(*entry));
        m_entries.back()->m_list = this;
    }
}

void CTextSchemeList::ClearSchemeList()
{
    for (auto& entry : m_entries)
        entry->m_list = nullptr;
    m_entries.clear();
}
