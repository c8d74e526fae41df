#include "terminal/fmBasic/ufrmBasic.h"

#include "domain/uLog.h"

#include <QFont>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <typeinfo>

namespace {

// Writes one alert line about a failed OnNotify; never throws itself.
void ReportNotifyFailure(const TfrmBasic& Form, const char* Kind, const char* Message) noexcept
{
    try {
        std::string Text = DemangledName(typeid(Form)) + ".OnNotify | " + Kind;
        if (Message)
            Text += std::string(" : ") + Message;
        WriteLog(Text, mtAlert, 0);
    } catch (...) {
    }
}

} // namespace

std::unique_ptr<TBasicSubscriber> TBasicSubscriber::CreateNew(TfrmBasic* AForm)
{
    return std::make_unique<TBasicSubscriber>(AForm);
}

void TBasicSubscriber::Notification(int32_t EventID, TNotifyData Data)
{
    fForm->DeliverNotify(EventID, Data);
}

TfrmBasic::~TfrmBasic()
{
    for (const TSubscription& S : fSubscriptions)
        if (auto Alive = S.Life.lock())
            S.Publisher->Unsubscribe(fSubscriber.get(), S.EventID);
}

void TfrmBasic::Subscribe(TDPublisher* Publisher, int32_t EventID)
{
    if (!Publisher)
        return;
    if (!fSubscriber)
        fSubscriber = TBasicSubscriber::CreateNew(this);
    Publisher->Subscribe(fSubscriber.get(), EventID);
    Forget(Publisher, EventID);
    fSubscriptions.push_back({Publisher, Publisher->LifeToken(), EventID});
}

void TfrmBasic::Unsubscribe(TDPublisher* Publisher, int32_t EventID)
{
    if (!Publisher || !fSubscriber)
        return;
    Publisher->Unsubscribe(fSubscriber.get(), EventID);
    Forget(Publisher, EventID);
}

void TfrmBasic::Forget(const TDPublisher* Publisher, int32_t EventID)
{
    // A freed publisher's address may come back as a new publisher's.
    std::erase_if(fSubscriptions, [&](const TSubscription& S) {
        return S.Life.expired() || (S.Publisher == Publisher && S.EventID == EventID);
    });
}

void TfrmBasic::DeliverNotify(int32_t EventID, TNotifyData Data) noexcept
{
    try {
        OnNotify(EventID, Data);
    } catch (const std::exception& E) {
        ReportNotifyFailure(*this, DemangledName(typeid(E)).c_str(), E.what());
    } catch (...) {
        ReportNotifyFailure(*this, "unknown exception", nullptr);
    }
}

void TfrmBasic::ApplyFormDefaults(QWidget& Form)
{
    QPalette Palette = Form.palette();
    Palette.setColor(QPalette::Window, Qt::white);
    Form.setPalette(Palette);
    Form.setAutoFillBackground(true);
    QFont Font(QStringLiteral("Tahoma"));
    Font.setPixelSize(11);
    Form.setFont(Font);
    Form.resize(488, 367);
}
