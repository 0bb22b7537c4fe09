// common/preferences.cpp: loading and saving the preferences in the machine-wide key.
#include "common/preferences.h"

#include "common/registry_values.h"
#include "platform/base/registry.h"
#include "platform/base/text.h"

#include <cstring>
#include <span>

namespace {

/// A message whose "show again" flag is stored under its value name.
struct ShowOnceRow {
    std::uint32_t m_key;
    const char* m_name;
};

/// No message uses the show-once mechanism yet; a message becomes one by getting a row here.
constexpr std::span<const ShowOnceRow> kShowOnceTable{};

const char* const kBarNames[kBarCount][2] = {
    {"Toolbar-Std-Rect", "Toolbar-Std-Float"},
    {"Toolbar-Rec-Rect", "Toolbar-Rec-Float"},
    {"Toolbar-Dgm-Rect", "Toolbar-Dgm-Float"},
    {"Toolbar-Media-Rect", "Toolbar-Media-Float"},
};

const char* const kAutoNamedListNames[kAutoNamedListCount] = {
    "Auto Named List 1", "Auto Named List 2", "Auto Named List 3",
    "Auto Named List 4", "Auto Named List 5", "Auto Named List 6",
};

const char* const kAutoNamedListDefaults[kAutoNamedListCount] = {
    "Bookmarks", "Work in Progress", "Key Individuals", "", "", "",
};

std::string SubKey(const char* name)
{
    return std::string(kProgramKey) + "\\" + name;
}

HKEY CreateKey(const char* name, REGSAM access)
{
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, SubKey(name).c_str(), 0, "", REG_OPTION_NON_VOLATILE,
                       access, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

/// Reads each value, or its default when it is missing, of another type or too long.
struct Loader {
    HKEY m_key;

    void Bool(const char* name, bool& value, bool defaultValue)
    {
        value = RegGetBool(m_key, name, defaultValue);
    }
    void Number(const char* name, int& value, int defaultValue)
    {
        value = static_cast<int>(RegGetDword(m_key, name, static_cast<DWORD>(defaultValue)));
    }
    void Text(const char* name, std::string& value, const char* defaultValue)
    {
        value = RegGetString(m_key, name, defaultValue);
    }
    /// Only the first character counts; white space, nothing, or a character of more than one
    /// byte leaves the separator as it is.
    void Separator(const char* name, char& value)
    {
        const std::string stored = RegGetString(m_key, name, "/");
        const unsigned char first = stored.empty() ? 0 : static_cast<unsigned char>(stored[0]);
        if (first != 0 && first < 0x80 && !text::IsSpace(static_cast<char>(first)))
            value = static_cast<char>(first);
    }
    void Bar(int index, BarPlacement& bar)
    {
        bar.m_rect = RegGetRect(m_key, kBarNames[index][0]);
        bar.m_floating = RegGetBool(m_key, kBarNames[index][1], false);
    }
};

/// Writes each value; failures are silent.
struct Saver {
    HKEY m_key;

    void Bool(const char* name, bool& value, bool) { RegSetBool(m_key, name, value); }
    void Number(const char* name, int& value, int)
    {
        RegSetDword(m_key, name, static_cast<DWORD>(value));
    }
    void Text(const char* name, std::string& value, const char*)
    {
        RegSetString(m_key, name, value);
    }
    void Separator(const char* name, char& value)
    {
        RegSetString(m_key, name, std::string(1, value));
    }
    void Bar(int index, BarPlacement& bar)
    {
        RegSetRect(m_key, kBarNames[index][0], bar.m_rect);
        RegSetBool(m_key, kBarNames[index][1], bar.m_floating);
    }
};

template <class Io> void VisitBars(Preferences& p, Io& io)
{
    for (int i = 0; i < kBarCount; ++i)
        io.Bar(i, p.m_bars[i]);
}

/// Every value of the "Preferences" key in its order, with its default; the toolbar placements
/// come after the date separator when withBars is set.
template <class Io> void VisitValues(Preferences& p, Io& io, bool withBars)
{
    io.Bool("Allow Numeric Dates", p.m_allowNumericDates, true);
    io.Bool("Exclude Gedcom Extensions", p.m_excludeGedcomExtensions, false);
    io.Bool("Exclude Non Std Tags", p.m_excludeNonStdTags, false);
    io.Bool("Auto Cleanup Family Reords", p.m_autoCleanupFamilies, true);
    io.Number("Numeric Date Format", p.m_numericDateFormat, 0);
    io.Separator("Numeric Date Separator", p.m_numericDateSeparator);
    if (withBars)
        VisitBars(p, io);
    io.Number("Std Life In Yrs", p.m_stdLifeInYears, 50);
    io.Text("Start Here Text", p.m_startHereText, "<start here>");
    io.Text("Default File", p.m_defaultFile, "");
    io.Text("Startup Directory", p.m_startupDirectory, "");
    io.Text("Backup Directory", p.m_backupDirectory, "");
    io.Bool("Hide Splash Panel", p.m_hideSplashPanel, false);
    for (int i = 0; i < kAutoNamedListCount; ++i)
        io.Text(kAutoNamedListNames[i], p.m_autoNamedLists[i], kAutoNamedListDefaults[i]);
    io.Number("Prop Dlg Size - Diagram", p.m_propDlgSizeDiagram, kPropDlgLarge);
    io.Number("Prop Dlg Size - Drag Add", p.m_propDlgSizeDragAdd, kPropDlgSmall);
    io.Number("Prop Dlg Size - Default", p.m_propDlgSizeDefault, kPropDlgLarge);
    io.Bool("Enable Autosave", p.m_enableAutosave, false);
    io.Number("Autosave Mins", p.m_autosaveMinutes, 5);
    io.Bool("Backup Prompt", p.m_backupPrompt, true);
    io.Bool("File Out Families First", p.m_familiesFirst, false);
    io.Bool("Surnames in Upper Case", p.m_surnamesInUpperCase, true);
    io.Bool("Auto-add Surnames", p.m_autoAddSurnames, true);
    io.Bool("Register For GEDCOM", p.m_registerForGedcom, true);
}

/// "Enable Beginners Help" is true when it cannot be read, else when its bytes spell "TRUE",
/// whatever the type of the value.
bool ReadEnableBeginnersHelp(HKEY key)
{
    char data[kRegTextSize] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof data;
    if (RegQueryValueEx(key, "Enable Beginners Help", nullptr, &type, reinterpret_cast<BYTE*>(data),
                        &size) != ERROR_SUCCESS)
        return true;
    return text::EqualsNoCase(std::string_view(data, strnlen(data, size)), "TRUE");
}

void LoadShowOnce(Preferences& p)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, SubKey("Beginners Help").c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        for (const ShowOnceRow& row : kShowOnceTable)
            p.m_showOnce[row.m_key] = true;
        return;
    }
    p.m_enableBeginnersHelp = ReadEnableBeginnersHelp(key);
    for (const ShowOnceRow& row : kShowOnceTable)
        p.m_showOnce[row.m_key] = RegGetBool(key, row.m_name, true);
    RegCloseKey(key);
}

void SaveShowOnce(const Preferences& p)
{
    HKEY key = CreateKey("Beginners Help", KEY_WRITE);
    if (!key)
        return;
    RegSetBool(key, "Enable Beginners Help", p.m_enableBeginnersHelp);
    for (const ShowOnceRow& row : kShowOnceTable) {
        const auto found = p.m_showOnce.find(row.m_key);
        RegSetBool(key, row.m_name, found == p.m_showOnce.end() || found->second);
    }
    RegCloseKey(key);
}

} // namespace

Preferences& Prefs()
{
    static Preferences preferences;
    return preferences;
}

void LoadPreferences()
{
    Preferences& p = Prefs();
    LoadShowOnce(p);
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, SubKey("Preferences").c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        key = CreateKey("Preferences", KEY_READ | KEY_WRITE);
    if (!key)
        return;
    Loader loader{key};
    VisitValues(p, loader, true);
    RegCloseKey(key);
}

void SavePreferences()
{
    Preferences& p = Prefs();
    SaveShowOnce(p);
    HKEY key = CreateKey("Preferences", KEY_WRITE);
    if (!key)
        return;
    Saver saver{key};
    VisitValues(p, saver, false);
    RegCloseKey(key);
}

void SaveToolbarPlacements()
{
    HKEY key = CreateKey("Preferences", KEY_WRITE);
    if (!key)
        return;
    Saver saver{key};
    VisitBars(Prefs(), saver);
    RegCloseKey(key);
}

BarPlacement* GetBarPlacement(int index)
{
    if (index < 0 || index >= kBarCount)
        return nullptr;
    return &Prefs().m_bars[static_cast<std::size_t>(index)];
}
