// diagrams/window/tree_opts_print.h: the Print page of the Diagram Options sheet: orientation,
// the printed page in diagram units, what prints, and the margins.
//
// Page sides below 100 units are refused (a page of nothing would divide by zero in the page grid):
// the sides a page takes are page_grid.h's.
#pragma once

#include "diagrams/window/tree_opts_page.h"

/// Template 225, the printing section. With "Preserve Aspect Ratio" the page keeps the
/// proportions of the printer's paper (100 by 100 without a printer), and OK offers to even out
/// margins that would distort it.
class CTreePagePrint final : public CTreeOptsPage {
public:
    static constexpr UINT kTemplate = 225;
    static constexpr int kPortraitId = 1202, kLandscapeId = 1203, kWidthId = 1116, kHeightId = 1117,
                         kXOriginId = 1114, kYOriginId = 1115, kBlackAndWhiteId = 1204,
                         kStripesId = 1168, kNoButtonsId = 1169, kTopId = 1118, kLeftId = 1051,
                         kBottomId = 1119, kRightId = 1052, kPreserveId = 1123;
    explicit CTreePagePrint(CTreeOptsDlg& sheet);

    BOOL OnApply() override;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    void OnControlChanged(int id, UINT code) override;

private:
    void OnOrientation(bool landscape);
    /// The other side follows the one left, in the printer's proportions.
    void KeepRatio(bool widthLeft);
    void NormaliseOriginShown(int id, int sideId);
    int ShownInt(int id, int fallback) const;
};
