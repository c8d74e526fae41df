#include "terminal/fmBasic/ufrmBasic.h"

#include "domain/uLog.h"
#include "support/TempHome.h"
#include <QDialog>
#include <QMainWindow>

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using ::testing::HasSubstr;

// What a form received, kept outside the form so it can be read after the
// form is gone.
struct TJournal {
    std::vector<std::pair<int32_t, TNotifyData>> Calls;
};

template <class TWidget> class TRecordingForm : public TfrmBasicOf<TWidget> {
public:
    explicit TRecordingForm(TJournal& Journal) : fJournal(Journal) {}
    void OnNotify(int32_t EventID, TNotifyData Data) override
    {
        fJournal.Calls.emplace_back(EventID, Data);
        if (EventID == ThrowStd)
            throw std::runtime_error("view failed");
        if (EventID == ThrowOther)
            throw 42;
    }

    static constexpr int32_t ThrowStd = 500;
    static constexpr int32_t ThrowOther = 501;

private:
    TJournal& fJournal;
};

using TCall = std::pair<int32_t, TNotifyData>;

template <class TWidget> class TfrmBasicTest : public ::testing::Test {
protected:
    using TForm = TRecordingForm<TWidget>;
};

using TWindowKinds = ::testing::Types<QMainWindow, QDialog>;
TYPED_TEST_SUITE(TfrmBasicTest, TWindowKinds);

TYPED_TEST(TfrmBasicTest, ReceivesInOrderUntilDestroyed)
{
    TDPublisher Publisher;
    TJournal Journal;
    TJournal OtherJournal;
    typename TestFixture::TForm Other(OtherJournal);
    Other.Subscribe(&Publisher, 0);
    {
        typename TestFixture::TForm Form(Journal);
        Form.Subscribe(&Publisher, 0);
        Form.Subscribe(&Publisher, 0);
        Publisher.Notify(110, 0);
        Publisher.Notify(160, 7);
        Publisher.Notify(110, 0);
    }
    Publisher.Notify(150, 0);
    EXPECT_EQ(Journal.Calls, (std::vector<TCall>{{110, 0}, {160, 7}, {110, 0}}));
    EXPECT_EQ(OtherJournal.Calls, (std::vector<TCall>{{110, 0}, {160, 7}, {110, 0}, {150, 0}}));
}

std::string LogUser()
{
    return cLogUserName;
}

std::string ReadFile(const std::filesystem::path& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

TYPED_TEST(TfrmBasicTest, ExceptionsStayInsideTheFormAndAreLogged)
{
    TTempHome Home;
    TLogSources Sources;
    Sources.UserName = LogUser;
    Sources.FileName = (Home.Path() / "Debug.log").string();
    LogWriter = new TLogWriter(Sources);

    TDPublisher Publisher;
    TJournal Journal;
    TJournal NextJournal;
    typename TestFixture::TForm Form(Journal);
    typename TestFixture::TForm Next(NextJournal);
    Form.Subscribe(&Publisher, 0);
    Next.Subscribe(&Publisher, 0);
    using TForm = typename TestFixture::TForm;
    EXPECT_NO_THROW(Publisher.Notify(TForm::ThrowStd, 1));
    EXPECT_NO_THROW(Publisher.Notify(TForm::ThrowOther, 2));
    Publisher.Notify(140, 3);
    const std::vector<TCall> Expected = {{TForm::ThrowStd, 1}, {TForm::ThrowOther, 2}, {140, 3}};
    EXPECT_EQ(Journal.Calls, Expected);
    EXPECT_EQ(NextJournal.Calls, Expected);

    delete LogWriter;
    LogWriter = nullptr;
    const std::string Log = ReadFile(Sources.FileName);
    const std::string Where =
        std::string("TRecordingForm<") + TypeParam::staticMetaObject.className() + ">.OnNotify | ";
    EXPECT_THAT(Log, HasSubstr(Where + "std::runtime_error : view failed\r\n"));
    EXPECT_THAT(Log, HasSubstr(Where + "unknown exception\r\n"));
}

TEST(TfrmBasic, UnsubscribeEndsDeliveryOfThatSubscriptionOnly)
{
    TDPublisher Clock;
    TDPublisher Model;
    TJournal Journal;
    TRecordingForm<QDialog> Form(Journal);
    Form.Unsubscribe(&Clock, 0);
    Form.Unsubscribe(nullptr, 0);
    Form.Subscribe(nullptr, 0);
    Form.Subscribe(&Clock, 0);
    Form.Subscribe(&Model, 0);
    Form.Subscribe(&Model, 300);
    Form.Unsubscribe(&Clock, 0);
    Clock.Notify(100, 0);
    Model.Notify(300, 1);
    Form.Unsubscribe(&Model, 300);
    Model.Notify(300, 2);
    EXPECT_EQ(Journal.Calls, (std::vector<TCall>{{300, 1}, {300, 1}, {300, 2}}));
}

TEST(TfrmBasic, OutlivesItsPublishers)
{
    TJournal Journal;
    auto Form = std::make_unique<TRecordingForm<QMainWindow>>(Journal);
    auto Gone = std::make_unique<TDPublisher>();
    Form->Subscribe(Gone.get(), 0);
    Gone.reset();
    // The form's destructor must leave the freed publisher alone.
    TDPublisher Fresh;
    Form->Subscribe(&Fresh, 0);
    Fresh.Notify(120, 5);
    Form.reset();
    Fresh.Notify(120, 6);
    EXPECT_EQ(Journal.Calls, (std::vector<TCall>{{120, 5}}));
}

} // namespace
