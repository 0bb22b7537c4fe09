// diagrams/window/diag_title_opts_dlg.cpp: the Title Options dialog.
#include "diagrams/window/diag_title_opts_dlg.h"

#include "diagrams/diagram_settings.h"
#include "diagrams/window/tree_opts_colours.h"
#include "diagrams/window/tree_opts_font.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"

#include <array>

CTitleOptsDlg::CTitleOptsDlg(CDiagramTitle& title, const CDiagramSettings& settings, CWnd* parent)
    : CDialog(kTemplate, parent), m_title(title), m_settings(settings)
{
}

BOOL CTitleOptsDlg::OnInitDialog()
{
    m_showFrame = m_title.showFrame ? TRUE : FALSE;
    m_marginX = m_title.marginX;
    m_marginY = m_title.marginY;
    m_text = m_title.text;
    return CDialog::OnInitDialog();
}

void CTitleOptsDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Check(kShowFrameId, m_showFrame);
    dx.Text(kMarginXId, m_marginX);
    dx.Range(m_marginX, 0, kMaxMargin);
    dx.Text(kMarginYId, m_marginY);
    dx.Range(m_marginY, 0, kMaxMargin);
    dx.Text(kTextId, m_text);
}

BOOL CTitleOptsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kColoursId) {
        std::array<DiagramColourEntry, 2> entries = {m_title.textColour, m_title.backgroundColour};
        if (ChooseDiagramColours(this, entries.data(), 2, nullptr, false, nullptr)) {
            m_title.textColour = entries[0];
            m_title.backgroundColour = entries[1];
        }
        return TRUE;
    }
    if (lParam && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kFontId) {
        LOGFONT font = m_title.font;
        if (ChooseTitleFont(this, font, m_settings))
            m_title.font = font;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CTitleOptsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const std::string trimmed = text::Trim(m_text);
    if (trimmed.empty() && !m_showFrame) {
        MessageBox("You must supply text for title if not showing frame",
                   MB_OK | MB_ICONEXCLAMATION, "Invalid option combination");
        return;
    }
    m_title.text = trimmed;
    m_title.marginX = m_marginX;
    m_title.marginY = m_marginY;
    m_title.showFrame = m_showFrame == BST_CHECKED;
    EndDialog(IDOK);
}
