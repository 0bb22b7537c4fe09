// platform/ui/resources/resources.h: the program's resources: the resource scripts compiled into
// the program, parsed at start and looked up by type and id.
#pragma once

#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/resources/resource_records.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>

struct RcEntry;

class CResources {
public:
    /// Parses every resources/*.rc compiled into the program, in name order, in place of what was
    /// loaded. On a fault nothing changes, and error names the script and line, so start-up can
    /// say what is wrong and stop.
    bool LoadCompiledIn(std::string& error);
    /// Adds one script. Image names are taken relative to imageFolder, and each image must exist.
    /// Throws a CResourceError on a fault, a (type, id) defined twice included; nothing is added
    /// then.
    void AddScript(std::string_view source, const std::string& fileName,
                   const std::string& imageFolder);
    /// Reads and adds a script file whose image names are relative to its own folder.
    void AddScriptFile(const std::string& path);

    const CDialogTemplate* FindDialog(UINT id) const;
    const MenuRecord* FindMenu(UINT id) const;
    const AcceleratorRecord* FindAccelerators(UINT id) const;
    const ToolbarRecord* FindToolbar(UINT id) const;
    /// type is Bitmap, Icon or Cursor.
    const ImageRecord* FindImage(ResourceType type, UINT id) const;
    /// The string table's text for id; false, with text unchanged, when there is none.
    bool LoadString(UINT id, std::string& text) const;

private:
    struct Origin {
        std::string file;
        int line = 0;
    };
    using Key = std::pair<ResourceType, UINT>;

    /// Throws when the entry's (type, id) exists already, here or among added, or its image is
    /// missing.
    void CheckEntry(const RcEntry& entry, const std::string& fileName,
                    const std::string& imageFolder, const std::map<Key, Origin>& added) const;
    void Store(RcEntry&& entry, const std::string& imageFolder);

    std::map<Key, Origin> m_origins;
    std::map<UINT, CDialogTemplate> m_dialogs;
    std::map<UINT, MenuRecord> m_menus;
    std::map<UINT, AcceleratorRecord> m_accelerators;
    std::map<UINT, ToolbarRecord> m_toolbars;
    std::map<Key, ImageRecord> m_images;
    std::map<UINT, std::string> m_strings;
};

/// The program's resources, installed by start-up; until then an empty set that finds nothing.
void SetAppResources(CResources* resources);
CResources& AppResources();
/// The bytes of an image or icon of the program's resources; empty when it has none of that
/// number or its file cannot be read.
std::string ResourceImageBytes(ResourceType type, UINT id);
