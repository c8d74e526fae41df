#include "units/uDObject.h"

#include <algorithm>

namespace {

void DropDestroyed(std::vector<TDSubscription>& Subscribers)
{
    std::erase_if(Subscribers, [](const TDSubscription& S) { return !S.Alive(); });
}

auto FindSubscriber(std::vector<TDSubscription>& Subscribers, const IDObject* Obj)
{
    return std::find_if(Subscribers.begin(), Subscribers.end(),
                        [Obj](const TDSubscription& S) { return S.Obj == Obj; });
}

} // namespace

TDPublisher::TDPublisher()
{
    fDefault = Add(0);
}

TDPublisherEvent* TDPublisher::GetID(int32_t EventID)
{
    for (auto& Event : fEvents)
        if (Event->ID() == EventID)
            return Event.get();
    return nullptr;
}

TDPublisherEvent* TDPublisher::Find(int32_t EventID)
{
    return EventID == 0 ? fDefault : GetID(EventID);
}

TDPublisherEvent* TDPublisher::Add(int32_t EventID)
{
    fEvents.push_back(std::make_unique<TDPublisherEvent>(EventID));
    return fEvents.back().get();
}

void TDPublisher::Subscribe(IDObject* Obj, int32_t EventID)
{
    if (!Obj)
        return;
    TDPublisherEvent* Event = Find(EventID);
    if (!Event)
        Event = Add(EventID);
    auto& Subscribers = Event->Subscribers();
    // A destroyed subscriber's address may be reused by a new object.
    DropDestroyed(Subscribers);
    if (FindSubscriber(Subscribers, Obj) == Subscribers.end())
        Subscribers.push_back({Obj, Obj->LifeToken()});
}

void TDPublisher::Unsubscribe(IDObject* Obj, int32_t EventID)
{
    if (!Obj)
        return;
    TDPublisherEvent* Event = Find(EventID);
    if (!Event)
        return;
    auto& Subscribers = Event->Subscribers();
    DropDestroyed(Subscribers);
    auto It = FindSubscriber(Subscribers, Obj);
    if (It != Subscribers.end())
        Subscribers.erase(It);
}

void TDPublisher::Notify(int32_t EventID, TNotifyData Data)
{
    if (EventID < 1)
        return;
    // Copies: a subscriber may change the lists from inside its Notification.
    std::vector<TDSubscription> Recipients;
    if (TDPublisherEvent* Event = GetID(EventID))
        Recipients = Event->Subscribers();
    if (fDefault) {
        const auto& All = fDefault->Subscribers();
        Recipients.insert(Recipients.end(), All.begin(), All.end());
    }
    for (const TDSubscription& S : Recipients) {
        // Locking the token keeps the object's liveness decided for this call.
        if (auto Life = S.Life.lock())
            S.Obj->Notification(EventID, Data);
    }
}
