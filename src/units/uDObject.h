#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A notification's parameter: an integer or a reference, never owned by the publisher.
using TNotifyData = std::intptr_t;

class TBasicAction;

// A subscriber. Each object carries a life token: a publisher that holds the
// object only through a subscription can tell that it has been destroyed.
class IDObject {
public:
    IDObject() = default;
    IDObject(const IDObject&) = delete;
    IDObject& operator=(const IDObject&) = delete;
    virtual ~IDObject() = default;

    virtual bool ActionExecute(TBasicAction* Action) = 0;
    virtual void Notification(int32_t EventID, TNotifyData Data) = 0;

    std::weak_ptr<const void> LifeToken() const { return fLife; }

private:
    std::shared_ptr<const void> fLife = std::make_shared<char>(0);
};

// Base of every subscriber: does nothing until a descendant overrides it.
class TDObject : public IDObject {
public:
    bool ActionExecute(TBasicAction* Action) override { return false; }
    void Notification(int32_t EventID, TNotifyData Data) override {}
};

struct TDSubscription {
    IDObject* Obj = nullptr;
    std::weak_ptr<const void> Life;

    bool Alive() const { return !Life.expired(); }
};

class TDPublisherEvent {
public:
    explicit TDPublisherEvent(int32_t ID) : fID(ID) {}

    int32_t ID() const { return fID; }
    std::vector<TDSubscription>& Subscribers() { return fSubscribers; }

private:
    int32_t fID;
    std::vector<TDSubscription> fSubscribers;
};

// Keeps, per event identifier, the subscribers in order of subscription and
// calls them synchronously on the notifying thread. Event 0 means all events.
// No lock: the lists are changed on the user-interface thread only.
class TDPublisher {
public:
    TDPublisher();
    TDPublisher(const TDPublisher&) = delete;
    TDPublisher& operator=(const TDPublisher&) = delete;

    void Subscribe(IDObject* Obj, int32_t EventID);
    void Unsubscribe(IDObject* Obj, int32_t EventID);

    // Identifiers below 1 are never sent. The subscribers of EventID are called
    // first, then those of event 0. A delivery calls exactly the subscribers it
    // began with, skipping any destroyed meanwhile.
    void Notify(int32_t EventID, TNotifyData Data);

    // Lets a subscriber that may outlive the publisher tell whether it is gone.
    std::weak_ptr<const void> LifeToken() const { return fLife; }

private:
    TDPublisherEvent* GetID(int32_t EventID);
    TDPublisherEvent* Find(int32_t EventID);
    TDPublisherEvent* Add(int32_t EventID);

    std::vector<std::unique_ptr<TDPublisherEvent>> fEvents;
    TDPublisherEvent* fDefault = nullptr;
    std::shared_ptr<const void> fLife = std::make_shared<char>(0);
};
