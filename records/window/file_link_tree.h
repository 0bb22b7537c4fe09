// records/window/file_link_tree.h: the stored file names of the data set as a tree of drives,
// folders and files, with their presence on disk, and the moves and renames that rewrite them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CDataNode;

/// A stored file name in pieces. The drive part is a drive letter with its colon ("C:"), a
/// network name ("\\server\share"), "/" for a name that starts with "/", or empty; the folders
/// and the file follow, split at "/" and "\" (empty pieces dropped).
struct FilePathParts {
    std::string m_drive;
    std::vector<std::string> m_folders;
    std::string m_file;
};
FilePathParts SplitFilePath(std::string_view name);

/// One node of the tree. Kinds and states as the dialog's pictures need them.
struct FileLinkNode {
    enum Kind : int { kFile = 1, kFolder = 2, kDrive = 4 };
    enum State : int { kPresent = 8, kMissing = 16 };

    Kind m_kind = kFolder;
    State m_state = kPresent;
    std::string m_text;
    /// The file field whose stored name a file node stands for; null for none.
    CDataNode* m_link = nullptr;
    /// A file node's path as the tree gave it when the node was added: the path stands for the
    /// stored name until a move or rename makes it differ.
    std::string m_addedPath;
    FileLinkNode* m_parent = nullptr;
    std::vector<std::unique_ptr<FileLinkNode>> m_children;
};

/// Whether a path names something on disk; the program's answers go through the path layer, which
/// takes a path without a root against the open GEDCOM file's folder.
using FileExistsCheck = std::function<bool(const std::string& path, bool folder)>;
bool ExistsOnDisk(const std::string& path, bool folder);

/// Top-level nodes are drives (and folders of names without a drive part). Names under "/" are
/// compared with regard to case, all others without.
class CFileLinkTree {
public:
    explicit CFileLinkTree(FileExistsCheck exists = ExistsOnDisk);

    void Clear() { m_top.clear(); }
    const std::vector<std::unique_ptr<FileLinkNode>>& Top() const { return m_top; }

    /// Adds a file node for the stored name with its field (null for none); newBranch makes a
    /// drive node of its own even when one of that name exists. Null when the name has no file
    /// or is an address ("http:", "mailto:" and the like), which names no file.
    FileLinkNode* AddLink(std::string_view name, CDataNode* link, bool newBranch = false);
    /// Finds or makes the folder nodes of a folder path; null when it names no folder.
    FileLinkNode* FindOrAddFolder(std::string_view folder);
    /// The path of a node: "/" and "/" between the pieces under "/", "\" elsewhere.
    static std::string GetItemPath(const FileLinkNode& node);
    /// Checks every folder and file again from the top: missing when a folder above is missing
    /// or it is not on disk. Drives keep their state.
    void Refresh();

    enum class MoveResult { kMoved, kNotOneFolder, kIncludesDrive, kIntoItself };
    /// Whether the nodes may move at all: children of one folder, or all top-level and no
    /// drive among them.
    static MoveResult CheckMovable(const std::vector<FileLinkNode*>& nodes);
    /// Moves the nodes (children of one folder, or all top-level and no drive) under target, in
    /// order; folders left empty above the first node's old place go. Stops at a folder that
    /// would go into itself.
    MoveResult Move(const std::vector<FileLinkNode*>& nodes, FileLinkNode* target);
    /// A new name for a node; an empty name changes nothing.
    static void Rename(FileLinkNode& node, std::string_view name);

    /// Every file node with a field whose path differs from the one it was added with (moved
    /// or renamed), in display order, with its new path. The others keep their stored names.
    std::vector<std::pair<CDataNode*, std::string>> ChangedLinks() const;
    /// The file nodes of the tree in display order.
    std::vector<FileLinkNode*> Files() const;
    /// Whether something of the node's kind and name is on disk in folder.
    bool ExistsIn(const FileLinkNode& folder, const FileLinkNode& node) const;

private:
    FileLinkNode* AddUnder(FileLinkNode* parent, FileLinkNode::Kind kind, std::string text,
                           bool search, bool caseSensitive);
    bool Exists(const FileLinkNode& node) const;
    void RefreshBelow(FileLinkNode& node, bool parentPresent);
    void TakeOut(FileLinkNode& node, std::unique_ptr<FileLinkNode>& holder);
    std::vector<std::unique_ptr<FileLinkNode>>& SiblingsOf(FileLinkNode* parent);

    std::vector<std::unique_ptr<FileLinkNode>> m_top;
    FileExistsCheck m_exists;
};
