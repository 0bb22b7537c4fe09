// controls/dialog_template_builder.h: lays a dialog template's controls out inside any window,
// so that windows which are not dialogs get dialog-like content.
#pragma once

#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/windows/wnd.h"

#include <memory>
#include <vector>

/// The extended style that gives a control the sunken client-edge border.
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;

/// Made on the stack of a window's creation handler. Reads the template of the program's
/// resources, measures dialog units with a font and makes each item as a child of a window.
class CDlgTemplateBuilder {
public:
    /// font null: measures with the template's own font made bold ("System" at 10 points when
    /// the template names none). A missing template leaves the builder invalid.
    CDlgTemplateBuilder(UINT templateId, const LOGFONT* font);

    bool IsValid() const { return m_template != nullptr; }
    /// Pixels per 4 horizontal (cx) and per 8 vertical (cy) dialog units.
    CSize GetBaseUnits() const { return m_baseUnits; }
    /// The template's rectangle in pixels; empty when the template is missing.
    void GetTemplateRect(RECT& rect) const;
    /// The rectangle in pixels of the item at index; empty when there is no such item.
    void GetItemRect(int index, RECT& rect) const;
    /// Makes every item, in template order, as a child of parent; the windows made go to
    /// controls and stay there even when a later one fails. An edit, list box, scroll bar,
    /// combo box or list control gets the client edge whatever the template says; buttons,
    /// statics and the program's own classes get none. False when the template is missing or
    /// a control could not be made.
    bool CreateControls(CWnd& parent, std::vector<std::unique_ptr<CWnd>>& controls) const;

    /// The extended style a control of this class is made with.
    static DWORD ExStyleForClass(const std::string& className);

private:
    const CDialogTemplate* m_template = nullptr;
    CSize m_baseUnits;
};
