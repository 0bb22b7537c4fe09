// diagrams/text_scheme_store.cpp: text schemes read from and written to the machine-wide store.
#include "diagrams/text_scheme_store.h"

#include "common/abort.h"
#include "common/preferences.h"
#include "platform/base/registry.h"
#include "platform/base/text.h"

#include <set>
#include <vector>

namespace {

constexpr const char* kSystemValue = "System";

std::string BoxTypeValue(int boxType)
{
    return "BoxType" + std::to_string(boxType);
}

/// A REG_SZ value of any length; nothing when it is missing or of another type.
std::optional<std::string> ReadText(HKEY key, const std::string& name)
{
    DWORD type = REG_NONE, size = 0;
    if (RegQueryValueEx(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::string bytes(size, '\0');
    if (RegQueryValueEx(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                        &size) != ERROR_SUCCESS)
        return std::nullopt;
    return bytes.substr(0, bytes.find('\0'));
}

bool WriteText(HKEY key, const std::string& name, const std::string& text)
{
    return RegSetValueEx(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool NeedsEscape(std::string_view name, std::size_t i)
{
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c == 0x7F || c == '%' || c == '\\' || c == '[' || c == ']')
        return true;
    return c == ' ' && (i == 0 || i + 1 == name.size());
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

/// Writes one scheme into its subkey, kept open in keys until the end of the save.
bool WriteScheme(HKEY parent, const CTextScheme& scheme, std::vector<HKEY>& keys)
{
    if (scheme.Name().empty())
        return false;
    HKEY key = nullptr;
    if (RegCreateKeyEx(parent, SchemeKeyName(scheme.Name()).c_str(), 0, "", REG_OPTION_NON_VOLATILE,
                       KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    keys.push_back(key);
    bool ok = WriteText(key, kSystemValue, scheme.IsSystem() ? "Yes" : "No");
    for (int type = 0; type < kBoxTypeCount && ok; ++type) {
        const std::string* text = scheme.GetSchemeTemplate(type, false);
        if (text)
            ok = WriteText(key, BoxTypeValue(type), *text);
        else {
            const LONG deleted = RegDeleteValue(key, BoxTypeValue(type).c_str());
            ok = deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
        }
    }
    return ok;
}

/// Removes the subkeys whose scheme is not in the list.
bool RemoveOthers(HKEY parent, const CTextSchemeList& list)
{
    std::set<std::string> kept;
    for (const auto& entry : list.Items())
        kept.insert(text::FoldedSortKey(SchemeKeyName(entry->Name())));
    std::vector<std::string> stale;
    std::string name;
    for (DWORD index = 0; RegEnumKey(parent, index, name) == ERROR_SUCCESS; ++index) {
        if (!kept.count(text::FoldedSortKey(name)))
            stale.push_back(name);
    }
    bool ok = true;
    for (const std::string& key : stale) {
        if (RegDeleteKey(parent, key.c_str()) != ERROR_SUCCESS)
            ok = false;
    }
    return ok;
}

} // namespace

std::string TextSchemesKey()
{
    return std::string(kProgramKey) + "\\Diagrams\\TextSchemes";
}

std::string SchemeKeyName(std::string_view name)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string key;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (!NeedsEscape(name, i)) {
            key += name[i];
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(name[i]);
        key += '%';
        key += kHex[c >> 4];
        key += kHex[c & 0xF];
    }
    return key;
}

std::string SchemeNameOfKey(std::string_view keyName)
{
    std::string name;
    for (std::size_t i = 0; i < keyName.size(); ++i) {
        const bool escape = keyName[i] == '%' && i + 2 < keyName.size();
        const int high = escape ? HexDigit(keyName[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(keyName[i + 2]) : -1;
        if (low < 0) {
            name += keyName[i];
            continue;
        }
        name += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return name;
}

bool LoadTextSchemes(CTextSchemeList& list, const TemplateCheck& check)
{
    HKEY parent = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, TextSchemesKey().c_str(), 0, KEY_READ, &parent) !=
        ERROR_SUCCESS)
        return false;
    std::vector<std::unique_ptr<CTextScheme>> loaded;
    std::string keyName;
    for (DWORD index = 0; RegEnumKey(parent, index, keyName) == ERROR_SUCCESS; ++index) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(parent, keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        auto scheme = std::make_unique<CTextScheme>();
        scheme->SetName(SchemeNameOfKey(keyName));
        const auto system = ReadText(key, kSystemValue);
        scheme->SetSystem(system && !system->empty() &&
                          (system->front() == 'Y' || system->front() == 'y'));
        for (int type = 0; type < kBoxTypeCount; ++type) {
            auto text = ReadText(key, BoxTypeValue(type));
            if (text && (!check || check(*text)))
                scheme->SetTemplate(std::move(text), type);
        }
        RegCloseKey(key);
        loaded.push_back(std::move(scheme));
    }
    RegCloseKey(parent);
    for (auto& scheme : loaded)
        list.Add(std::move(scheme));
    return true;
}

SaveOutcome SaveTextSchemes(const CTextSchemeList& list)
{
    HKEY parent = nullptr;
    bool ok =
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, TextSchemesKey().c_str(), 0, "", REG_OPTION_NON_VOLATILE,
                       KEY_ALL_ACCESS, nullptr, &parent, nullptr) == ERROR_SUCCESS;
    if (ok) {
        // The subkeys stay open until every scheme is written, so that the store's file is
        // written once with all of them.
        std::vector<HKEY> keys;
        for (const auto& entry : list.Items()) {
            if (!WriteScheme(parent, *entry, keys))
                ok = false;
        }
        for (HKEY key : keys) {
            if (RegCloseKey(key) != ERROR_SUCCESS)
                ok = false;
        }
        if (ok)
            ok = RemoveOthers(parent, list);
        if (RegCloseKey(parent) != ERROR_SUCCESS)
            ok = false;
    }
    if (!ok)
        return {"Unable to save text schemes."};
    return {};
}

void InitTextSchemes(CTextSchemeList& list, const TemplateCheck& check)
{
    LoadTextSchemes(list, check);
    for (const BuiltInScheme& row : BuiltInSchemes()) {
        if (list.FindScheme(row.name))
            continue;
        auto scheme = std::make_unique<CTextScheme>();
        scheme->SetName(row.name);
        scheme->SetSystem(true);
        for (int type = 0; type < kBoxTypeCount; ++type) {
            const auto& text = row.templates[std::size_t(type)];
            if (text && check && !check(*text))
                ThrowAbort();
            scheme->SetTemplate(text, type);
        }
        list.Add(std::move(scheme));
    }
}

std::string CheckNewSchemeName(const CTextSchemeList& list, std::string_view name)
{
    if (name.empty())
        return "Please enter a name for the new scheme.";
    if (list.FindScheme(name))
        return "Name is not unique.  Another Text Template Scheme already has this name.";
    if (name.find('\\') != std::string_view::npos)
        return "The '\\' character is not allowed in scheme names.";
    return {};
}
