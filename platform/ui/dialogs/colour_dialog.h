// platform/ui/dialogs/colour_dialog.h: the colour dialog: a colour picker set among the controls of
// a dialog template, with the sixteen custom colours going in and out.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <array>
#include <memory>

namespace ui_detail {
class ColourPicker;
}

/// The template control whose place the picker takes; the control itself is hidden.
inline constexpr int IDC_COLOUR_PICKER = 720;
/// The template button that adds the picker's colour to the custom colours.
inline constexpr int IDC_ADD_CUSTOM_COLOUR = 712;

using CustomColours = std::array<COLORREF, 16>;

/// A dialog made from a template that holds IDC_COLOUR_PICKER, IDOK (the picker's "select"
/// button) and, if the user may keep colours, IDC_ADD_CUSTOM_COLOUR. IDOK hands the picker's
/// colour to OnColorOK, which decides whether the dialog ends; the program's own controls are
/// handled as in any dialog.
class CColorDialog : public CDialog {
public:
    explicit CColorDialog(UINT templateId, COLORREF initial = 0, CWnd* parent = nullptr);
    ~CColorDialog() override;

    /// The colours the picker offers as custom ones, written back when the dialog ends, however
    /// it ends. Null: the picker keeps its own.
    void SetCustomColours(CustomColours* colours) { m_pCustomColours = colours; }

    /// The colour the picker shows.
    COLORREF GetColor() const;
    /// Shows the colour in the picker.
    void SetCurrentColor(COLORREF colour);

    int DoModal() override;

protected:
    BOOL OnInitDialog() override;
    /// IDOK was pressed with GetColor() chosen. FALSE ends the dialog with IDOK; TRUE keeps it
    /// open. The base answers FALSE.
    virtual BOOL OnColorOK();
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    /// Puts the picker's colour in the next custom slot, one after the other round the sixteen.
    void AddCustomColour();

    /// The colour the picker starts with, and the one last selected once the picker is gone.
    COLORREF m_colour;
    CustomColours* m_pCustomColours = nullptr;
    int m_nextCustom = 0;
    ui_detail::ColourPicker* m_picker = nullptr;
};
