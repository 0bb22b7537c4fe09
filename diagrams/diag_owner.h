// diagrams/diag_owner.h: what a diagram element asks of the diagram that owns it: the settings
// block, the box templates, the pictures switch, the row arithmetic, the record index, the dirty
// flag and a measuring device. The diagram document (diagram_document.h) implements it, asking
// the window that shows it for what needs a device.
//
// The owner also answers ZoomKeyWaiting (keypad plus or minus waiting) and AvoidsPageBoundaries; a
// waiting zoom key stops a screen repaint after the box drawn, never a printout.
#pragma once

#include "diagrams/diagram_settings.h"
#include "platform/base/types.h"

#include <memory>

class CDiagElem;
class CDiagFamilyLink;
class CIndRec;
class CTextTemplate;
class IBoxPainter;

/// The template of each box kind, as the window selects them from its text scheme.
enum DiagramBoxKind : int {
    kAncestorBox = 0,
    kDescendantBox = 1, // the first family box of a person
    kSpouseBox = 2,
    kDuplicateBox = 3, // a person's further family boxes
    kProxyBox = 4,     // a box repeating a person shown elsewhere (flag kElemRepeat)
};
inline constexpr int kDiagramBoxKindCount = 5;

class IDiagramOwner {
public:
    virtual ~IDiagramOwner() = default;
    virtual const CDiagramSettings& Settings() const = 0;
    /// The compiled template of a box kind; null shows the person's name alone.
    virtual const CTextTemplate* BoxTemplate(int boxKind) const = 0;
    /// The text colour of a spouse box that repeats a person shown elsewhere.
    virtual COLORREF ProxyTextColour() const = 0;
    /// Whether the window shows pictures at all.
    virtual bool ShowsPictures() const = 0;
    /// A settings dimension in the units boxes are measured in.
    virtual int Scaled(int value) const = 0;
    /// The height of every box of the diagram.
    virtual int BoxHeight() const = 0;
    /// A context to measure on, with the diagram font selected: the printer's in the diagram's
    /// orientation, else the window's. Null when none can be made.
    virtual std::unique_ptr<IBoxPainter> CreateMeasurer() = 0;
    /// The layout must be computed again (an element was made or destroyed).
    virtual void SetLayoutChanged() = 0;
    /// An element is being destroyed: the owner drops its pointers to it and repaints its drawn
    /// area. Only its base part (rectangle, drawn area, visibility, generation) may be read.
    virtual void ElementDestroyed(CDiagElem& element) = 0;
    /// A family box is being destroyed: when it is the window's current element, next (the
    /// person's next family box, or null) takes its place.
    virtual void FamilyBoxDestroyed(CDiagElem& box, CDiagElem* next) = 0;
    /// The box of the diagram's root and the root person's chain of family boxes; null while
    /// there is none.
    virtual const CDiagElem* RootElement() const = 0;
    virtual const CDiagFamilyLink* RootFamilyLink() const = 0;
    /// Whether a box of that generation stands in the last ancestor row the diagram shows.
    virtual bool IsLastAncestorGeneration(int generation) const = 0;
    /// Whether a family box of that generation has reached the descendant generation limit.
    virtual bool IsAtDescendantLimit(int generation) const = 0;
    /// Enters a box in the record-to-element index.
    virtual void IndexElement(const CIndRec* individual, CDiagElem* element) = 0;
    /// Whether a key that zooms (keypad plus or minus) waits, so that a long repaint stops.
    virtual bool ZoomKeyWaiting() const { return false; }
    /// The gap between the two lines of a couple, in diagram units. The settings give it in
    /// device pixels: a window converts it through its mapping; elsewhere it is taken as units.
    virtual int SpouseLinesGap() const { return Scaled(Settings().m_spouseLinesGap); }
    /// Whether the diagram's "Avoid Page Boundaries" mode is on: boxes may have been moved off
    /// page boundaries, so lines drop from the boxes' own connector points.
    virtual bool AvoidsPageBoundaries() const { return false; }
};
