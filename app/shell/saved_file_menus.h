// app/shell/saved_file_menus.h: the menus that list saved diagrams, queries and reports, filled
// from their folders each time they open, and the file each of their items stands for.
#pragma once

#include "platform/base/types.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class CMenu;

/// What a saved file holds.
enum class SavedFileKind { kDiagram, kQuery, kReport };

/// Six menus, each with its own range of command ids: standard diagrams (the four diagram
/// commands stay first), custom diagrams, standard and custom queries, more reports (leaving out
/// the two reports that have their own commands) and custom reports. An item is the file name
/// without its extension, in the sorted order of the folder. When a folder holds more files than
/// the range has ids, the last id becomes "More...", which picks among all of them. The files
/// listed are remembered, so that an item opens the file it showed even when the folder changed
/// since.
class CSavedFileMenus {
public:
    using EnabledTest = std::function<bool(SavedFileKind)>;
    /// Where the report library keeps the standard (false) or custom (true) reports, and its
    /// rescan of the standard reports (true when it restored any). Without them the reports'
    /// folders come from the folder settings and nothing is rescanned.
    using ReportFolder = std::function<std::string(bool custom)>;
    using ReportRescan = std::function<bool()>;
    static void SetReportFolders(ReportFolder folder, ReportRescan rescan);
    static bool HasReportFolders();

    CSavedFileMenus();

    /// Fills popup when its first item marks it as one of the six menus; false for any other
    /// pop-up. Items of a kind for which enabled answers false are greyed.
    bool Fill(CMenu& popup, const EnabledTest& enabled);
    /// The file of a command of the menus: the file its item listed, or for "More..." the file
    /// the user picks in that folder. False when the command stands for no file (an item not
    /// listed, or a pick cancelled).
    bool FileForCommand(UINT id, SavedFileKind& kind, std::string& path) const;

private:
    struct Listed {
        std::vector<std::string> paths;
        std::string folder;
        bool more = false;
    };

    /// Lists the files of the menu at index; an empty list when its folder cannot be read.
    /// An empty standard reports folder is rescanned once unless rescanned is set.
    Listed ListFiles(std::size_t index, bool rescanned = false) const;

    std::array<Listed, 6> m_listed;
};
