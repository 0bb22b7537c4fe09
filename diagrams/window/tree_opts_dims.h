// diagrams/window/tree_opts_dims.h: the Dimensions page of the Diagram Options sheet: box width,
// font height, gaps, and the vertical chain from a box to the box below it.
#pragma once

#include "diagrams/window/tree_opts_page.h"

/// Template 111, the dimensions section and the box font's height. The vertical distance
/// between boxes is shown as a chain: (a) box to button, (b) the button's diameter (even), (c)
/// button to sibling line, (d) sibling line to box, and their total. Test applies the values
/// to the window without closing, keeping the visible width of boxes; Cancel undoes a Test and
/// puts the window's zoom back.
class CTreePageDims final : public CTreeOptsPage {
public:
    static constexpr UINT kTemplate = 111;
    static constexpr int kMinWidthId = 114, kFontHeightId = 115, kSpouseGapId = 103,
                         kSiblingGapId = 104, kDescendantGapId = 105, kAncestorGapId = 106,
                         kSubTreeGapId = 111, kSecondSpouseGapId = 112, kRelationshipGapId = 113,
                         kChainAId = 107, kChainBId = 108, kChainCId = 116, kChainDId = 117,
                         kTotalId = 109, kDoubleLineGapId = 110, kTestId = 1261, kMoreId = 1011;

    explicit CTreePageDims(CTreeOptsDlg& sheet);

    void OnOK() override;
    void OnCancel() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnControlChanged(int id, UINT code) override;

private:
    void ShowTotal();
    void OnTest();
    void OnMoreDimensions();
    /// Puts the window's zoom back (restoreScale) or keeps the visible width of boxes, then
    /// hands the dimensions and fonts to the edited block and lays the diagram out again.
    void ApplyAndRedraw(bool restoreScale);

    int m_startDivisor = 0;
    int m_startMinWidth = 0;
    bool m_testApplied = false;
};
