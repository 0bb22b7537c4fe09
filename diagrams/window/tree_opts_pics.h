// diagrams/window/tree_opts_pics.h: the Pictures page of the Diagram Options sheet: which picture
// of a person shows, where and how high, and in which boxes.
#pragma once

#include "diagrams/window/tree_opts_page.h"

/// Template 314, the pictures section. A picture cannot be shrunk to a box's height when it
/// shows within the text.
class CTreePagePics final : public CTreeOptsPage {
public:
    static constexpr UINT kTemplate = 314;
    static constexpr int kPreferredId = 1269, kLeftId = 1266, kRightId = 1267, kWithinId = 1268,
                         kBoxHeightId = 1507, kThisHeightId = 1508, kHeightId = 119,
                         kEnlargeId = 1270, kAncestorsId = 1168, kDescendantsId = 1169,
                         kSpousesId = 1170, kDuplicatesId = 1171, kProxiesId = 1172,
                         kObjectsId = 1273;

    explicit CTreePagePics(CTreeOptsDlg& sheet);

    BOOL OnApply() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnControlChanged(int id, UINT code) override;

private:
    void EnableHeight();
};

/// The picture index of a "Preferred Picture:" text: 0 for "None" (in any case), else its
/// leading number, never below 0.
int PictureIndexOfText(const std::string& text);
