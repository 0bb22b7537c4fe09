// diagrams/window/diag_more_dimensions_dlg.cpp: the further dimensions and their checks.
#include "diagrams/window/diag_more_dimensions_dlg.h"

#include "diagrams/diagram_settings.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/data_exchange.h"

CMoreDimensionsDlg::CMoreDimensionsDlg(CDiagramSettings& settings, CWnd* parent)
    : CDialog(kTemplate, parent), m_settings(settings)
{
}

BOOL CMoreDimensionsDlg::OnInitDialog()
{
    m_sideMargin = m_settings.m_boxMarginSide;
    m_topMargin = m_settings.m_boxMarginTop;
    m_bottomMargin = m_settings.m_boxMarginBottom;
    m_zigzagHeight = 2 * m_settings.m_stretchyLineHalfHeight;
    m_zigzagWidth = 2 * m_settings.m_stretchyLineHalfWidth;
    m_fontHeight = m_settings.m_relationshipFont.lfHeight;
    m_pictureGap = m_settings.m_pictureMarginTop;
    return CDialog::OnInitDialog();
}

void CMoreDimensionsDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kSideMarginId, m_sideMargin);
    dx.Text(kTopMarginId, m_topMargin);
    dx.Text(kBottomMarginId, m_bottomMargin);
    dx.Text(kZigzagHeightId, m_zigzagHeight);
    dx.Text(kZigzagWidthId, m_zigzagWidth);
    dx.Text(kFontHeightId, m_fontHeight);
    dx.Range(m_fontHeight, 1, 100);
    dx.Text(kPictureGapId, m_pictureGap);
}

void CMoreDimensionsDlg::Refuse(int id, const char* message)
{
    MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(id));
}

void CMoreDimensionsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // In whole numbers of any size: a side margin of exactly half an odd width still fits.
    if (2LL * m_sideMargin > m_settings.m_minBoxWidth) {
        Refuse(kSideMarginId, "Invalid margin width.  Is more than half the minimum box width.");
        return;
    }
    if (m_zigzagHeight % 2 != 0) {
        Refuse(kZigzagHeightId, "Invalid zigzag height.  Only even numbers are allowed.");
        return;
    }
    if (m_zigzagWidth % 2 != 0) {
        Refuse(kZigzagWidthId, "Invalid zigzag width.  Only even numbers are allowed.");
        return;
    }
    if (m_pictureGap < 0) {
        Refuse(kPictureGapId, "The vertical gap between text and pictures cannot be less than 0.");
        return;
    }
    m_settings.m_boxMarginSide = m_sideMargin;
    m_settings.m_boxMarginTop = m_topMargin;
    m_settings.m_boxMarginBottom = m_bottomMargin;
    m_settings.m_stretchyLineHalfHeight = m_zigzagHeight / 2;
    m_settings.m_stretchyLineHalfWidth = m_zigzagWidth / 2;
    m_settings.m_relationshipFont.lfHeight = m_fontHeight;
    m_settings.m_pictureMarginTop = m_pictureGap;
    EndDialog(IDOK);
}
