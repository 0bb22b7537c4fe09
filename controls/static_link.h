// controls/static_link.h: a hyperlink: a static text that opens its address or file through
// the desktop when clicked.
#pragma once

#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/wnd.h"

#include <string>

/// Takes the place of a static control of a dialog (its text, style, place and id). A static of
/// a plain text style (left, centred or right) is drawn underlined, blue until the link has been
/// opened once and purple after; any other style keeps its normal look, and every style opens
/// the link when clicked. A target that cannot be opened beeps and leaves the colour as it was.
class CStaticLink : public CWnd {
public:
    static constexpr COLORREF kUnvisitedColour = RGB(0, 0, 255);
    static constexpr COLORREF kVisitedColour = RGB(128, 0, 128);
    /// The CURSOR resource shown over the link.
    static constexpr UINT kHandCursorId = 321;

    /// link: the address or file to open; empty opens the control's own text. With autoDelete
    /// the object deletes itself when its window is destroyed.
    explicit CStaticLink(const char* link = nullptr, BOOL autoDelete = TRUE);
    ~CStaticLink() override;

    /// Replaces the static control id of parent, which is hidden and loses its id.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    COLORREF GetLinkColour() const { return m_colour; }
    const std::string& GetLink() const { return m_link; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void PostNcDestroy() override;

private:
    /// Whether the static's style is one of the plain text styles that look like a link.
    bool HasLinkStyle() const;
    void CreateFonts();

    std::string m_link;
    COLORREF m_colour = kUnvisitedColour;
    CFont m_font;      // underlined, for the link look
    CFont m_plainFont; // for the other styles
    LOGFONT m_logFont{};
    BOOL m_autoDelete;
};
