#pragma once

#include "platform/qt/AppException.h"
#include "units/uDObject.h"

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

class QWidget;
class TfrmBasic;

// Forwards every notification it receives to its form.
class TBasicSubscriber : public TDObject {
public:
    explicit TBasicSubscriber(TfrmBasic* AForm) : fForm(AForm) {}

    static std::unique_ptr<TBasicSubscriber> CreateNew(TfrmBasic* AForm);

    void Notification(int32_t EventID, TNotifyData Data) override;

private:
    TfrmBasic* fForm; // owns this subscriber
};

// The part every window of the terminal shares: its subscriptions to the
// publishers and the virtual OnNotify they reach. Not a QObject, so that the
// main window (a QMainWindow) and the dialogs (QDialogs) derive from it beside
// their Qt class; see TfrmBasicOf.
//
// Used on the user-interface thread only. The form remembers what it
// subscribed to and unsubscribes from every publisher still alive when it is
// destroyed, so a destroyed window is never called.
class TfrmBasic {
public:
    TfrmBasic() = default;
    TfrmBasic(const TfrmBasic&) = delete;
    TfrmBasic& operator=(const TfrmBasic&) = delete;
    virtual ~TfrmBasic();

    // A null publisher is ignored. The subscriber is created on first use.
    void Subscribe(TDPublisher* Publisher, int32_t EventID);
    // Nothing happens for a null publisher or a form that never subscribed.
    void Unsubscribe(TDPublisher* Publisher, int32_t EventID);

    virtual void OnNotify(int32_t EventID, TNotifyData Data) {}
    virtual std::string GetParams() const { return {}; }

    // The form defaults: white background, "Tahoma" 11 pixels high, 488 x 367.
    static void ApplyFormDefaults(QWidget& Form);

private:
    friend class TBasicSubscriber;

    // Runs OnNotify for the subscriber. An exception from it is logged as an
    // alert and goes no further: it must not reach the publisher, whose
    // caller may be a Qt event handler, nor stop later deliveries.
    void DeliverNotify(int32_t EventID, TNotifyData Data) noexcept;

    struct TSubscription {
        TDPublisher* Publisher;
        std::weak_ptr<const void> Life;
        int32_t EventID;
    };

    void Forget(const TDPublisher* Publisher, int32_t EventID);

    std::unique_ptr<TBasicSubscriber> fSubscriber;
    std::vector<TSubscription> fSubscriptions;
};

// A window of the terminal: the Qt class (QMainWindow, QDialog) first, so
// that the form's subscriptions end before the widgets are torn down.
template <class TWidget> class TfrmBasicOf : public TWidget, public TfrmBasic {
public:
    explicit TfrmBasicOf(QWidget* Parent = nullptr) : TWidget(Parent) { ApplyFormDefaults(*this); }
};
