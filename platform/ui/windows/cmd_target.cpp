// platform/ui/windows/cmd_target.cpp: the handler tables and their lookup.
#include "platform/ui/windows/cmd_target.h"

#include "platform/ui/windows/cmd_ui.h"

#include <utility>

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    for (const Entry& entry : m_entries) {
        if (entry.code != nCode || nID < entry.firstId || nID > entry.lastId)
            continue;
        if (pHandlerInfo) {
            pHandlerInfo->pTarget = this;
            return TRUE;
        }
        // A copy, so the handler may change the tables or delete this object.
        const auto call = entry.call;
        call(nID, pExtra);
        return TRUE;
    }
    return FALSE;
}

void CCmdTarget::MapCommand(UINT id, std::function<void()> handler)
{
    m_entries.push_back({id, id, CN_COMMAND, [h = std::move(handler)](UINT, void*) { h(); }});
}

void CCmdTarget::MapCommandRange(UINT firstId, UINT lastId, std::function<void(UINT)> handler)
{
    m_entries.push_back(
        {firstId, lastId, CN_COMMAND, [h = std::move(handler)](UINT id, void*) { h(id); }});
}

void CCmdTarget::MapUpdate(UINT id, std::function<void(CCmdUI*)> handler)
{
    MapUpdateRange(id, id, std::move(handler));
}

void CCmdTarget::MapUpdateRange(UINT firstId, UINT lastId, std::function<void(CCmdUI*)> handler)
{
    m_entries.push_back(
        {firstId, lastId, CN_UPDATE_COMMAND_UI,
         [h = std::move(handler)](UINT, void* extra) { h(static_cast<CCmdUI*>(extra)); }});
}

void CCmdTarget::MapNotify(UINT id, UINT code, std::function<void()> handler)
{
    m_entries.push_back({id, id, int(code), [h = std::move(handler)](UINT, void*) { h(); }});
}

void CCmdTarget::MapNotify(UINT id, UINT code, std::function<void(NMHDR*, LRESULT*)> handler)
{
    m_entries.push_back({id, id, int(code), [h = std::move(handler)](UINT, void* extra) {
                             auto* notify = static_cast<AFX_NOTIFY*>(extra);
                             h(notify ? notify->pNMHDR : nullptr,
                               notify ? notify->pResult : nullptr);
                         }});
}
