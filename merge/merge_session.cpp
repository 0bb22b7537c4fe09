// merge/merge_session.cpp: the second file's data set and the engine over it, from load to free.
#include "merge/merge_session.h"

#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/change_tracking.h"

namespace {

/// Change tracking off for the life of a scope, then as it was.
class CTrackingOff final {
public:
    CTrackingOff() : m_wasOn(IsChangeTrackingOn()) { SetChangeTracking(false); }
    ~CTrackingOff() { SetChangeTracking(m_wasOn); }
    CTrackingOff(const CTrackingOff&) = delete;
    CTrackingOff& operator=(const CTrackingOff&) = delete;

private:
    bool m_wasOn;
};

} // namespace

MergeRoots CurrentDataSetRoots()
{
    MergeRoots roots{};
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
        roots[std::size_t(code)] = GetRecordTypeTable().RowByCode(code)->m_root;
    return roots;
}

CMergeSession::~CMergeSession()
{
    Free();
}

SecondFileLoad CMergeSession::Load(const std::string& path, IProgress* progress)
{
    // A session loaded again ends its engine before the data set the engine works on goes.
    Free();
    m_second = std::make_unique<CMergeDataSet>();
    bool otherLocation = false;
    if (!LoadGedcomFileForMerge(path, *m_second, progress, &otherLocation))
        return SecondFileLoad::NotRead;
    return otherLocation ? SecondFileLoad::ReadLinksNotUpdated : SecondFileLoad::Read;
}

void CMergeSession::Compare(const std::string& path, IProgress* progress)
{
    if (!m_second)
        return;
    m_engine = std::make_unique<CMergeEngine>(CurrentDataSetRoots(), m_second->Roots());
    m_engine->SetPath(path);
    if (m_engine->IsValid())
        m_engine->InitCompareMaps(progress);
}

void CMergeSession::Free()
{
    const CTrackingOff trackingOff;
    m_engine.reset();
    if (m_second)
        m_second->FreeRecords();
    m_second.reset();
}
