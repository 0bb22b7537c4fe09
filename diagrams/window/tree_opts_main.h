// diagrams/window/tree_opts_main.h: the General page of the Diagram Options sheet: the diagram
// type, generations, rows per generation, spouses, layout and lines, colours and the
// relationship font.
//
// An untouched General page is no change (without a fixed generation size the gaps-at-top flag is
// kept).
#pragma once

#include "diagrams/diagram_options_target.h"
#include "diagrams/window/tree_opts_page.h"

/// Template 121, the general section. The type's generation pair follows the type chosen; an
/// All Relatives diagram takes no "No spouses or duplicates"; with "Auto-set" the rows per
/// generation follow what the settings need (at most 5).
class CTreePageMain final : public CTreeOptsPage, private IDiagramColoursTarget {
public:
    static constexpr UINT kTemplate = 121;
    static constexpr int kTypeId = 1201, kUpId = 20, kDownId = 22, kCountId = 1196,
                         kLayoutId = 1199, kRowsId = 1215, kAutoSetId = 1216, kMaxId = 1217,
                         kSpouseId = 1197, kCompressionId = 1198, kBackgroundId = 1200,
                         kBoundariesId = 1204, kRelationshipId = 1202, kDuplicateLineId = 1203,
                         kExpandId = 114, kButtonsId = 115, kBoxesId = 113,
                         kDuplicatesWithSpousesId = 117, kDividingLineId = 118, kCentreRootId = 119,
                         kCentreSubTreesId = 120, kColoursId = 1008, kFontId = 1011;
    /// The most rows per generation "Auto-set" gives.
    static constexpr int kAutoRowsCap = 5;

    explicit CTreePageMain(CTreeOptsDlg& sheet);

    void OnOK() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnControlChanged(int id, UINT code) override;

private:
    void ApplyColours(const DiagramColourEntry* entries, int count) override;
    void ResetColoursToInstallation(DiagramColourEntry* entries, int count) override;

    /// The type combo changed: the page is checked and stored for the old type, then the
    /// working copy takes the new type and the controls show it.
    void OnTypeChosen();
    /// Enables the controls that the type uses.
    void EnableForType();
    /// Stores, unchecked, what the automatic row count depends on, then shows "(max)" and the
    /// automatic count as the type and "Auto-set" ask.
    void UpdateRows();
    void OnColours();
    void OnFont();
    int ShownType() const;

    bool m_settingRows = false;
};
