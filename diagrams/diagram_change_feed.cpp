// diagrams/diagram_change_feed.cpp: passing each change notice on to the subscribed documents.
#include "diagrams/diagram_change_feed.h"

#include <algorithm>

void CDiagramChangeFeed::Subscribe(IDataObserver* subscriber)
{
    if (subscriber &&
        std::find(m_subscribers.begin(), m_subscribers.end(), subscriber) == m_subscribers.end())
        m_subscribers.push_back(subscriber);
}

void CDiagramChangeFeed::Unsubscribe(IDataObserver* subscriber)
{
    std::erase(m_subscribers, subscriber);
}

void CDiagramChangeFeed::OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify)
{
    const std::vector<IDataObserver*> subscribers = m_subscribers;
    for (IDataObserver* subscriber : subscribers)
        if (std::find(m_subscribers.begin(), m_subscribers.end(), subscriber) !=
            m_subscribers.end())
            subscriber->OnDataChanged(sender, hint, object, modify);
}
