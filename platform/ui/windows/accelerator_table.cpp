// platform/ui/windows/accelerator_table.cpp: matching keys against the table, and the key names.
#include "platform/ui/windows/accelerator_table.h"

#include "platform/ui/detail/app_events.h"
#include "platform/ui/detail/command_dispatch.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/wnd.h"

#include <utility>

namespace {

struct KeyName {
    UINT vk;
    const char* name;
};

constexpr KeyName kKeyNames[] = {
    {VK_BACK, "Backspace"}, {VK_TAB, "Tab"},      {VK_CLEAR, "Clear"},    {VK_RETURN, "Enter"},
    {VK_PAUSE, "Pause"},    {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},    {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},      {VK_END, "End"},      {VK_HOME, "Home"},      {VK_LEFT, "Left"},
    {VK_UP, "Up"},          {VK_RIGHT, "Right"},  {VK_DOWN, "Down"},      {VK_SNAPSHOT, "Print"},
    {VK_INSERT, "Ins"},     {VK_DELETE, "Del"},   {VK_HELP, "Help"},      {VK_APPS, "Menu"},
    {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"},    {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num ."},
    {VK_DIVIDE, "Num /"},   {VK_OEM_1, ";"},      {VK_OEM_PLUS, "="},     {VK_OEM_COMMA, ","},
    {VK_OEM_MINUS, "-"},    {VK_OEM_PERIOD, "."}, {VK_OEM_2, "/"},        {VK_OEM_3, "`"},
    {VK_OEM_4, "["},        {VK_OEM_5, "\\"},     {VK_OEM_6, "]"},        {VK_OEM_7, "'"},
};

/// The name of a virtual key; empty for a key without one.
std::string VirtualKeyName(UINT vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return std::string(1, char(vk));
    if (vk >= VK_F1 && vk <= VK_F24)
        return "F" + std::to_string(vk - VK_F1 + 1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return "Num " + std::to_string(vk - VK_NUMPAD0);
    for (const KeyName& key : kKeyNames)
        if (key.vk == vk)
            return key.name;
    return {};
}

bool Held(int vk)
{
    return GetKeyState(vk) < 0;
}

} // namespace

CAcceleratorTable::CAcceleratorTable(std::vector<ACCEL> entries) : m_entries(std::move(entries)) {}

CAcceleratorTable::~CAcceleratorTable()
{
    Uninstall();
}

BOOL CAcceleratorTable::LoadAccelTable(UINT resourceId)
{
    const AcceleratorRecord* record = AppResources().FindAccelerators(resourceId);
    if (!record)
        return FALSE;
    m_entries = record->entries;
    return TRUE;
}

void CAcceleratorTable::Install(CWnd* owner)
{
    Uninstall();
    if (!owner || !owner->GetSafeHwnd())
        return;
    m_owner = owner;
    ui_detail::SetAccelerators(*owner, this);
}

void CAcceleratorTable::Uninstall()
{
    if (m_owner)
        ui_detail::RemoveAccelerators(this);
    m_owner = nullptr;
}

UINT CAcceleratorTable::FindCommand(const MSG& msg) const
{
    bool virtualKey = false;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        virtualKey = true;
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        break;
    default:
        return 0;
    }
    const bool alt = Held(VK_MENU);
    for (const ACCEL& accel : m_entries) {
        if (((accel.fVirt & FVIRTKEY) != 0) != virtualKey || accel.key != msg.wParam)
            continue;
        // A character already says whether Shift was down; a virtual key needs its modifiers
        // exactly as listed.
        if (alt != ((accel.fVirt & FALT) != 0))
            continue;
        if (virtualKey && (Held(VK_CONTROL) != ((accel.fVirt & FCONTROL) != 0) ||
                           Held(VK_SHIFT) != ((accel.fVirt & FSHIFT) != 0)))
            continue;
        return accel.cmd;
    }
    return 0;
}

BOOL CAcceleratorTable::TranslateAccelerator(CWnd* target, const MSG& msg) const
{
    if (!target || !target->GetSafeHwnd())
        return FALSE;
    const UINT command = FindCommand(msg);
    if (!command)
        return FALSE;
    ui_detail::RunEnabledCommand(*target, command, 1);
    return TRUE;
}

std::string CAcceleratorTable::GetKeyText(UINT command) const
{
    std::string keys;
    for (const ACCEL& accel : m_entries) {
        if (accel.cmd != command)
            continue;
        const std::string key = KeyText(accel);
        if (key.empty())
            continue;
        if (!keys.empty())
            keys += ", ";
        keys += key;
    }
    return keys;
}

std::string CAcceleratorTable::ApplyKeyText(const std::string& itemText, UINT command) const
{
    const std::string keys = GetKeyText(command);
    if (keys.empty())
        return itemText;
    return itemText.substr(0, itemText.find('\t')) + "\t" + keys;
}

std::string CAcceleratorTable::KeyText(const ACCEL& accel)
{
    const std::string name =
        (accel.fVirt & FVIRTKEY) ? VirtualKeyName(accel.key) : std::string(1, char(accel.key));
    if (name.empty())
        return {};
    std::string text;
    if (accel.fVirt & FALT)
        text += "Alt+";
    if (accel.fVirt & FCONTROL)
        text += "Ctrl+";
    if (accel.fVirt & FSHIFT)
        text += "Shift+";
    return text + name;
}
