// platform/ui/detail/rc_names.cpp: the tables of style and key names.
#include "platform/ui/detail/rc_names.h"

#include <span>

namespace {

struct Name {
    std::string_view name;
    DWORD value;
};

constexpr Name kWindowStyles[] = {
    {"WS_OVERLAPPED", 0x00000000},
    {"WS_TILED", 0x00000000},
    {"WS_POPUP", 0x80000000},
    {"WS_CHILD", 0x40000000},
    {"WS_CHILDWINDOW", 0x40000000},
    {"WS_MINIMIZE", 0x20000000},
    {"WS_ICONIC", 0x20000000},
    {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_SIZEBOX", 0x00040000},
    {"WS_GROUP", 0x00020000},
    {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000},
    {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000},
    {"WS_TILEDWINDOW", 0x00CF0000},
    {"WS_POPUPWINDOW", 0x80880000},
    {"WS_EX_DLGMODALFRAME", 0x00000001},
    {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008},
    {"WS_EX_ACCEPTFILES", 0x00000010},
    {"WS_EX_TRANSPARENT", 0x00000020},
    {"WS_EX_MDICHILD", 0x00000040},
    {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_WINDOWEDGE", 0x00000100},
    {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_RIGHT", 0x00001000},
    {"WS_EX_LEFT", 0x00000000},
    {"WS_EX_RTLREADING", 0x00002000},
    {"WS_EX_LTRREADING", 0x00000000},
    {"WS_EX_LEFTSCROLLBAR", 0x00004000},
    {"WS_EX_RIGHTSCROLLBAR", 0x00000000},
    {"WS_EX_CONTROLPARENT", 0x00010000},
    {"WS_EX_STATICEDGE", 0x00020000},
    {"WS_EX_APPWINDOW", 0x00040000},
    {"WS_EX_OVERLAPPEDWINDOW", 0x00000300},
    {"WS_EX_PALETTEWINDOW", 0x00000188},
};

constexpr Name kDialogStyles[] = {
    {"DS_ABSALIGN", 0x0001},      {"DS_SYSMODAL", 0x0002},     {"DS_3DLOOK", 0x0004},
    {"DS_FIXEDSYS", 0x0008},      {"DS_NOFAILCREATE", 0x0010}, {"DS_LOCALEDIT", 0x0020},
    {"DS_SETFONT", 0x0040},       {"DS_MODALFRAME", 0x0080},   {"DS_NOIDLEMSG", 0x0100},
    {"DS_SETFOREGROUND", 0x0200}, {"DS_CONTROL", 0x0400},      {"DS_CENTER", 0x0800},
    {"DS_CENTERMOUSE", 0x1000},   {"DS_CONTEXTHELP", 0x2000},  {"DS_SHELLFONT", 0x0048},
};

constexpr Name kEditStyles[] = {
    {"ES_LEFT", 0x0000},       {"ES_CENTER", 0x0001},      {"ES_RIGHT", 0x0002},
    {"ES_MULTILINE", 0x0004},  {"ES_UPPERCASE", 0x0008},   {"ES_LOWERCASE", 0x0010},
    {"ES_PASSWORD", 0x0020},   {"ES_AUTOVSCROLL", 0x0040}, {"ES_AUTOHSCROLL", 0x0080},
    {"ES_NOHIDESEL", 0x0100},  {"ES_OEMCONVERT", 0x0400},  {"ES_READONLY", 0x0800},
    {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", 0x2000},
};

constexpr Name kButtonStyles[] = {
    {"BS_PUSHBUTTON", 0x0000},  {"BS_DEFPUSHBUTTON", 0x0001},
    {"BS_CHECKBOX", 0x0002},    {"BS_AUTOCHECKBOX", 0x0003},
    {"BS_RADIOBUTTON", 0x0004}, {"BS_3STATE", 0x0005},
    {"BS_AUTO3STATE", 0x0006},  {"BS_GROUPBOX", 0x0007},
    {"BS_USERBUTTON", 0x0008},  {"BS_AUTORADIOBUTTON", 0x0009},
    {"BS_PUSHBOX", 0x000A},     {"BS_OWNERDRAW", 0x000B},
    {"BS_TYPEMASK", 0x000F},    {"BS_LEFTTEXT", 0x0020},
    {"BS_RIGHTBUTTON", 0x0020}, {"BS_TEXT", 0x0000},
    {"BS_ICON", 0x0040},        {"BS_BITMAP", 0x0080},
    {"BS_LEFT", 0x0100},        {"BS_RIGHT", 0x0200},
    {"BS_CENTER", 0x0300},      {"BS_TOP", 0x0400},
    {"BS_BOTTOM", 0x0800},      {"BS_VCENTER", 0x0C00},
    {"BS_PUSHLIKE", 0x1000},    {"BS_MULTILINE", 0x2000},
    {"BS_NOTIFY", 0x4000},      {"BS_FLAT", 0x8000},
};

constexpr Name kStaticStyles[] = {
    {"SS_LEFT", 0x0000},           {"SS_CENTER", 0x0001},       {"SS_RIGHT", 0x0002},
    {"SS_ICON", 0x0003},           {"SS_BLACKRECT", 0x0004},    {"SS_GRAYRECT", 0x0005},
    {"SS_WHITERECT", 0x0006},      {"SS_BLACKFRAME", 0x0007},   {"SS_GRAYFRAME", 0x0008},
    {"SS_WHITEFRAME", 0x0009},     {"SS_USERITEM", 0x000A},     {"SS_SIMPLE", 0x000B},
    {"SS_LEFTNOWORDWRAP", 0x000C}, {"SS_OWNERDRAW", 0x000D},    {"SS_BITMAP", 0x000E},
    {"SS_ENHMETAFILE", 0x000F},    {"SS_ETCHEDHORZ", 0x0010},   {"SS_ETCHEDVERT", 0x0011},
    {"SS_ETCHEDFRAME", 0x0012},    {"SS_TYPEMASK", 0x001F},     {"SS_NOPREFIX", 0x0080},
    {"SS_NOTIFY", 0x0100},         {"SS_CENTERIMAGE", 0x0200},  {"SS_RIGHTJUST", 0x0400},
    {"SS_REALSIZEIMAGE", 0x0800},  {"SS_SUNKEN", 0x1000},       {"SS_ENDELLIPSIS", 0x4000},
    {"SS_PATHELLIPSIS", 0x8000},   {"SS_WORDELLIPSIS", 0xC000},
};

constexpr Name kComboStyles[] = {
    {"CBS_SIMPLE", 0x0001},
    {"CBS_DROPDOWN", 0x0002},
    {"CBS_DROPDOWNLIST", 0x0003},
    {"CBS_OWNERDRAWFIXED", 0x0010},
    {"CBS_OWNERDRAWVARIABLE", 0x0020},
    {"CBS_AUTOHSCROLL", 0x0040},
    {"CBS_OEMCONVERT", 0x0080},
    {"CBS_SORT", 0x0100},
    {"CBS_HASSTRINGS", 0x0200},
    {"CBS_NOINTEGRALHEIGHT", 0x0400},
    {"CBS_DISABLENOSCROLL", 0x0800},
    {"CBS_UPPERCASE", 0x2000},
    {"CBS_LOWERCASE", 0x4000},
};

constexpr Name kListStyles[] = {
    {"LBS_NOTIFY", 0x0001},
    {"LBS_SORT", 0x0002},
    {"LBS_NOREDRAW", 0x0004},
    {"LBS_MULTIPLESEL", 0x0008},
    {"LBS_OWNERDRAWFIXED", 0x0010},
    {"LBS_OWNERDRAWVARIABLE", 0x0020},
    {"LBS_HASSTRINGS", 0x0040},
    {"LBS_USETABSTOPS", 0x0080},
    {"LBS_NOINTEGRALHEIGHT", 0x0100},
    {"LBS_MULTICOLUMN", 0x0200},
    {"LBS_WANTKEYBOARDINPUT", 0x0400},
    {"LBS_EXTENDEDSEL", 0x0800},
    {"LBS_DISABLENOSCROLL", 0x1000},
    {"LBS_NODATA", 0x2000},
    {"LBS_NOSEL", 0x4000},
    {"LBS_COMBOBOX", 0x8000},
    {"LBS_STANDARD", 0x00A00003},
};

constexpr Name kScrollStyles[] = {
    {"SBS_HORZ", 0x0000},
    {"SBS_VERT", 0x0001},
    {"SBS_TOPALIGN", 0x0002},
    {"SBS_LEFTALIGN", 0x0002},
    {"SBS_BOTTOMALIGN", 0x0004},
    {"SBS_RIGHTALIGN", 0x0004},
    {"SBS_SIZEBOXTOPLEFTALIGN", 0x0002},
    {"SBS_SIZEBOXBOTTOMRIGHTALIGN", 0x0004},
    {"SBS_SIZEBOX", 0x0008},
    {"SBS_SIZEGRIP", 0x0010},
};

constexpr Name kTabStyles[] = {
    {"TCS_SCROLLOPPOSITE", 0x0001},
    {"TCS_BOTTOM", 0x0002},
    {"TCS_RIGHT", 0x0002},
    {"TCS_MULTISELECT", 0x0004},
    {"TCS_FLATBUTTONS", 0x0008},
    {"TCS_FORCEICONLEFT", 0x0010},
    {"TCS_FORCELABELLEFT", 0x0020},
    {"TCS_HOTTRACK", 0x0040},
    {"TCS_VERTICAL", 0x0080},
    {"TCS_TABS", 0x0000},
    {"TCS_BUTTONS", 0x0100},
    {"TCS_SINGLELINE", 0x0000},
    {"TCS_MULTILINE", 0x0200},
    {"TCS_RIGHTJUSTIFY", 0x0000},
    {"TCS_FIXEDWIDTH", 0x0400},
    {"TCS_RAGGEDRIGHT", 0x0800},
    {"TCS_FOCUSONBUTTONDOWN", 0x1000},
    {"TCS_OWNERDRAWFIXED", 0x2000},
    {"TCS_TOOLTIPS", 0x4000},
    {"TCS_FOCUSNEVER", 0x8000},
};

constexpr Name kUpDownStyles[] = {
    {"UDS_WRAP", 0x0001},      {"UDS_SETBUDDYINT", 0x0002}, {"UDS_ALIGNRIGHT", 0x0004},
    {"UDS_ALIGNLEFT", 0x0008}, {"UDS_AUTOBUDDY", 0x0010},   {"UDS_ARROWKEYS", 0x0020},
    {"UDS_HORZ", 0x0040},      {"UDS_NOTHOUSANDS", 0x0080}, {"UDS_HOTTRACK", 0x0100},
};

constexpr Name kListViewStyles[] = {
    {"LVS_ICON", 0x0000},           {"LVS_REPORT", 0x0001},
    {"LVS_SMALLICON", 0x0002},      {"LVS_LIST", 0x0003},
    {"LVS_TYPEMASK", 0x0003},       {"LVS_SINGLESEL", 0x0004},
    {"LVS_SHOWSELALWAYS", 0x0008},  {"LVS_SORTASCENDING", 0x0010},
    {"LVS_SORTDESCENDING", 0x0020}, {"LVS_SHAREIMAGELISTS", 0x0040},
    {"LVS_NOLABELWRAP", 0x0080},    {"LVS_AUTOARRANGE", 0x0100},
    {"LVS_EDITLABELS", 0x0200},     {"LVS_OWNERDRAWFIXED", 0x0400},
    {"LVS_ALIGNTOP", 0x0000},       {"LVS_ALIGNLEFT", 0x0800},
    {"LVS_OWNERDATA", 0x1000},      {"LVS_NOSCROLL", 0x2000},
    {"LVS_NOCOLUMNHEADER", 0x4000}, {"LVS_NOSORTHEADER", 0x8000},
};

constexpr Name kKeys[] = {
    {"VK_BACK", 0x08},      {"VK_TAB", 0x09},        {"VK_CLEAR", 0x0C},    {"VK_RETURN", 0x0D},
    {"VK_SHIFT", 0x10},     {"VK_CONTROL", 0x11},    {"VK_MENU", 0x12},     {"VK_PAUSE", 0x13},
    {"VK_CAPITAL", 0x14},   {"VK_ESCAPE", 0x1B},     {"VK_SPACE", 0x20},    {"VK_PRIOR", 0x21},
    {"VK_NEXT", 0x22},      {"VK_END", 0x23},        {"VK_HOME", 0x24},     {"VK_LEFT", 0x25},
    {"VK_UP", 0x26},        {"VK_RIGHT", 0x27},      {"VK_DOWN", 0x28},     {"VK_SELECT", 0x29},
    {"VK_PRINT", 0x2A},     {"VK_EXECUTE", 0x2B},    {"VK_SNAPSHOT", 0x2C}, {"VK_INSERT", 0x2D},
    {"VK_DELETE", 0x2E},    {"VK_HELP", 0x2F},       {"VK_MULTIPLY", 0x6A}, {"VK_ADD", 0x6B},
    {"VK_SEPARATOR", 0x6C}, {"VK_SUBTRACT", 0x6D},   {"VK_DECIMAL", 0x6E},  {"VK_DIVIDE", 0x6F},
    {"VK_NUMLOCK", 0x90},   {"VK_SCROLL", 0x91},     {"VK_OEM_PLUS", 0xBB}, {"VK_OEM_COMMA", 0xBC},
    {"VK_OEM_MINUS", 0xBD}, {"VK_OEM_PERIOD", 0xBE},
};

struct Family {
    std::string_view prefix;
    std::span<const Name> names;
};

constexpr Family kFamilies[] = {
    {"WS_", kWindowStyles},  {"DS_", kDialogStyles},    {"ES_", kEditStyles},
    {"BS_", kButtonStyles},  {"SS_", kStaticStyles},    {"CBS_", kComboStyles},
    {"LBS_", kListStyles},   {"SBS_", kScrollStyles},   {"TCS_", kTabStyles},
    {"UDS_", kUpDownStyles}, {"LVS_", kListViewStyles},
};

std::optional<DWORD> Find(std::span<const Name> names, std::string_view name)
{
    for (const Name& n : names) {
        if (n.name == name)
            return n.value;
    }
    return std::nullopt;
}

/// The number after a prefix, as the 12 of "VK_F12"; -1 unless the rest is one or two digits
/// without a leading zero.
int Suffix(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix))
        return -1;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > 2 || (digits.size() == 2 && digits[0] == '0'))
        return -1;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<DWORD> RcStyleValue(std::string_view name)
{
    for (const Family& family : kFamilies) {
        if (name.starts_with(family.prefix))
            return Find(family.names, name);
    }
    return std::nullopt;
}

std::optional<WORD> RcVirtualKey(std::string_view name)
{
    if (const int f = Suffix(name, "VK_F"); f >= 1 && f <= 24)
        return WORD(0x6F + f);
    if (const int n = Suffix(name, "VK_NUMPAD"); n >= 0 && n <= 9)
        return WORD(0x60 + n);
    if (const auto key = Find(kKeys, name))
        return WORD(*key);
    return std::nullopt;
}
