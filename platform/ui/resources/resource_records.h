// platform/ui/resources/resource_records.h: the plain records that resource scripts are parsed
// into, and the error that names the script and line of a fault.
#pragma once

#include "platform/base/types.h"

#include <stdexcept>
#include <string>
#include <vector>

enum class ResourceType { Dialog, Menu, Accelerators, String, Toolbar, Bitmap, Icon, Cursor };

/// One entry of a menu: a command, a separator, or a pop-up with entries of its own.
struct MenuItemRecord {
    std::string text; // with its "&" mnemonic and any "\t" key text
    UINT id = 0;
    bool separator = false;
    bool popup = false;
    bool grayed = false;
    bool checked = false;
    std::vector<MenuItemRecord> items; // a pop-up's entries
};

struct MenuRecord {
    std::vector<MenuItemRecord> items;
};

// Accelerator flags.
inline constexpr BYTE FVIRTKEY = 0x01, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10;

/// One key of an accelerator table. With FVIRTKEY the key is a virtual-key code; otherwise it is
/// the character typed.
struct ACCEL {
    BYTE fVirt = 0;
    WORD key = 0;
    WORD cmd = 0;
};

struct AcceleratorRecord {
    std::vector<ACCEL> entries;
};

struct ToolbarRecord {
    int buttonWidth = 0;
    int buttonHeight = 0;
    std::vector<UINT> buttons; // command ids in order; 0 marks a separator
};

/// A BITMAP, ICON or CURSOR: the image file, as a path the image readers can open.
struct ImageRecord {
    std::string path;
};

/// A fault in a resource script; what() reads "resources/app.rc, line 12: unknown style name
/// WS_FOO", or without the line when the fault is the whole file's (line 0).
class CResourceError : public std::runtime_error {
public:
    CResourceError(const std::string& file, int line, const std::string& message)
        : std::runtime_error(file + (line > 0 ? ", line " + std::to_string(line) : std::string()) +
                             ": " + message),
          m_file(file), m_line(line), m_message(message)
    {
    }

    const std::string& File() const { return m_file; }
    int Line() const { return m_line; }
    const std::string& Message() const { return m_message; }

private:
    std::string m_file;
    int m_line;
    std::string m_message;
};
