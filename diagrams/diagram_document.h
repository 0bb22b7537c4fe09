// diagrams/diagram_document.h: one diagram apart from any window: its settings, the text scheme
// with the compiled template of each box kind, its root, its row sets and their trees. It builds,
// brings the trees in line with the records after an edit and lays them out again, and tells its
// observers what changed. Given the program's change feed, it follows the data's change notices
// itself: its window only shows what it is told.
//
// The document answers the elements' questions as their IDiagramOwner. What needs a device (a
// context to measure on, the couple lines' gap at a zoom, a waiting zoom key, the extent with what
// the view places beside the boxes) it asks of the view that shows it; without one it measures
// nothing and takes the gap as units.
//
// Settings change through the document's operations (diagram_document_settings.cpp), which lay
// out or measure again as the change needs and tell the observers. With page boundaries avoided,
// every layout ends by packing the trees again and moving boxes off the vertical page boundaries,
// the first of which is the grid line at or left of the view's extent.
//
// Traps: every element destroyed bumps BoxesVersion, so that whoever keeps boxes (a selection)
// knows to find them again before touching one. Building clears the diagram first (observers hear
// of it) and tells them again once the trees stand.
#pragma once

#include "diagrams/diag_owner.h"
#include "diagrams/diag_resync.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_change_feed.h"
#include "diagrams/diagram_defaults.h"
#include "diagrams/diagram_selection.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/text_scheme.h"
#include "templates/text_template.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CAppProfile;
class CFamRec;
class CIndRec;
class CRecordNode;
class IBoxPainter;
struct PageGrid;

/// What a diagram document asks of the view that shows it.
class IDiagramView {
public:
    virtual ~IDiagramView() = default;
    /// A context to measure on, as IDiagramOwner::CreateMeasurer.
    virtual std::unique_ptr<IBoxPainter> CreateMeasurer() = 0;
    /// The couple lines' gap in diagram units at the view's zoom.
    virtual int SpouseLinesGap() const = 0;
    virtual bool ZoomKeyWaiting() const = 0;
    /// The diagram's extent as the view shows it: the boxes, what the view places beside the
    /// rows and the visible titles; false when empty.
    virtual bool GetDiagramExtent(CRect& rect) const = 0;
};

/// How bringing the diagram in line with the records went.
enum class DiagramResync {
    kNoTree,    // there was no diagram to bring up to date
    kUpdated,   // the trees follow the records
    kRootGone,  // the root record went: the diagram was emptied
    kAbandoned, // the update was abandoned (memory or box budget): the diagram was emptied
};

/// The change notices of a diagram document.
class IDiagramObserver {
public:
    virtual ~IDiagramObserver() = default;
    /// The diagram was emptied: no tree, no root.
    virtual void DiagramCleared() {}
    /// A diagram was built anew from its root: every box is new.
    virtual void DiagramBuilt() {}
    /// Every box was measured and the trees laid out again: any box may have moved or resized.
    virtual void DiagramLayoutChanged() {}
    /// An edit was brought into the diagram without a new layout; repaint lists what changed.
    virtual void DiagramBoxesChanged(const CDiagRepaint& repaint) { (void)repaint; }
    /// A setting changed without a new layout (frames, buttons, colours, titles, the page grid),
    /// or the boxes were moved off page boundaries afresh: the diagram is drawn again.
    virtual void DiagramSettingsChanged() {}
    /// A change of the data was brought into the diagram: told after the notices of what it
    /// changed, with how it went.
    virtual void DiagramResynced(DiagramResync outcome) { (void)outcome; }
};

class CDiagramDocument : public IDiagramOwner, public IDataObserver {
public:
    /// A new diagram on the program's defaults: it copies their settings block and looks its
    /// text scheme up in their list. With changes, it follows the data's change notices for its
    /// whole life.
    explicit CDiagramDocument(CDiagramDefaults& defaults, CDiagramChangeFeed* changes = nullptr);
    CDiagramDocument(const CDiagramDocument&) = delete;
    CDiagramDocument& operator=(const CDiagramDocument&) = delete;
    ~CDiagramDocument() override;

    /// The program's defaults the document was given.
    CDiagramDefaults& Defaults() const { return m_defaults; }

    // Following the data.
    /// A change notice: a data set cleared or a file loaded empties the diagram, new text schemes
    /// are loaded again, and any other change of the data is brought into the trees (Resync),
    /// after which the observers hear DiagramResynced. The printer and the text options are the
    /// window's. A notice that comes while one is followed is not followed.
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override;

    /// The view asked for measuring contexts and zoom-dependent answers; null for none.
    void SetView(IDiagramView* view) { m_view = view; }
    void AddObserver(IDiagramObserver* observer);
    void RemoveObserver(IDiagramObserver* observer);

    using IDiagramOwner::Settings;
    CDiagramSettings& Settings() { return m_settings; }
    const std::string& CustomName() const { return m_customName; }
    void SetCustomName(const std::string& name) { m_customName = name; }
    /// Whether the duplicate boxes' template is "instance".
    bool InstanceFlag() const { return m_instance; }

    // The root.
    /// 0 rooted at a person, 1 at a couple.
    int RootKind() const { return m_rootKind; }
    CIndRec* RootPerson() const { return m_rootPerson; }
    CFamRec* RootFamily() const { return m_rootFamily; }
    /// The root person or couple's family; null without a root.
    CRecordNode* RootRecord() const;
    /// Whether the root record still stands (for a couple, one of its spouses too).
    bool RootStillThere() const;

    // The trees.
    bool HasTree() const { return !m_rowSets.empty(); }
    CDiagRowSet* RowSet() const { return m_rowSets.empty() ? nullptr : m_rowSets.front().get(); }
    const std::vector<std::unique_ptr<CDiagRowSet>>& RowSets() const { return m_rowSets; }
    /// Changes whenever a box is destroyed or the diagram built or emptied.
    std::uint64_t BoxesVersion() const { return m_boxesVersion; }

    /// The selected boxes and titles; boxes are found again after the document destroyed some.
    CDiagramSelection& Selection() { return m_selection; }
    const CDiagramSelection& Selection() const { return m_selection; }

    /// Builds the diagram of the type rooted at person, or at the couple of family. An empty
    /// custom name drops a custom name held and takes the defaults of new windows again; a
    /// name given becomes the custom name. Without a measuring context the build fails when
    /// needMeasurer says so. False when nothing was built: BuildFailureText says why (empty
    /// when the build never started).
    bool Build(CIndRec* person, CFamRec* family, int type, const std::string& customName,
               bool needMeasurer);
    const std::string& BuildFailureText() const { return m_buildFailure; }
    /// Empties the diagram and forgets the root.
    void Clear();
    /// Brings every tree in line with the records after an edit. More than six changed boxes,
    /// or a changed box size, measure and lay out again.
    DiagramResync Resync();
    /// Measures every box's text again and lays out again.
    void Remeasure();
    /// Opens or closes the branch of a box and lays out again. False when the branch could not
    /// be built (the box stays collapsed); observers hear of the layout either way.
    bool ExpandBox(CDiagElem& box);
    /// Converts every person's marriage boxes from "Spouse Option" oldOption to the one the
    /// settings now hold and lays out again. False when abandoned (memory): the diagram is
    /// emptied.
    bool ConvertSpouseOption(int oldOption);
    /// Marks the boxes of people shown more than once among the ancestors and builds their
    /// open branches again. False when abandoned: the diagram is left as far as it was built.
    bool MarkRepeatedAncestors();
    /// Lays every tree out again as a whole. False when abandoned (memory): the diagram is
    /// emptied.
    bool RelayoutAll();
    /// Takes a copy of the settings' scheme (the default scheme when it is missing; with
    /// resetName the name is dropped first) and compiles the templates of each box kind,
    /// binding "<root>" to root.
    void LoadTextScheme(CRecordNode* root, bool resetName);
    /// The text schemes were replaced: the scheme is loaded again and the boxes measured again.
    void ReloadTextScheme();

    // Settings changes (diagram_document_settings.cpp). Each changes the settings, lays out or
    // measures again as the change needs and tells the observers. Toggles of an ordinary
    // diagram (no custom name) change the defaults of new windows alike; what becomes the
    // defaults with a save answers how the save went.
    void SetShowBoxes(bool on);
    void SetShowExpansionButtons(bool on);
    /// Converts the marriage boxes to "Spouse Option" option; nothing in an Ancestors diagram
    /// or when the option is unchanged. False when abandoned (memory): the diagram is emptied.
    bool SetSpouseOption(int option);
    /// Shows or hides a title; titles shown or hidden so become the defaults, a custom
    /// diagram's too.
    [[nodiscard]] SaveOutcome ToggleTitle(int index, CAppProfile* saveTo);
    /// Hides every selected title and drops their selection; an ordinary diagram's titles
    /// become the defaults, a custom diagram's are its own.
    [[nodiscard]] SaveOutcome HideSelectedTitles(CAppProfile* saveTo);
    /// Title index as set in its options; the titles become the defaults, a custom diagram's too.
    [[nodiscard]] SaveOutcome SetTitle(int index, const CDiagramTitle& title, CAppProfile* saveTo);
    /// The titles of the installation.
    void ResetTitles();
    /// Makes a section of the settings the defaults of new windows.
    [[nodiscard]] SaveOutcome SaveAsDefaults(int section, CAppProfile* saveTo);
    /// Takes a section of from (the options sheet's edits); the caller lays out as it needs.
    void TakeSettings(const CDiagramSettings& from, int section);
    /// Takes the defaults of new windows whole.
    void TakeDefaults();
    /// Takes the settings of a custom diagram file. False when the file is damaged or is not a
    /// custom diagram.
    bool LoadSettingsFromFile(const std::string& path);
    /// Every setting back to its installation value, the diagram keeping its type; with
    /// asDefaults the defaults of new windows alike (keeping theirs), saved to saveTo when given.
    [[nodiscard]] SaveOutcome RestoreInstallationSettings(bool asDefaults, CAppProfile* saveTo);
    /// Sibling branches opened or not when the diagram is next built.
    void SetExpandSiblingBranches(bool on);
    /// An All Relatives diagram never leaves the spouses out: a "Spouse Option" of none becomes
    /// one box per marriage, as building does.
    void KeepSpousesInAllRelatives();
    /// Takes each entry's colour and transparent flag.
    void SetColours(const DiagramColourEntry* entries, int count);
    /// Moves or resizes title index to frame as a drag goes; nothing becomes the defaults yet.
    void MoveTitle(int index, const CRect& frame);
    /// A drag left the titles where they are: an ordinary diagram's titles become the defaults,
    /// a custom diagram's are its own.
    [[nodiscard]] SaveOutcome KeepTitlesPlaced(CAppProfile* saveTo);
    /// Gives a box its own text (null: its template's again) and lays out again.
    void SetOverrideText(CDiagElem& box, const char* text);
    /// Gives every selected box its template's text again and lays out again.
    void ClearSelectedOverrideTexts();

    // Pages.
    /// Switches moving boxes off vertical page boundaries on or off; off packs the trees again.
    void SetAvoidsPageBoundaries(bool on);
    /// Moves boxes off the page boundaries afresh while they are avoided (the grid moved).
    void AvoidPageBoundariesAgain();
    /// The top-left corner of the page grid covering the view's extent and its pages down and
    /// across, each at least 1.
    void GetPageSpan(CPoint& origin, int& down, int& across) const;
    /// Moves or resizes the page grid; nothing is laid out again.
    void SetPageGrid(const PageGrid& grid);
    /// The row pitch the diagram has on paper: the tallest box of a row and the row gap; 0
    /// without a diagram.
    int PrintedRowHeight() const;
    /// How far the row edges lie below the multiples of the row pitch.
    int RowEdgeOffset() const;
    /// Sizes the page to hold rows rows per printed page, in the proportions of the printer's
    /// page (printerWidth by printerHeight), measuring again until the rows keep their height;
    /// alignRows then moves the page edges between rows.
    void FitPageToRows(int printerWidth, int printerHeight, int rows, bool alignRows);
    /// Prints in landscape or portrait from now on: the page turns with the paper and, given
    /// the paper's proportions (paperWidth and paperHeight positive), takes them; the boxes are
    /// measured again.
    void SetPrintOrientation(bool landscape, int paperWidth, int paperHeight);
    /// Measures every box again on the measuring context (the printer's page, else the
    /// screen's) and lays out again; without a diagram it is only drawn again.
    void RemeasureForPrinter();

    // IDiagramOwner.
    const CDiagramSettings& Settings() const override { return m_settings; }
    const CTextTemplate* BoxTemplate(int boxKind) const override;
    COLORREF ProxyTextColour() const override;
    bool ShowsPictures() const override { return m_settings.m_pictureIndex != 0; }
    int Scaled(int value) const override { return value; }
    int BoxHeight() const override;
    std::unique_ptr<IBoxPainter> CreateMeasurer() override;
    void SetLayoutChanged() override {}
    void ElementDestroyed(CDiagElem& element) override;
    void FamilyBoxDestroyed(CDiagElem& box, CDiagElem* next) override;
    const CDiagElem* RootElement() const override;
    const CDiagFamilyLink* RootFamilyLink() const override;
    bool IsLastAncestorGeneration(int generation) const override;
    bool IsAtDescendantLimit(int generation) const override;
    void IndexElement(const CIndRec*, CDiagElem*) override {}
    bool ZoomKeyWaiting() const override;
    int SpouseLinesGap() const override;
    bool AvoidsPageBoundaries() const override { return m_avoidPages; }

private:
    /// The settings of new windows among the program's defaults.
    CDiagramSettings& DefaultSettings();
    /// Changes the settings and, for an ordinary diagram, the defaults alike.
    void Mirror(const std::function<void(CDiagramSettings&)>& change);
    /// An ordinary diagram's titles become the defaults; a custom diagram's are its own.
    SaveOutcome SaveTitlesIfOrdinary(CAppProfile* saveTo);
    /// The last step of every layout: with page boundaries avoided, the trees packed again and
    /// their boxes moved off the vertical page boundaries. False when they are not avoided.
    bool AvoidPageBoundariesIfOn();
    void SelectTextTemplates();
    /// Whether the texts of the boxes re-measured differ from their sizes.
    bool BoxSizesChanged();
    void Notify(const std::function<void(IDiagramObserver&)>& fn);
    /// Runs the change on every row set, then tells of the new layout; the first that fails
    /// stops it (and with clearOnFailure empties the diagram). False when one failed.
    bool ChangeEachRowSet(const std::function<bool(CDiagRowSet&)>& change, bool clearOnFailure);

    CDiagramDefaults& m_defaults;
    CDiagramChangeFeed* m_changes = nullptr;
    bool m_followingChange = false;
    CDiagramSettings m_settings;
    std::string m_customName;
    CTextScheme m_scheme;
    std::array<CTextTemplate, 6> m_compiled;
    std::array<bool, 6> m_hasCompiled{};
    std::array<const CTextTemplate*, kDiagramBoxKindCount> m_boxTemplates{};
    bool m_instance = false;

    int m_rootKind = 0;
    CIndRec* m_rootPerson = nullptr;
    CFamRec* m_rootFamily = nullptr;
    std::vector<std::unique_ptr<CDiagRowSet>> m_rowSets;
    std::string m_buildFailure;
    std::uint64_t m_boxesVersion = 0;
    CDiagramSelection m_selection{*this};
    bool m_avoidPages = false;

    IDiagramView* m_view = nullptr;
    std::vector<IDiagramObserver*> m_observers;
};
