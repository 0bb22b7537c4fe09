// platform/ui/windows/cmd_target.h: an object that commands are routed to, with its command, update
// and notification handlers registered as tables of functions.
#pragma once

#include "platform/base/object.h"
#include "platform/ui/windows/message.h"

#include <functional>
#include <vector>

class CCmdUI;
class CCmdTarget;

/// Given to OnCmdMsg to ask whether a handler exists without running it; the answering
/// object fills in pTarget.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

/// The extra data of a WM_NOTIFY notification routed through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult = nullptr;
    NMHDR* pNMHDR = nullptr;
};

class CCmdTarget : public CObject {
public:
    /// Offers a command (nCode CN_COMMAND), an update request (CN_UPDATE_COMMAND_UI, pExtra the
    /// CCmdUI*) or a control notification (its code; pExtra an AFX_NOTIFY* for WM_NOTIFY, else
    /// null) to this object's tables; TRUE when a handler took it. With pHandlerInfo set only
    /// tells whether a handler exists. Classes that route further override this.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    // The tables: the first matching entry, in the order registered, handles a request.
    void MapCommand(UINT id, std::function<void()> handler);
    void MapCommandRange(UINT firstId, UINT lastId, std::function<void(UINT)> handler);
    void MapUpdate(UINT id, std::function<void(CCmdUI*)> handler);
    void MapUpdateRange(UINT firstId, UINT lastId, std::function<void(CCmdUI*)> handler);
    /// A notification code from control id. BN_CLICKED equals CN_COMMAND, so a button's click
    /// also reaches a MapCommand handler for its id, as menu commands do.
    void MapNotify(UINT id, UINT code, std::function<void()> handler);
    void MapNotify(UINT id, UINT code, std::function<void(NMHDR*, LRESULT*)> handler);

private:
    struct Entry {
        UINT firstId;
        UINT lastId;
        int code;
        std::function<void(UINT, void*)> call;
    };

    std::vector<Entry> m_entries;
};
