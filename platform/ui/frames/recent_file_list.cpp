// platform/ui/frames/recent_file_list.cpp: the entries, their place in the profile, their display
// names and their File-menu items.
#include "platform/ui/frames/recent_file_list.h"

#include "platform/base/app_profile.h"
#include "platform/base/paths.h"
#include "platform/base/text.h"
#include "platform/ui/frames/menu.h"

#include <algorithm>
#include <filesystem>

namespace {

std::string FullPath(const std::string& path)
{
    if (path.empty())
        return {};
    std::error_code ignored;
    return std::filesystem::absolute(paths::ToNative(path), ignored).lexically_normal().string();
}

/// "&" shows as itself in a menu item when doubled.
std::string EscapeAmpersands(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        escaped += c;
        if (c == '&')
            escaped += '&';
    }
    return escaped;
}

/// "&1 " up to "&9 ", then "1&0 ": the mnemonic is the last digit.
std::string ItemPrefix(int number)
{
    return number < 10 ? text::Format("&%d ", number)
                       : text::Format("%d&%d ", number / 10, number % 10);
}

} // namespace

CRecentFileList::CRecentFileList(CAppProfile& profile, UINT firstId, const char* section,
                                 const char* entryFormat, int size, int maxDisplayLength)
    : m_profile(profile), m_firstId(firstId), m_section(section ? section : ""),
      m_entryFormat(entryFormat ? entryFormat : ""), m_size(std::max(size, 0)),
      m_maxDisplayLength(maxDisplayLength)
{
}

const std::string& CRecentFileList::operator[](int index) const
{
    static const std::string none;
    return index >= 0 && index < GetCount() ? m_entries[std::size_t(index)] : none;
}

void CRecentFileList::Add(const std::string& path)
{
    const std::string full = FullPath(path);
    if (full.empty())
        return;
    std::vector<std::string> entries = m_entries;
    std::erase(entries, full);
    entries.insert(entries.begin(), full);
    Put(std::move(entries));
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    std::vector<std::string> entries = m_entries;
    entries.erase(entries.begin() + index);
    Put(std::move(entries));
}

void CRecentFileList::Put(std::vector<std::string> entries)
{
    if (int(entries.size()) > m_size)
        entries.resize(std::size_t(m_size));
    m_entries = std::move(entries);
    WriteList();
}

void CRecentFileList::ReadList()
{
    std::vector<std::string> entries;
    for (int number = 1; number <= m_size; ++number) {
        const std::string entry = m_profile.GetProfileString(
            m_section.c_str(), text::Format(m_entryFormat, number).c_str(), "");
        if (!entry.empty() && std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);
    }
    m_entries = std::move(entries);
}

void CRecentFileList::WriteList() const
{
    for (int number = 1; number <= m_size; ++number) {
        const std::string entry = text::Format(m_entryFormat, number);
        const std::string& value = (*this)[number - 1];
        m_profile.WriteProfileString(m_section.c_str(), entry.c_str(),
                                     value.empty() ? nullptr : value.c_str());
    }
}

std::string CRecentFileList::GetDisplayName(int index) const
{
    const std::string& path = (*this)[index];
    const std::size_t limit = std::size_t(std::max(m_maxDisplayLength, 0));
    if (path.size() <= limit)
        return path;
    const std::string name = paths::FileName(path);
    const std::size_t firstEnd = path.find('/', 1);
    if (firstEnd == std::string::npos || name.size() + 1 > path.size())
        return name;
    const std::string head = path.substr(0, firstEnd) + "/...";
    std::string tail = "/" + name;
    if (head.size() + tail.size() > limit)
        return name;
    // Adds the folders before the name while they fit.
    std::size_t end = path.size() - tail.size();
    while (end > firstEnd) {
        const std::size_t start = path.rfind('/', end - 1);
        const std::string folder = path.substr(start, end - start);
        if (start <= firstEnd || head.size() + folder.size() + tail.size() > limit)
            break;
        tail = folder + tail;
        end = start;
    }
    return head + tail;
}

void CRecentFileList::UpdateMenu(CCmdUI* cmdUI)
{
    auto* item = dynamic_cast<CMenuCmdUI*>(cmdUI);
    if (!item || !item->m_pMenu) {
        cmdUI->Enable(!m_entries.empty());
        return;
    }
    CMenu& menu = *item->m_pMenu;
    const UINT index = item->m_nIndex;
    if (m_originalMenuText.empty())
        menu.GetMenuString(index, m_originalMenuText, MF_BYPOSITION);
    const UINT lastId = m_firstId + UINT(std::max(m_size, 1)) - 1;
    while (int(index) < menu.GetMenuItemCount() && menu.GetMenuItemID(int(index)) >= m_firstId &&
           menu.GetMenuItemID(int(index)) <= lastId)
        menu.DeleteMenu(index, MF_BYPOSITION);
    if (m_entries.empty()) {
        menu.InsertMenu(index, MF_BYPOSITION | MF_STRING | MF_GRAYED, m_firstId,
                        m_originalMenuText.c_str());
        return;
    }
    for (int i = 0; i < GetCount(); ++i) {
        const std::string text = ItemPrefix(i + 1) + EscapeAmpersands(GetDisplayName(i));
        menu.InsertMenu(index + UINT(i), MF_BYPOSITION | MF_STRING, m_firstId + UINT(i),
                        text.c_str());
    }
    item->m_nIndex = index + UINT(GetCount()) - 1;
}
