// diagrams/diag_elem.cpp: the diagram box base: construction and destruction, override texts,
// flags, anchors and the text block.
#include "diagrams/diag_elem.h"

#include "database/kin/ind_rec.h"
#include "database/multimedia/media_item.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>

CDiagTextBlock::~CDiagTextBlock()
{
    SetPicture(nullptr, CRect());
}

void CDiagTextBlock::SetPicture(CMediaItem* picture, const CRect& crop)
{
    if (picture)
        picture->Lock();
    if (m_picture)
        m_picture->Unlock();
    m_picture = picture;
    m_crop = crop;
}

CDiagElem::CDiagElem(IDiagramOwner& owner, int position, int generation)
    : m_owner(owner), m_position(position), m_generation(generation)
{
    m_owner.SetLayoutChanged();
}

CDiagElem::~CDiagElem()
{
    m_owner.SetLayoutChanged();
    m_owner.ElementDestroyed(*this);
}

int CDiagElem::GetMinBoxWidth() const
{
    return m_owner.Scaled(m_owner.Settings().m_minBoxWidth);
}

bool CDiagElem::IsAtDiagramLimit(bool* descendantSide) const
{
    if (descendantSide)
        *descendantSide = false;
    return false;
}

void CDiagElem::GetBoxText(CBoxText& out) const
{
    out = CBoxText();
}

void CDiagElem::SetText(const char* text)
{
    m_overrideText = text ? text : "";
}

void CDiagElem::SetFlag(std::uint16_t bits, bool on, const ElemRecordSet* records)
{
    if (records && !records->contains(static_cast<const CRecordNode*>(GetIndividual())))
        return;
    m_flags = on ? std::uint16_t(m_flags | bits) : std::uint16_t(m_flags & ~bits);
}

CPoint CDiagElem::GetCentre() const
{
    return CentreOf(&m_rect, nullptr);
}

CPoint CDiagElem::GetAnchor(int code) const
{
    const CPoint centre = GetCentre();
    switch (code) {
    case kAnchorTop:
        return CPoint(centre.x, m_rect.top);
    case kAnchorLeft:
        return CPoint(m_rect.left, centre.y);
    case kAnchorRight:
        return CPoint(m_rect.right, centre.y);
    case kAnchorParents: {
        CPoint point(centre.x, centre.y - m_owner.SpouseLinesGap() / 2);
        if (const CDiagElem* partner = GetPartner())
            point = GapMidpoint(m_rect, partner->Rect());
        point.y = std::max<LONG>(point.y, m_rect.bottom);
        return point;
    }
    default:
        return centre;
    }
}

CPoint GapMidpoint(const CRect& a, const CRect& b)
{
    const int x = b.left >= a.right ? (a.right + b.left) / 2 : (b.right + a.left) / 2;
    return CPoint(x, (CentreOf(&a, nullptr).y + CentreOf(&b, nullptr).y) / 2);
}

CPoint CentreOf(const CRect* a, const CRect* b)
{
    if (!a && !b)
        return CPoint();
    if (!a || !b) {
        const CRect& r = a ? *a : *b;
        return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    const CPoint first = CentreOf(a, nullptr), second = CentreOf(b, nullptr);
    return CPoint((first.x + second.x) / 2, (first.y + second.y) / 2);
}
