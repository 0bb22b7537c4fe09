// controls/dlg_layout.cpp: recording the anchors of a dialog's controls and moving the controls
// when the dialog is resized.
#include "controls/dlg_layout.h"

#include <algorithm>

namespace {

/// The modes one axis takes: the fixed-distance anchors to the reference's near edge, to the
/// far edge and to the centre line.
struct AxisModes {
    int toNear;
    int toFar;
    int toCentre;
};

constexpr AxisModes kVertical{CDlgLayout::kToTop, CDlgLayout::kToBottom, CDlgLayout::kToMiddle};
constexpr AxisModes kHorizontal{CDlgLayout::kToLeft, CDlgLayout::kToRight, CDlgLayout::kToCentre};

/// The near edge, far edge and centre of a rectangle along one axis.
struct Span {
    int nearEdge;
    int farEdge;
    int Centre() const { return (nearEdge + farEdge) / 2; }
};

Span SpanOf(const CRect& rect, bool vertical)
{
    return vertical ? Span{rect.top, rect.bottom} : Span{rect.left, rect.right};
}

bool ModeFits(int mode, CWnd* reference, const AxisModes& axis)
{
    if (mode == CDlgLayout::kNoChange || mode == CDlgLayout::kProportional)
        return reference == nullptr;
    if (mode == axis.toNear)
        return reference != nullptr;
    return mode == axis.toFar || mode == axis.toCentre;
}

/// The value stored for an edge at position edge in a dialog of extent size; false when a
/// proportion cannot be taken of an empty dialog.
bool BuildEdge(int mode, CWnd* reference, int edge, int size, bool vertical, CLayoutEdge& out)
{
    out = CLayoutEdge{mode, reference, 0};
    const AxisModes& axis = vertical ? kVertical : kHorizontal;
    if (mode == CDlgLayout::kNoChange)
        return true;
    if (mode == CDlgLayout::kProportional) {
        if (size <= 0)
            return false;
        out.m_value = edge * 1000 / size;
        return true;
    }
    const Span ref = reference ? SpanOf(PlaceInParent(*reference), vertical) : Span{0, size};
    if (mode == axis.toNear)
        out.m_value = ref.nearEdge - edge;
    else if (mode == axis.toFar)
        out.m_value = ref.farEdge - edge;
    else
        out.m_value = (reference ? ref.Centre() : size / 2) - edge;
    return true;
}

/// The edge's new position for a dialog of extent size; current when it does not move.
int PlaceEdge(const CLayoutEdge& spec, int current, int size, bool vertical)
{
    const AxisModes& axis = vertical ? kVertical : kHorizontal;
    if (spec.m_mode == CDlgLayout::kNoChange)
        return current;
    if (spec.m_mode == CDlgLayout::kProportional)
        return static_cast<int>(static_cast<long long>(spec.m_value) * size / 1000);
    if (spec.m_reference && !spec.m_reference->GetSafeHwnd())
        return current;
    const Span ref =
        spec.m_reference ? SpanOf(PlaceInParent(*spec.m_reference), vertical) : Span{0, size};
    if (spec.m_mode == axis.toNear)
        return ref.nearEdge - spec.m_value;
    if (spec.m_mode == axis.toFar)
        return ref.farEdge - spec.m_value;
    return (spec.m_reference ? ref.Centre() : size / 2) - spec.m_value;
}

} // namespace

CRect PlaceInParent(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    if (CWnd* parent = wnd.GetParent())
        parent->ScreenToClient(&rect);
    return rect;
}

CDlgLayout::CDlgLayout() = default;

CDlgLayout::~CDlgLayout() = default;

BOOL CDlgLayout::AddControl(CWnd* dialog, CWnd* control, const RECT& dialogClient, int topMode,
                            CWnd* topReference, int leftMode, CWnd* leftReference, int bottomMode,
                            CWnd* bottomReference, int rightMode, CWnd* rightReference)
{
    if (!dialog || !control || !control->GetSafeHwnd())
        return FALSE;
    if (!ModeFits(topMode, topReference, kVertical) ||
        !ModeFits(bottomMode, bottomReference, kVertical) ||
        !ModeFits(leftMode, leftReference, kHorizontal) ||
        !ModeFits(rightMode, rightReference, kHorizontal))
        return FALSE;
    const CRect client(dialogClient);
    const CRect place = PlaceInParent(*control);
    auto entry = std::make_unique<CLayoutEntry>();
    entry->m_control = control;
    if (!BuildEdge(topMode, topReference, place.top, client.Height(), true, entry->m_top) ||
        !BuildEdge(leftMode, leftReference, place.left, client.Width(), false, entry->m_left) ||
        !BuildEdge(bottomMode, bottomReference, place.bottom, client.Height(), true,
                   entry->m_bottom) ||
        !BuildEdge(rightMode, rightReference, place.right, client.Width(), false, entry->m_right))
        return FALSE;
    m_entries.push_back(std::move(entry));
    return TRUE;
}

void CDlgLayout::ApplyLayout(CWnd* dialog, int width, int height)
{
    for (const auto& entry : m_entries) {
        CWnd* control = entry->m_control;
        if (!control->GetSafeHwnd())
            continue;
        const CRect place = PlaceInParent(*control);
        const int top = PlaceEdge(entry->m_top, place.top, height, true);
        const int bottom = PlaceEdge(entry->m_bottom, place.bottom, height, true);
        const int left = PlaceEdge(entry->m_left, place.left, width, false);
        const int right = PlaceEdge(entry->m_right, place.right, width, false);
        control->MoveWindow(left, top, std::max(right - left, 0), std::max(bottom - top, 0), FALSE);
    }
    if (dialog && dialog->GetSafeHwnd())
        dialog->Invalidate(TRUE);
}

void CDlgLayout::DestroyLayout()
{
    m_entries.clear();
}

BOOL CDlgLayout::ClearLayoutEdge(CWnd* control, Edge edge)
{
    auto found = std::find_if(m_entries.begin(), m_entries.end(),
                              [control](const auto& entry) { return entry->m_control == control; });
    if (found == m_entries.end())
        return FALSE;
    CLayoutEntry& entry = **found;
    CLayoutEdge* edges[] = {&entry.m_top, &entry.m_left, &entry.m_bottom, &entry.m_right};
    *edges[static_cast<int>(edge)] = CLayoutEdge{};
    return TRUE;
}

const CLayoutEntry* CDlgLayout::Find(CWnd* control) const
{
    for (const auto& entry : m_entries)
        if (entry->m_control == control)
            return entry.get();
    return nullptr;
}
