// platform/ui/frames/recent_file_list.h: the files opened last, most recent first, kept in the
// application's profile and shown as File-menu items.
#pragma once

#include "platform/base/types.h"

#include <string>
#include <vector>

class CAppProfile;
class CCmdUI;

/// Entries are full paths, each at most once; adding one that is there moves it to the top,
/// and the oldest falls off when the list is full. Every change is written to the profile at
/// once, as entries "File1", "File2", ... of the section (entryFormat names them).
class CRecentFileList {
public:
    /// firstId is the command of the first entry's menu item; the others follow it.
    CRecentFileList(CAppProfile& profile, UINT firstId, const char* section,
                    const char* entryFormat, int size, int maxDisplayLength = 40);

    /// The most entries the list keeps.
    int GetSize() const { return m_size; }
    /// The entries there are now.
    int GetCount() const { return int(m_entries.size()); }
    /// The entry, most recent first; empty past the last.
    const std::string& operator[](int index) const;

    /// A relative path is made full from the current folder.
    void Add(const std::string& path);
    void Remove(int index);
    /// Replaces the entries with those in the profile (empty and repeated ones left out).
    void ReadList();
    /// Writes the entries, and removes the profile's entries past the last.
    void WriteList() const;

    /// The name a menu item shows: the whole path when it fits in the display length, else
    /// its first folder, "..." and as many of its last parts as fit, else the file name alone.
    std::string GetDisplayName(int index) const;
    /// Makes the File menu show the entries: called by the update pass for the first entry's
    /// item (a CMenuCmdUI), it replaces that item and any other entry items after it with one
    /// item "&1 name", "&2 name", ... per entry; with no entries it leaves one greyed item with
    /// the menu's original text. Any other request is only enabled when there are entries.
    void UpdateMenu(CCmdUI* cmdUI);

private:
    void Put(std::vector<std::string> entries);

    CAppProfile& m_profile;
    UINT m_firstId;
    std::string m_section;
    std::string m_entryFormat;
    int m_size;
    int m_maxDisplayLength;
    std::vector<std::string> m_entries;
    std::string m_originalMenuText;
};
