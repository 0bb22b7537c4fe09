// diagrams/diag_elem.h: a diagram box (CDiagElem), the base of the ancestor, family and spouse
// boxes: its rectangle, expansion state, flags, override text, measured text block, anchors,
// box text, measuring and drawing.
//
// Flags: root 1, marked 2, repeat 4. CBoxText is a box's text, fill colour row, text colour,
// pictures switch, lines and picture line; box_text.cpp gives the text, fill and colour of each box
// kind, diag_elem_draw.cpp measures and draws. The string ids of the refusals of adding relatives
// are here too.
//
// Traps: a box repeating a person shown elsewhere (flag 4) takes the proxy template and a proxy
// fill; a person's further family boxes take the duplicate template and the duplicate fill, and
// their 1-based place in the person's chain is the substitution value when the template's
// substitution name is INSTANCE. A spouse box renders for its family box's family. Box texts hold
// at most 500 characters: template lines beyond them are left out whole, an override text is cut at
// a character boundary. Lines break at runs of CR and LF.
//
// Building, updating and expanding branches are the layout engine's: elements only hold what it
// gives them (SetRecords, SetFather, SetSpouseBox, AddChildLink). Destructors tell the owner
// (ElementDestroyed sees only the base part). A box's text block keeps the multimedia record its
// picture comes from; the update after an edit drops the block of a record being deleted and
// measures the box without it.
#pragma once

#include "diagrams/box_painter.h"
#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class CFamRec;
class CIndRec;
class CMediaItem;
class CRecordNode;
class IDiagramOwner;

/// Element kinds (GetKind).
enum DiagElemKind : int { kBaseElem = 0, kAncestorElem = 1, kSpouseElem = 2, kFamilyElem = 3 };

/// Expansion states.
enum ElemExpansion : int { kNothingToExpand = 0, kExpanded = 1, kCollapsed = 2 };

/// Flag bits.
inline constexpr std::uint16_t kElemRoot = 1;   // a box of the diagram's root
inline constexpr std::uint16_t kElemMarked = 2; // marked by the user or a query
inline constexpr std::uint16_t kElemRepeat = 4; // repeats a person shown elsewhere

/// Anchor codes.
enum ElemAnchor : int { kAnchorTop = 1, kAnchorLeft = 2, kAnchorRight = 3, kAnchorParents = 4 };

/// Refusals of adding relatives, as string ids of their messages.
inline constexpr int kBothParentsShownId = 59422;    // "Can't add parent - this person ..."
inline constexpr int kAncestorLimitId = 59423;       // "... reached the diagram limits ..."
inline constexpr int kOtherParentHiddenId = 59424;   // "... other parent is hidden ..."
inline constexpr int kChildrenNotAllowedId = 61455;  // "Can't add child - the current ..."
inline constexpr int kOtherChildrenHiddenId = 61451; // "... other children are hidden ..."

/// The most characters of a box text, and of an override text that is used.
inline constexpr std::size_t kBoxTextChars = 500;

/// Colour rows of the settings that boxes use.
enum BoxColourRow : int {
    kTextMaleRow = 0,
    kTextFemaleRow = 1,
    kTextUnknownSexRow = 2,
    kBoxRootRow = 4,
    kBoxAncestorRow = 5,
    kBoxDescendantRow = 6,
    kBoxSpouseRow = 7,
    kBoxDuplicateRow = 8,
    kBoxProxyChildRow = 9,
    kBoxProxySpouseRow = 10,
    kBoxMarkedRow = 11,
};

/// A box's text with how it is drawn.
struct CBoxText {
    std::string text; // lines separated by LF
    int fillRow = -1; // a BoxColourRow; -1 none
    COLORREF textColour = 0;
    bool picturesShown = false;
    int lineCount = 0;
    int pictureLine = -1;
    /// Asked for the fill, colour and pictures only: the template is not rendered.
    bool lookOnly = false;
};

/// The measured picture part of a box; it holds its picture in use until destroyed.
class CDiagTextBlock {
public:
    CDiagTextBlock() = default;
    CDiagTextBlock(const CDiagTextBlock&) = delete;
    CDiagTextBlock& operator=(const CDiagTextBlock&) = delete;
    ~CDiagTextBlock();

    /// Takes the picture in use (Lock), releasing the one held before.
    void SetPicture(CMediaItem* picture, const CRect& crop);
    CMediaItem* Picture() const { return m_picture; }
    /// The part of the picture shown; empty for all of it.
    const CRect& Crop() const { return m_crop; }

    int m_width = 0;
    /// The multimedia record the picture comes from, so that the box can let go of it when
    /// that record is deleted.
    const CRecordNode* m_record = nullptr;
    /// The picture's size (left and top 0).
    CRect m_pictureRect;
    std::string m_text;

private:
    CMediaItem* m_picture = nullptr;
    CRect m_crop;
};

/// The set of records a flag change is limited to.
using ElemRecordSet = std::set<const CRecordNode*>;

class CDiagElem {
public:
    CDiagElem(const CDiagElem&) = delete;
    CDiagElem& operator=(const CDiagElem&) = delete;
    virtual ~CDiagElem();

    virtual int GetKind() const { return kBaseElem; }
    /// The "Min box width" of the diagram, scaled.
    virtual int GetMinBoxWidth() const;
    /// Opens or closes the box's branch; the layout engine's.
    virtual void Expand() {}
    /// Paints the box: fill, lines of text, picture.
    virtual void Draw(IBoxPainter& painter);
    /// The box's template text (without the override), fill, colour and lines.
    virtual void GetBoxText(CBoxText& out) const;
    virtual CIndRec* GetIndividual() const { return nullptr; }
    virtual CFamRec* GetFamily() const { return nullptr; }
    virtual CDiagElem* GetPartner() const { return nullptr; }
    /// Whether the box stands at a limit of the diagram; descendantSide tells which.
    virtual bool IsAtDiagramLimit(bool* descendantSide = nullptr) const;

    /// Sets the override text; null or empty clears it.
    void SetText(const char* text);
    bool HasText() const { return !m_overrideText.empty(); }
    /// The override text, or else the box text, of at most 500 characters.
    std::string GetText() const;

    /// Sets (on) or clears the bits; with records, only when the box's individual is one.
    void SetFlag(std::uint16_t bits, bool on, const ElemRecordSet* records = nullptr);
    std::uint16_t GetFlags() const { return m_flags; }
    bool HasFlag(std::uint16_t bits) const { return (m_flags & bits) != 0; }

    /// Computes the box size: the widest line plus the side margins, at least the minimum
    /// width, with the picture (loaded again with loadPicture) beside or within the text.
    /// Without a measurer the owner's is used. The box is set around x 0, from 0 down to minus
    /// the box height, or that rectangle goes to size.
    void Measure(IBoxPainter* measurer, bool loadPicture, CRect* size = nullptr);
    /// The box's selection handles, drawn or taken away.
    void DrawHandles(IBoxPainter& painter, bool remove) const
    {
        painter.DrawHandles(m_rect, remove);
    }
    /// The lowest point of the box's content (the layout compares it with the bottom).
    int GetContentBottom() const;

    /// A point on the box by anchor code; the parents' anchor never lies below the box.
    CPoint GetAnchor(int code) const;
    /// The centre of the rectangle.
    CPoint GetCentre() const;

    IDiagramOwner& Owner() const { return m_owner; }
    const CRect& Rect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    int GetExpansion() const { return m_expansion; }
    void SetExpansion(int state) { m_expansion = state; }
    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    int GetPosition() const { return m_position; }
    int GetGeneration() const { return m_generation; }
    CDiagTextBlock* TextBlock() const { return m_textBlock.get(); }
    void DropTextBlock() { m_textBlock.reset(); }
    /// The measured text lines and their height.
    int MeasuredLines() const { return m_lineCount; }
    int LineHeight() const { return m_lineHeight; }

    /// The window's chain of drawn elements.
    CDiagElem* m_next = nullptr;
    bool m_inChain = false;
    /// The area last drawn.
    CRect m_drawnRect;
    /// Marked for repaint: the drawing pass's repaint mode draws only marked boxes.
    bool m_repaintMark = false;

protected:
    CDiagElem(IDiagramOwner& owner, int position, int generation);

    /// The text colour by the individual's sex.
    COLORREF SexColour(const CIndRec* individual) const;
    /// Renders the owner's template of a kind for the records; false without a template.
    bool RenderBox(int boxKind, const CIndRec* individual, const CFamRec* family,
                   std::string_view substitution, CBoxText& out) const;
    /// The person's name alone.
    static void DefaultText(const CIndRec* individual, CBoxText& out);

    IDiagramOwner& m_owner;
    CRect m_rect;
    int m_expansion = kNothingToExpand;
    bool m_visible = true;
    std::unique_ptr<CDiagTextBlock> m_textBlock;
    std::uint16_t m_flags = 0;
    int m_position = 0;
    int m_generation = 0;
    std::string m_overrideText;
    int m_lineCount = 0;
    int m_lineHeight = 0;

private:
    /// The lines of the text shown (override or template), with their fill and colour; without
    /// withText only the fill, colour and pictures.
    CBoxText ShownText(bool withText = true) const;
    void LoadPicture(int boxHeight);
};

/// The lines of a box text: breaks at CR and LF, a run of them one break, no empty line.
std::vector<std::string_view> SplitBoxLines(std::string_view text);
/// The midpoint of the gap between two rectangles (x), at the middle of their centres (y).
CPoint GapMidpoint(const CRect& a, const CRect& b);
/// The centre of a rectangle, or the midpoint between the centres of two; either may be null.
CPoint CentreOf(const CRect* a, const CRect* b);
