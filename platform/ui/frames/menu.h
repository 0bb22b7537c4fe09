// platform/ui/frames/menu.h: menus: a menu bar or pop-up of command items, separators and nested
// pop-ups, loaded from a MENU resource or built in code, and pop-ups tracked at a point.
#pragma once

#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/message.h"

#include <string>

class CAcceleratorTable;
class CBitmap;
class CCmdTarget;
class CFrameWnd;
class CMenuImages;
struct MenuItemRecord;
struct MenuRecord;

/// A menu handle: names a menu for as long as the menu exists.
struct MenuHandle;
using HMENU = MenuHandle*;

// Item flags: the kind of a new item, its state, and how an item is named (by command id,
// searching nested pop-ups too, or by position in this menu).
inline constexpr UINT MF_STRING = 0x0000, MF_ENABLED = 0x0000, MF_GRAYED = 0x0001,
                      MF_DISABLED = 0x0002, MF_UNCHECKED = 0x0000, MF_CHECKED = 0x0008,
                      MF_POPUP = 0x0010, MF_SEPARATOR = 0x0800, MF_BYCOMMAND = 0x0000,
                      MF_BYPOSITION = 0x0400;

// TrackPopupMenu flags. The pop-up's top-left corner is the point given.
inline constexpr UINT TPM_LEFTBUTTON = 0x0000, TPM_LEFTALIGN = 0x0000, TPM_TOPALIGN = 0x0000,
                      TPM_RIGHTBUTTON = 0x0002, TPM_NONOTIFY = 0x0080, TPM_RETURNCMD = 0x0100;

/// A menu object holds a menu it made (CreateMenu, CreatePopupMenu, LoadMenu) or was given
/// (Attach) and destroys it with itself, unless the menu was put into another menu, which then
/// owns it, or was detached. Item texts keep their "&" mnemonic and any "\t" key text.
class CMenu {
public:
    CMenu();
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // Making and owning.
    /// A menu bar: its items are normally pop-ups.
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    /// A menu bar built from the MENU resource with the id; FALSE when there is none.
    BOOL LoadMenu(UINT resourceId);
    BOOL LoadMenuIndirect(const MenuRecord& record);
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu);
    HMENU Detach();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    /// An object for the menu, owned by the menu and valid while it exists; null for a handle
    /// that names no menu.
    static CMenu* FromHandle(HMENU menu);

    // Items. position is an index with MF_BYPOSITION, else a command id. For MF_POPUP, idOrPopup
    // is the pop-up's handle, and this menu takes the pop-up over.
    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr);
    /// Inserts before the item; a position past the end (or -1) appends.
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr);
    /// Takes the item out; a pop-up item's menu is kept, for its handle's holder to destroy.
    BOOL RemoveMenu(UINT position, UINT flags);
    /// Takes the item out and destroys a pop-up item's menu.
    BOOL DeleteMenu(UINT position, UINT flags);
    /// The pop-up at the position, or null when that item is no pop-up.
    CMenu* GetSubMenu(int position) const;
    /// -1 without a menu.
    int GetMenuItemCount() const;
    /// 0 for a separator, (UINT)-1 for a pop-up or a position past the end.
    UINT GetMenuItemID(int position) const;
    /// The item's text and its length in bytes; 0 and an empty text when there is no such item.
    int GetMenuString(UINT item, std::string& text, UINT flags) const;
    /// Replaces the item's text; FALSE when there is no such item or it is a separator.
    BOOL SetMenuString(UINT item, UINT flags, const char* text);
    /// Shows picture index of images beside the command item at position; null images or
    /// index -1 takes the picture away. FALSE when there is no command item there.
    BOOL SetMenuItemImage(int position, const CMenuImages* images, int index);
    /// The picture beside the item at position, drawn over the menu colour into image; FALSE
    /// when the item shows none.
    BOOL GetMenuItemImage(int position, CBitmap& image) const;
    /// MF_GRAYED, MF_CHECKED, MF_SEPARATOR and MF_POPUP as they apply; (UINT)-1 for no item.
    UINT GetMenuState(UINT item, UINT flags) const;
    /// enable is MF_ENABLED, MF_GRAYED or MF_DISABLED with the naming flag. Returns the item's
    /// former state (MF_ENABLED or MF_GRAYED), or (UINT)-1 when there is no such item.
    UINT EnableMenuItem(UINT item, UINT enable);
    /// Returns the former MF_CHECKED or MF_UNCHECKED, or (UINT)-1 when there is no such item.
    UINT CheckMenuItem(UINT item, UINT check);

    /// Shows the pop-up with its top-left corner at (x, y) (screen) and waits for a choice.
    /// Unless TPM_NONOTIFY is set, owner first gets WM_INITMENUPOPUP (WPARAM the handle; a
    /// frame runs the update pass there), and a chosen command is posted to owner as
    /// WM_COMMAND. With TPM_RETURNCMD the command id is returned instead (0 when dismissed);
    /// otherwise TRUE when a command was chosen. Under the test hooks the choice is the one
    /// the test gave.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* rect = nullptr);

    /// The update pass over this menu's command items: each is offered to target's routing
    /// as a CMenuCmdUI. Items without an update handler are disabled when no command handler
    /// exists, if disableIfNoHandler is set.
    void UpdateCmdUI(CCmdTarget* target, BOOL disableIfNoHandler);

private:
    void Adopt(HMENU menu, bool owns);
    void Release();

    HMENU m_hMenu = nullptr;
    bool m_owns = false;
};

/// Sees each pop-up of a frame's menu bar as it is about to open, after the frame's own
/// handling of WM_INITMENUPOPUP (its update pass).
class IMenuPopupListener {
public:
    virtual ~IMenuPopupListener() = default;
    /// keys: the frame's accelerators, or null when it has none.
    virtual void OnMenuPopupOpening(CMenu& popup, const CAcceleratorTable* keys) = 0;
};

/// Lets listener see the pop-ups of frame's menu bar (null: none; one listener per frame).
void SetMenuPopupListener(CFrameWnd& frame, IMenuPopupListener* listener);
/// Takes listener off every frame it listens to, whether or not those frames still exist; a
/// listener that ends before its frames calls it.
void RemoveMenuPopupListener(IMenuPopupListener* listener);

/// The update request for one item of a menu: what the handler sets is applied to the item.
/// A handler that adds or removes items leaves m_nIndex on the last item it dealt with, so the
/// pass carries on after it.
class CMenuCmdUI final : public CCmdUI {
public:
    void Enable(BOOL on = TRUE) override;
    void SetCheck(int check = 1) override;
    void SetRadio(BOOL on = TRUE) override;
    void SetText(const std::string& text) override;

    CMenu* m_pMenu = nullptr;
};
