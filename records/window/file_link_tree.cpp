// records/window/file_link_tree.cpp: splitting stored file names, building the tree of drives,
// folders and files, checking presence, moving and renaming.
#include "records/window/file_link_tree.h"

#include "database/multimedia/linked_file_location.h"
#include "platform/base/paths.h"
#include "platform/base/text.h"

#include <algorithm>

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool IsLetterDrive(std::string_view text)
{
    return text.size() == 2 && text[1] == ':' &&
           ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

bool SameText(std::string_view a, std::string_view b, bool caseSensitive)
{
    return caseSensitive ? a == b : text::EqualsNoCase(a, b);
}

bool IsInside(const FileLinkNode* node, const FileLinkNode* folder)
{
    for (; node; node = node->m_parent)
        if (node == folder)
            return true;
    return false;
}

void CollectFiles(const std::vector<std::unique_ptr<FileLinkNode>>& nodes,
                  std::vector<FileLinkNode*>& files)
{
    for (const auto& node : nodes) {
        if (node->m_kind == FileLinkNode::kFile)
            files.push_back(node.get());
        CollectFiles(node->m_children, files);
    }
}

} // namespace

FilePathParts SplitFilePath(std::string_view name)
{
    std::size_t at = 0;
    while (at < name.size() && text::IsSpace(name[at]))
        ++at;
    name.remove_prefix(at);
    FilePathParts parts;
    std::string_view rest;
    if (name.size() >= 2 && name[0] == '\\' && name[1] == '\\') {
        // "\\server\share": the drive part runs to the backslash that ends the share.
        std::size_t end = name.find('\\', 2);
        if (end != std::string_view::npos)
            end = name.find('\\', end + 1);
        parts.m_drive = std::string(name.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : name.substr(end + 1);
    } else if (name.size() >= 2 && name[1] == ':') {
        parts.m_drive = std::string(name.substr(0, 2));
        rest = name.substr(2);
    } else if (!name.empty() && name[0] == '/') {
        parts.m_drive = "/";
        rest = name.substr(1);
    } else {
        rest = name;
    }
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && !IsSeparator(rest[i]))
            continue;
        if (i > start)
            pieces.emplace_back(rest.substr(start, i - start));
        start = i + 1;
    }
    if (!pieces.empty() && !rest.empty() && !IsSeparator(rest.back())) {
        parts.m_file = std::move(pieces.back());
        pieces.pop_back();
    }
    parts.m_folders = std::move(pieces);
    return parts;
}

bool ExistsOnDisk(const std::string& path, bool folder)
{
    const std::string native = LinkedFileLocation(path);
    return folder ? paths::IsDirectory(native) : paths::Exists(native);
}

CFileLinkTree::CFileLinkTree(FileExistsCheck exists) : m_exists(std::move(exists)) {}

std::vector<std::unique_ptr<FileLinkNode>>& CFileLinkTree::SiblingsOf(FileLinkNode* parent)
{
    return parent ? parent->m_children : m_top;
}

bool CFileLinkTree::Exists(const FileLinkNode& node) const
{
    return m_exists && m_exists(GetItemPath(node), node.m_kind != FileLinkNode::kFile);
}

FileLinkNode* CFileLinkTree::AddUnder(FileLinkNode* parent, FileLinkNode::Kind kind,
                                      std::string text, bool search, bool caseSensitive)
{
    auto& siblings = SiblingsOf(parent);
    if (search && kind != FileLinkNode::kFile)
        for (const auto& sibling : siblings)
            if (sibling->m_kind == kind && SameText(sibling->m_text, text, caseSensitive))
                return sibling.get();
    auto node = std::make_unique<FileLinkNode>();
    node->m_kind = kind;
    node->m_text = std::move(text);
    node->m_parent = parent;
    auto where = siblings.end();
    if (kind == FileLinkNode::kDrive && IsLetterDrive(node->m_text)) {
        // Letter drives stand together, in letter order.
        where = std::find_if(siblings.begin(), siblings.end(), [&](const auto& sibling) {
            return sibling->m_kind == FileLinkNode::kDrive && IsLetterDrive(sibling->m_text) &&
                   text::CompareNoCase(sibling->m_text, node->m_text) > 0;
        });
    }
    if (kind == FileLinkNode::kDrive)
        node->m_state = node->m_text == "/" ? FileLinkNode::kPresent
                        : Exists(*node)     ? FileLinkNode::kPresent
                                            : FileLinkNode::kMissing;
    else
        node->m_state = (!parent || parent->m_state == FileLinkNode::kPresent) && Exists(*node)
                            ? FileLinkNode::kPresent
                            : FileLinkNode::kMissing;
    return siblings.insert(where, std::move(node))->get();
}

FileLinkNode* CFileLinkTree::AddLink(std::string_view name, CDataNode* link, bool newBranch)
{
    if (IsUrlLink(name))
        return nullptr;
    const FilePathParts parts = SplitFilePath(name);
    if (parts.m_file.empty())
        return nullptr;
    FileLinkNode* at = nullptr;
    bool search = true;
    if (!parts.m_drive.empty()) {
        at = AddUnder(nullptr, FileLinkNode::kDrive, parts.m_drive, !newBranch,
                      parts.m_drive == "/");
        search = !newBranch;
    }
    const bool caseSensitive = parts.m_drive == "/";
    for (const std::string& folder : parts.m_folders) {
        const std::size_t before = SiblingsOf(at).size();
        at = AddUnder(at, FileLinkNode::kFolder, folder, search, caseSensitive);
        // Below a node made by this call there is nothing to find.
        search = search && SiblingsOf(at ? at->m_parent : nullptr).size() == before;
    }
    FileLinkNode* file = AddUnder(at, FileLinkNode::kFile, parts.m_file, false, caseSensitive);
    file->m_link = link;
    file->m_addedPath = GetItemPath(*file);
    return file;
}

FileLinkNode* CFileLinkTree::FindOrAddFolder(std::string_view folder)
{
    std::string name(folder);
    if (name.empty())
        return nullptr;
    if (!IsSeparator(name.back()))
        name += '/';
    const FilePathParts parts = SplitFilePath(name);
    FileLinkNode* at = nullptr;
    if (!parts.m_drive.empty())
        at = AddUnder(nullptr, FileLinkNode::kDrive, parts.m_drive, true, parts.m_drive == "/");
    for (const std::string& piece : parts.m_folders)
        at = AddUnder(at, FileLinkNode::kFolder, piece, true, parts.m_drive == "/");
    return at;
}

std::string CFileLinkTree::GetItemPath(const FileLinkNode& node)
{
    std::vector<const FileLinkNode*> chain;
    for (const FileLinkNode* at = &node; at; at = at->m_parent)
        chain.insert(chain.begin(), at);
    const bool rooted =
        chain.front()->m_kind == FileLinkNode::kDrive && chain.front()->m_text == "/";
    const char separator = rooted ? '/' : '\\';
    std::string path;
    for (const FileLinkNode* at : chain) {
        if (at == chain.front() && rooted) {
            path = "/";
            continue;
        }
        if (!path.empty() && !IsSeparator(path.back()))
            path += separator;
        path += at->m_text;
    }
    return path;
}

bool CFileLinkTree::ExistsIn(const FileLinkNode& folder, const FileLinkNode& node) const
{
    std::string path = GetItemPath(folder);
    if (!path.empty() && !IsSeparator(path.back()))
        path += path.front() == '/' ? '/' : '\\';
    return m_exists && m_exists(path + node.m_text, node.m_kind != FileLinkNode::kFile);
}

void CFileLinkTree::RefreshBelow(FileLinkNode& node, bool parentPresent)
{
    if (node.m_kind != FileLinkNode::kDrive)
        node.m_state =
            parentPresent && Exists(node) ? FileLinkNode::kPresent : FileLinkNode::kMissing;
    for (const auto& child : node.m_children)
        RefreshBelow(*child, node.m_state == FileLinkNode::kPresent);
}

void CFileLinkTree::Refresh()
{
    for (const auto& top : m_top)
        RefreshBelow(*top, true);
}

void CFileLinkTree::TakeOut(FileLinkNode& node, std::unique_ptr<FileLinkNode>& holder)
{
    auto& siblings = SiblingsOf(node.m_parent);
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [&](const auto& sibling) { return sibling.get() == &node; });
    holder = std::move(*it);
    siblings.erase(it);
}

CFileLinkTree::MoveResult CFileLinkTree::CheckMovable(const std::vector<FileLinkNode*>& nodes)
{
    for (const FileLinkNode* node : nodes)
        if (node->m_parent != nodes.front()->m_parent)
            return MoveResult::kNotOneFolder;
    for (const FileLinkNode* node : nodes)
        if (node->m_kind == FileLinkNode::kDrive)
            return MoveResult::kIncludesDrive;
    return MoveResult::kMoved;
}

CFileLinkTree::MoveResult CFileLinkTree::Move(const std::vector<FileLinkNode*>& nodes,
                                              FileLinkNode* target)
{
    if (nodes.empty() || !target)
        return MoveResult::kMoved;
    if (const MoveResult check = CheckMovable(nodes); check != MoveResult::kMoved)
        return check;
    FileLinkNode* parent = nodes.front()->m_parent;
    for (FileLinkNode* node : nodes) {
        if (IsInside(target, node))
            return MoveResult::kIntoItself;
        std::unique_ptr<FileLinkNode> moved;
        TakeOut(*node, moved);
        moved->m_parent = target;
        target->m_children.push_back(std::move(moved));
    }
    // Folders left empty above the old place go, up to one that still holds something.
    while (parent && parent->m_children.empty() && parent->m_kind == FileLinkNode::kFolder) {
        FileLinkNode* above = parent->m_parent;
        std::unique_ptr<FileLinkNode> gone;
        TakeOut(*parent, gone);
        parent = above;
    }
    Refresh();
    return MoveResult::kMoved;
}

void CFileLinkTree::Rename(FileLinkNode& node, std::string_view name)
{
    if (!name.empty())
        node.m_text = std::string(name);
}

std::vector<FileLinkNode*> CFileLinkTree::Files() const
{
    std::vector<FileLinkNode*> files;
    CollectFiles(m_top, files);
    return files;
}

std::vector<std::pair<CDataNode*, std::string>> CFileLinkTree::ChangedLinks() const
{
    std::vector<std::pair<CDataNode*, std::string>> links;
    for (FileLinkNode* file : Files()) {
        if (!file->m_link)
            continue;
        std::string path = GetItemPath(*file);
        if (path != file->m_addedPath)
            links.emplace_back(file->m_link, std::move(path));
    }
    return links;
}
