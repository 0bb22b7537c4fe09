// diagrams/diagram_change_feed.h: the change notices that diagram documents follow. The
// application passes on every notice it broadcasts, after the windows have heard it; each
// document subscribed for its life hears it in turn.
#pragma once

#include "database/nodes/data_observer.h"

#include <vector>

class CDiagramChangeFeed final : public IDataObserver {
public:
    void Subscribe(IDataObserver* subscriber);
    void Unsubscribe(IDataObserver* subscriber);

    /// Tells every subscriber in the order they subscribed; one that leaves while another is told
    /// hears nothing more.
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override;

private:
    std::vector<IDataObserver*> m_subscribers;
};
