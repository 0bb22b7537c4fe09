// platform/ui/frames/ole_client_item.cpp: an object made by another program, embedded in a
// document: its bytes are kept unchanged, it is drawn as a placeholder, and it cannot be opened
// here.
#include "platform/ui/frames/ole_client_item.h"

#include "platform/base/archive.h"
#include "platform/base/exceptions.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/pen.h"

#include <algorithm>

namespace {

constexpr std::size_t kReadPiece = 4096;
constexpr int kIconSize = 32;

} // namespace

COleClientItem::COleClientItem(CDocument* container) : m_container(container) {}

COleClientItem::~COleClientItem() = default;

BOOL COleClientItem::ReadItemFlat(CArchive& archive)
{
    std::string bytes;
    char piece[kReadPiece];
    for (UINT read; (read = archive.Read(piece, sizeof piece)) > 0;)
        bytes.append(piece, read);
    if (bytes.empty())
        return FALSE;
    m_bytes = std::move(bytes);
    return TRUE;
}

void COleClientItem::WriteItemFlat(CArchive& archive)
{
    archive.Write(m_bytes.data(), static_cast<UINT>(m_bytes.size()));
}

BOOL COleClientItem::FinishCreate(BOOL success)
{
    return success && !m_bytes.empty();
}

void COleClientItem::Serialize(CArchive& archive)
{
    BYTE length[4];
    if (archive.IsStoring()) {
        const auto size = static_cast<DWORD>(m_bytes.size());
        for (int i = 0; i < 4; ++i)
            length[i] = static_cast<BYTE>(size >> (8 * i));
        archive.Write(length, 4);
        WriteItemFlat(archive);
        return;
    }
    if (archive.Read(length, 4) != 4)
        throw CFileException(CFileException::endOfFile, 0, {});
    const DWORD size = length[0] | length[1] << 8 | length[2] << 16 | DWORD(length[3]) << 24;
    std::string bytes(size, '\0');
    if (archive.Read(bytes.data(), size) != size)
        throw CFileException(CFileException::endOfFile, 0, {});
    m_bytes = std::move(bytes);
}

BOOL COleClientItem::GetExtent(CSize* size) const
{
    if (!size)
        return FALSE;
    *size = m_position.Size();
    return TRUE;
}

BOOL COleClientItem::Draw(CDC* dc, const RECT* rect, int /*aspect*/)
{
    if (!dc || !rect)
        return FALSE;
    const CRect area(*rect);
    if (area.IsRectEmpty())
        return FALSE;
    dc->FillSolidRect(&area, RGB(255, 255, 255));
    CBrush frame(RGB(128, 128, 128));
    dc->FrameRect(&area, &frame);
    // A page with a folded corner, centred in the upper part.
    const int icon = std::min({kIconSize, area.Width() - 4, area.Height() - 4});
    if (icon >= 8) {
        const int left = area.left + (area.Width() - icon) / 2;
        const int top = area.top + std::max(2, (area.Height() - icon) / 3);
        const int fold = icon / 4;
        const POINT page[] = {{left, top},
                              {left + icon - fold, top},
                              {left + icon - 1, top + fold},
                              {left + icon - 1, top + icon - 1},
                              {left, top + icon - 1},
                              {left, top}};
        CPen pen(PS_SOLID, 1, RGB(0, 0, 128));
        CPen* old = dc->SelectObject(&pen);
        dc->Polyline(page, static_cast<int>(std::size(page)));
        for (int line = top + fold + 3; line < top + icon - 3; line += 4) {
            dc->MoveTo(left + 3, line);
            dc->LineTo(left + icon - 4, line);
        }
        dc->SelectObject(old);
        CRect caption(area.left + 2, top + icon + 2, area.right - 2, area.bottom - 2);
        if (!caption.IsRectEmpty() && !m_caption.empty()) {
            dc->SetBkMode(TRANSPARENT);
            dc->DrawText(m_caption, &caption, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        }
    }
    return TRUE;
}

BOOL COleClientItem::DoVerb(LONG /*verb*/, void* /*view*/)
{
    MessageBox(kOleUnavailableText, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

void COleClientItem::OnChange(int /*notification*/, DWORD /*parameter*/) {}

BOOL COleClientItem::OnChangeItemPosition(const CRect& position)
{
    m_position = position;
    return TRUE;
}

void COleClientItem::OnGetItemPosition(CRect& position)
{
    position = m_position;
}
