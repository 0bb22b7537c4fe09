// platform/base/registry.cpp: the registry calls over one INI file per root. A key is a section
// named by its path; a value is "Name=sz:text" (with \n, \r and \\ escaped) or "Name=dword:42";
// "@" names a key's default value.
#include "platform/base/registry.h"

#include "platform/base/ini_file.h"
#include "platform/base/paths.h"
#include "platform/base/text.h"

#include <cstring>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct RegKeyHandle {
    int root;
    std::string path; // the key's components joined with "\"; empty for the root itself
};

namespace {

RegKeyHandle g_machineRoot{0, {}};
RegKeyHandle g_userRoot{1, {}};
RegKeyHandle g_classesRoot{2, {}};

constexpr const char* kFileNames[] = {"machine.ini", "user.ini", "classes.ini"};

/// Every key of a root (each section and each key above one) by its path's folded components,
/// with its direct subkeys in file order, so that finding a key or its subkeys does not read
/// every section.
struct KeyTree {
    struct Node {
        std::vector<std::string> children; // first spelling of each
        std::unordered_set<std::string> folded;
    };
    std::unordered_map<std::string, Node> nodes; // by NodeKey
    bool built = false;
};

struct Root {
    CIniFile ini;
    std::string path;
    bool loaded = false;
    bool readable = true; // false when the file exists but cannot be read: it is never replaced
    KeyTree tree;         // built on first use, dropped when a key is deleted
};

/// The process-wide store: the three roots as read from their files, plus the open handles.
struct Store {
    std::mutex mutex;
    Root roots[3];
    std::unordered_set<const RegKeyHandle*> open;
    bool denyWrites = false;
};

Store& TheStore()
{
    static Store store;
    return store;
}

bool IsRootHandle(HKEY key)
{
    return key == &g_machineRoot || key == &g_userRoot || key == &g_classesRoot;
}

bool IsValid(const Store& store, HKEY key)
{
    return key && (IsRootHandle(key) || store.open.count(key) > 0);
}

Root& Loaded(Store& store, const RegKeyHandle* key)
{
    Root& root = store.roots[key->root];
    if (!root.loaded) {
        root.path = paths::Join(paths::ConfigFolder(), kFileNames[key->root]);
        root.readable = root.ini.Load(root.path);
        root.tree = KeyTree();
        root.loaded = true;
    }
    return root;
}

/// Writes the root's file when it holds changes; false when that fails.
bool Flush(Root& root)
{
    if (!root.loaded || !root.ini.IsModified())
        return true;
    if (!root.readable)
        return false;
    paths::MakeDirectories(paths::Folder(root.path), 0700);
    return root.ini.Save(root.path);
}

std::vector<std::string> Components(std::string_view path)
{
    std::vector<std::string> parts;
    while (!path.empty()) {
        const std::size_t end = path.find('\\');
        if (end != 0)
            parts.emplace_back(path.substr(0, end));
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
    }
    return parts;
}

std::string JoinPath(std::string_view base, const char* subKey)
{
    std::vector<std::string> parts = Components(base);
    for (std::string& part : Components(subKey ? subKey : ""))
        parts.push_back(std::move(part));
    std::string path;
    for (const std::string& part : parts)
        path += (path.empty() ? "" : "\\") + part;
    return path;
}

/// The tree's key of a path's components: each folded component with its length before it.
std::string NodeKey(const std::vector<std::string>& parts)
{
    std::string key;
    for (const std::string& part : parts) {
        const std::string folded = text::FoldedSortKey(part);
        key += std::to_string(folded.size()) + ":" + folded;
    }
    return key;
}

void AddToTree(KeyTree& tree, const std::vector<std::string>& parts)
{
    std::string key;
    tree.nodes.try_emplace(key);
    for (const std::string& part : parts) {
        const std::string folded = text::FoldedSortKey(part);
        KeyTree::Node& node = tree.nodes[key];
        if (node.folded.insert(folded).second)
            node.children.push_back(part);
        key += std::to_string(folded.size()) + ":" + folded;
        tree.nodes.try_emplace(key);
    }
}

KeyTree& TreeOf(Root& root)
{
    if (!root.tree.built) {
        root.tree.nodes.clear();
        for (const std::string& section : root.ini.Sections())
            AddToTree(root.tree, Components(section));
        root.tree.built = true;
    }
    return root.tree;
}

/// The names one level below the key, in file order, each once; valid until the next change.
const std::vector<std::string>& Subkeys(Root& root, const std::string& path)
{
    static const std::vector<std::string> kNone;
    const KeyTree& tree = TreeOf(root);
    const auto found = tree.nodes.find(NodeKey(Components(path)));
    return found == tree.nodes.end() ? kNone : found->second.children;
}

bool KeyExists(Root& root, const std::string& path)
{
    if (path.empty() || root.ini.HasSection(path))
        return true;
    return TreeOf(root).nodes.count(NodeKey(Components(path))) > 0;
}

std::string ValueName(const char* name)
{
    return name && *name ? name : "@";
}

std::string Escape(std::string_view value)
{
    std::string out;
    for (const char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

/// Reverses Escape; a backslash before any other character stays as written.
std::string Unescape(std::string_view stored)
{
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char next = i + 1 < stored.size() ? stored[i + 1] : '\0';
        if (stored[i] != '\\' || (next != '\\' && next != 'n' && next != 'r')) {
            out += stored[i];
            continue;
        }
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
        ++i;
    }
    return out;
}

struct Value {
    DWORD type;
    std::string bytes; // REG_SZ: the text and its terminating zero; REG_DWORD: 4 bytes
};

bool HasPrefix(std::string_view stored, std::string_view prefix)
{
    return stored.size() >= prefix.size() &&
           text::EqualsNoCase(stored.substr(0, prefix.size()), prefix);
}

/// The stored text as a typed value; text without a known type prefix reads as REG_SZ.
Value Decode(std::string_view stored)
{
    long number = 0;
    if (HasPrefix(stored, "dword:") && text::ParseInt(stored.substr(6), number) && number >= 0 &&
        number <= 0xFFFFFFFFL) {
        const DWORD dword = static_cast<DWORD>(number);
        return {REG_DWORD, std::string(reinterpret_cast<const char*>(&dword), sizeof dword)};
    }
    std::string text = HasPrefix(stored, "sz:") ? Unescape(stored.substr(3)) : std::string(stored);
    text.push_back('\0');
    return {REG_SZ, std::move(text)};
}

/// The stored text for a value, or nothing for a type the store does not keep.
std::optional<std::string> Encode(DWORD type, const BYTE* data, DWORD size)
{
    if (type == REG_DWORD) {
        if (!data || size < sizeof(DWORD))
            return std::nullopt;
        DWORD number = 0;
        std::memcpy(&number, data, sizeof number);
        return "dword:" + std::to_string(number);
    }
    if (type != REG_SZ || (!data && size > 0))
        return std::nullopt;
    std::string_view value =
        data ? std::string_view(reinterpret_cast<const char*>(data), size) : "";
    value = value.substr(0, value.find('\0'));
    return "sz:" + Escape(value);
}

HKEY NewHandle(Store& store, int root, std::string path)
{
    HKEY key = new RegKeyHandle{root, std::move(path)};
    store.open.insert(key);
    return key;
}

} // namespace

HKEY const HKEY_LOCAL_MACHINE = &g_machineRoot;
HKEY const HKEY_CURRENT_USER = &g_userRoot;
HKEY const HKEY_CLASSES_ROOT = &g_classesRoot;

LONG RegOpenKeyEx(HKEY parent, const char* subKey, DWORD, REGSAM, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!IsValid(store, parent))
        return ERROR_INVALID_HANDLE;
    std::string path = JoinPath(parent->path, subKey);
    if (!KeyExists(Loaded(store, parent), path))
        return ERROR_FILE_NOT_FOUND;
    *result = NewHandle(store, parent->root, std::move(path));
    return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY parent, const char* subKey, DWORD, const char*, DWORD, REGSAM, void*,
                    HKEY* result, DWORD* disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!IsValid(store, parent))
        return ERROR_INVALID_HANDLE;
    if (store.denyWrites)
        return ERROR_ACCESS_DENIED;
    std::string path = JoinPath(parent->path, subKey);
    Root& root = Loaded(store, parent);
    const bool exists = KeyExists(root, path);
    if (!exists && !root.ini.AddSection(path))
        return ERROR_INVALID_PARAMETER;
    if (!exists && root.tree.built)
        AddToTree(root.tree, Components(path));
    if (disposition)
        *disposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = NewHandle(store, parent->root, std::move(path));
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, const char* name, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!IsValid(store, key))
        return ERROR_INVALID_HANDLE;
    const auto stored = Loaded(store, key).ini.Get(key->path, ValueName(name));
    if (!stored)
        return ERROR_FILE_NOT_FOUND;
    const Value value = Decode(*stored);
    const DWORD needed = static_cast<DWORD>(value.bytes.size());
    if (type)
        *type = value.type;
    if (data) {
        if (!size)
            return ERROR_INVALID_PARAMETER;
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, value.bytes.data(), needed);
    }
    if (size)
        *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, const char* name, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!IsValid(store, key))
        return ERROR_INVALID_HANDLE;
    if (store.denyWrites)
        return ERROR_ACCESS_DENIED;
    const auto stored = Encode(type, data, size);
    Root& root = Loaded(store, key);
    const bool hadSection = root.ini.HasSection(key->path);
    if (!stored || !root.ini.Set(key->path, ValueName(name), *stored))
        return ERROR_INVALID_PARAMETER;
    if (!hadSection && root.tree.built)
        AddToTree(root.tree, Components(key->path));
    return ERROR_SUCCESS;
}

LONG RegDeleteValue(HKEY key, const char* name)
{
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!IsValid(store, key))
        return ERROR_INVALID_HANDLE;
    if (store.denyWrites)
        return ERROR_ACCESS_DENIED;
    return Loaded(store, key).ini.DeleteKey(key->path, ValueName(name)) ? ERROR_SUCCESS
                                                                        : ERROR_FILE_NOT_FOUND;
}

LONG RegDeleteKey(HKEY parent, const char* subKey)
{
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!IsValid(store, parent))
        return ERROR_INVALID_HANDLE;
    if (store.denyWrites)
        return ERROR_ACCESS_DENIED;
    const std::string path = JoinPath(parent->path, subKey);
    Root& root = Loaded(store, parent);
    if (path.empty())
        return ERROR_ACCESS_DENIED;
    if (!KeyExists(root, path))
        return ERROR_FILE_NOT_FOUND;
    if (!Subkeys(root, path).empty())
        return ERROR_ACCESS_DENIED;
    root.ini.DeleteSection(path);
    root.tree.built = false;
    return Flush(root) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RegEnumKey(HKEY key, DWORD index, std::string& name)
{
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!IsValid(store, key))
        return ERROR_INVALID_HANDLE;
    const std::vector<std::string>& names = Subkeys(Loaded(store, key), key->path);
    if (index >= names.size())
        return ERROR_NO_MORE_ITEMS;
    name = names[index];
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!IsValid(store, key))
        return ERROR_INVALID_HANDLE;
    const bool written = Flush(store.roots[key->root]);
    if (!IsRootHandle(key)) {
        store.open.erase(key);
        delete key;
    }
    return written ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

void RegSetDenyWrites(bool deny)
{
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    store.denyWrites = deny;
}

void RegReset()
{
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    for (Root& root : store.roots) {
        root.ini = CIniFile();
        root.path.clear();
        root.loaded = false;
        root.readable = true;
        root.tree = KeyTree();
    }
}

std::optional<RegStoredValue> RegReadUserValue(const std::string& keyPath, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<RegStoredValue> result;
    RegStoredValue stored;
    DWORD size = 0;
    if (RegQueryValueEx(key, name, nullptr, &stored.type, nullptr, &size) == ERROR_SUCCESS) {
        stored.bytes.resize(size);
        if (RegQueryValueEx(key, name, nullptr, &stored.type,
                            reinterpret_cast<BYTE*>(stored.bytes.data()), &size) == ERROR_SUCCESS) {
            stored.bytes.resize(size);
            result = std::move(stored);
        }
    }
    RegCloseKey(key);
    return result;
}
