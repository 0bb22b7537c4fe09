// platform/ui/dialogs/font_dialog.h: the dialog in which the user chooses a font: face, style, size
// and, with effects, underline and strike-out.
#pragma once

#include "platform/base/log_font.h"
#include "platform/base/types.h"

class CDC;
class CWnd;

// Flags. The font lists are the same for screen and printer here, so CF_SCREENFONTS,
// CF_PRINTERFONTS and CF_FORCEFONTEXIST are accepted and change nothing; CF_EFFECTS offers
// underline and strike-out.
inline constexpr DWORD CF_SCREENFONTS = 0x00000001, CF_PRINTERFONTS = 0x00000002,
                       CF_BOTH = 0x00000003, CF_INITTOLOGFONTSTRUCT = 0x00000040,
                       CF_EFFECTS = 0x00000100, CF_FORCEFONTEXIST = 0x00010000;

/// Starts from the font given (with CF_INITTOLOGFONTSTRUCT) and, after IDOK, holds the font
/// chosen in m_lf, its height in screen pixels. A size the user left alone keeps the font's
/// own height, so a height that is no whole number of points does not drift. Under the test
/// hooks TestHooks::AnswerFont answers it.
class CFontDialog {
public:
    explicit CFontDialog(const LOGFONT* initial = nullptr,
                         DWORD flags = CF_EFFECTS | CF_SCREENFONTS, CDC* printerDC = nullptr,
                         CWnd* parent = nullptr);
    virtual ~CFontDialog() = default;

    /// IDOK or IDCANCEL.
    virtual int DoModal();
    void GetCurrentFont(LOGFONT* font) const;
    /// The size chosen, in tenths of a point.
    int GetSize() const { return m_size; }

    LOGFONT m_lf;
    DWORD m_flags;

private:
    /// Takes the chosen font; effects only when the dialog offers them.
    void Accept(const LOGFONT& chosen, int sizeTenths);
    int RunOnDesktop();

    CWnd* m_parent;
    int m_size = 0;
};
