// media/av_cntr_item.cpp: the OLE item through which a multimedia object holds another program's
// object: its rectangle, its change notices, and its file form.
#include "media/av_cntr_item.h"

#include "common/fit_rect.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "platform/base/archive.h"
#include "platform/base/file.h"

#include <cstdint>

namespace {

void Broadcast(ChangeHint hint, CObject* object, bool modify)
{
    if (IDataObserver* observer = GetDataObserver())
        observer->OnDataChanged(nullptr, hint, object, modify);
}

void WriteLong(CArchive& archive, LONG value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    const BYTE bytes[4] = {BYTE(bits), BYTE(bits >> 8), BYTE(bits >> 16), BYTE(bits >> 24)};
    archive.Write(bytes, 4);
}

LONG ReadLong(CArchive& archive)
{
    BYTE bytes[4];
    if (archive.Read(bytes, 4) != 4)
        throw CFileException(CFileException::endOfFile, 0, {});
    return static_cast<LONG>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                             std::uint32_t(bytes[3]) << 24);
}

} // namespace

CAvCntrItem::CAvCntrItem(CDocument* container) : COleClientItem(container)
{
    m_position = m_rect;
}

const CRuntimeClass* CAvCntrItem::GetRuntimeClass() const
{
    return RuntimeClassOf<CAvCntrItem>();
}

void CAvCntrItem::Serialize(CArchive& archive)
{
    COleClientItem::Serialize(archive);
    if (archive.IsStoring()) {
        WriteLong(archive, m_rect.left);
        WriteLong(archive, m_rect.top);
        WriteLong(archive, m_rect.right);
        WriteLong(archive, m_rect.bottom);
        return;
    }
    m_rect.left = ReadLong(archive);
    m_rect.top = ReadLong(archive);
    m_rect.right = ReadLong(archive);
    m_rect.bottom = ReadLong(archive);
    m_position = m_rect;
}

void CAvCntrItem::OnChange(int notification, DWORD parameter)
{
    COleClientItem::OnChange(notification, parameter);
    if (notification == OLE_CHANGED || notification == OLE_SAVED)
        m_modified = true;
    Broadcast(kHintItemChanged, this, m_modified);
}

BOOL CAvCntrItem::OnChangeItemPosition(const CRect& position)
{
    if (!COleClientItem::OnChangeItemPosition(position))
        return FALSE;
    Broadcast(kHintItemMoved, nullptr, true);
    m_rect = position;
    return TRUE;
}

void CAvCntrItem::OnGetItemPosition(CRect& position)
{
    position = m_rect;
}

BOOL CAvCntrItem::DrawItem(CDC* dc, const RECT& rect, bool widthOnly)
{
    CRect target(rect);
    FitRectToAspect(target, m_rect.Width(), m_rect.Height(), widthOnly);
    return COleClientItem::Draw(dc, &target, -1);
}

bool CAvCntrItem::Draw(CDC& dc, const RECT& target, const RECT* /*source*/)
{
    return DrawItem(&dc, target, false) != FALSE;
}

BOOL CAvCntrItem::WriteToFile(const char* path)
{
    try {
        CFile file;
        if (!file.Open(path, CFile::modeWrite | CFile::shareExclusive))
            return FALSE;
        CArchive archive(&file, CArchive::store, 4096);
        WriteItemFlat(archive);
        archive.Close();
        // The file held an earlier form of the object, which may have been longer.
        file.SetLength(file.GetPosition());
        file.Close();
        return TRUE;
    } catch (const CException&) {
        return FALSE;
    }
}

bool CAvCntrItem::WriteToFile(const std::string& path)
{
    return WriteToFile(path.c_str()) != FALSE;
}

BOOL CAvCntrItem::ReadFromFile(const char* path)
{
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
            return FALSE;
        CArchive archive(&file, CArchive::load, 4096);
        const BOOL read = ReadItemFlat(archive);
        return FinishCreate(read);
    } catch (const CException&) {
        return FALSE;
    }
}
