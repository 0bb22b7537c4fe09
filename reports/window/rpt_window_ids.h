// reports/window/rpt_window_ids.h: the report window's commands, its menu, its form's template
// and the form's controls.
#pragma once

#include "platform/base/types.h"

inline constexpr UINT ID_RPT_ZOOM_IN = 33063, ID_RPT_ZOOM_OUT = 33064, ID_RPT_REBUILD = 33065,
                      ID_RPT_OPTIONS = 33066, ID_RPT_RECORDS = 33067, ID_RPT_COPY_PAGE = 33068,
                      ID_RPT_GO_TO_PAGE = 33069, ID_RPT_SAVE_HTML = 33070, ID_RPT_SAVE_RTF = 33071,
                      ID_RPT_SAVE_TEXT = 33072, ID_RPT_WHOLE_PAGE = 33073,
                      ID_RPT_PAGE_WIDTH = 33074, ID_RPT_SAVE_CUSTOM = 33080;
/// The Save Report As pop-up's items.
inline constexpr UINT ID_RPT_POPUP_HTML = 2001, ID_RPT_POPUP_RTF = 2002, ID_RPT_POPUP_TEXT = 2003,
                      ID_RPT_POPUP_CUSTOM = 2004;

/// The template of the control form (the menu is the shell's IDR_REPORT_MENU).
inline constexpr UINT IDD_RPT_CONTROL_FORM = 355;

inline constexpr int IDC_RPT_PAGE_CAPTION = 1569, IDC_RPT_PAGE = 1567, IDC_RPT_SPIN = 1739,
                     IDC_RPT_TOTAL = 1568, IDC_RPT_ZOOM = 1558, IDC_RPT_ZOOM_IN = 1556,
                     IDC_RPT_ZOOM_OUT = 1557, IDC_RPT_TWO_PAGES = 1563, IDC_RPT_REBUILD = 1562,
                     IDC_RPT_OPTIONS = 1555, IDC_RPT_RECORDS = 1561, IDC_RPT_COPY = 1554,
                     IDC_RPT_GO_TO = 1553, IDC_RPT_PRINT = 1551, IDC_RPT_SETUP = 1559,
                     IDC_RPT_SAVE = 1552, IDC_RPT_CLOSE = 3, IDC_RPT_LIST_PLACE = 1449,
                     IDC_RPT_LIST = 1450, IDC_RPT_SCROLL = 1565;
