#include "domain/uProfile.h"

#include "domain/uBaseThread.h"

#include "domain/uCrypt.h"
#include "domain/uHttpTransport.h"
#include "domain/uLog.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/ScriptedMessageBox.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sys/stat.h>
#include <tuple>

namespace {

namespace fs = std::filesystem;

class ProfileFile : public ::testing::Test {
protected:
    std::string FileName() const { return (fHome.Path() / "config.json").string(); }

    TTempHome fHome;
    TScriptedMessageBox fBox;
};

TEST_F(ProfileFile, MissingFileGivesTheEmptyProfileAndWritesIt)
{
    TProfile P(FileName());
    EXPECT_TRUE(P.Init());
    EXPECT_EQ(P.MainProfile().ApiKey(), "");
    EXPECT_EQ(P.Connections().Count(), 0);
    EXPECT_EQ(ReadWholeFile(FileName()),
              "{\"config\":{\"mainprofile\":{\"api_key\":\"\",\"secret_key\":\"\"},"
              "\"profiles\":[]}}\r\n");
    struct stat St {};
    ASSERT_EQ(stat(FileName().c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 0777, 0600);
}

TEST_F(ProfileFile, SavedAccountsComeBackWhole)
{
    TProfile P(FileName());
    P.MainProfile().SetApiKey("vmPUZE6mv9SD5VNHk4HlWfFpOHwNRvUdyBZM5vzAbCdEfGh");
    P.MainProfile().SetSecretKey(
        std::string("NhqPtmdSJYdKjVHjA7PZj4Mge3R5YNiP1e3UZjInClVN65XA\x7f\x01", 50));
    for (int I = 0; I < TProfile::cMaxConnections; ++I) {
        TConnectionItem& A = P.Connections().Add();
        A.SetApiKey("api" + std::to_string(I));
        A.SetSecretKey("secret" + std::to_string(I));
        A.SetName("Счёт Иванова №" + std::to_string(I));
        A.SetRate(0.125 * I + 0.1);
    }
    ASSERT_TRUE(P.SaveToFile());
    const std::string Text = ReadWholeFile(FileName());
    EXPECT_EQ(Text.find("vmPUZE6"), std::string::npos);
    EXPECT_NE(Text.find("Счёт Иванова №9"), std::string::npos);

    TProfile Q(FileName());
    ASSERT_TRUE(Q.LoadFromFile());
    EXPECT_EQ(Q.MainProfile().ApiKey(), P.MainProfile().ApiKey());
    EXPECT_EQ(Q.MainProfile().SecretKey(), P.MainProfile().SecretKey());
    ASSERT_EQ(Q.Connections().Count(), TProfile::cMaxConnections);
    const auto Fields = [](const TConnectionItem& A) {
        return std::tuple(A.ApiKey(), A.SecretKey(), A.Name(), A.Rate());
    };
    for (int I = 0; I < TProfile::cMaxConnections; ++I)
        EXPECT_EQ(Fields(Q.Connections()[I]), Fields(P.Connections()[I]));
    EXPECT_TRUE(fBox.Shown().empty());
}

TEST_F(ProfileFile, FileThatIsNotJsonOrIsRefusedStopsTheStartAndStaysAsItWas)
{
    const std::string Huge = "{}" + std::string(cMaxReadFileBytes, ' ');
    for (const std::string Bad : {"", "{\"config\":", "not json", "null", Huge.c_str()}) {
        WriteFileAtomic(FileName(), Bad);
        TProfile P(FileName());
        try {
            P.Init();
            ADD_FAILURE() << "no error for " << Bad;
        } catch (const EProfileError& E) {
            EXPECT_STREQ(E.what(), "error reading config.json");
        }
        EXPECT_EQ(ReadWholeFile(FileName(), Huge.size()), Bad);
    }
}

TEST_F(ProfileFile, MoreThanTenAccountsAlertOnceAndKeepTheFirstTen)
{
    nlohmann::json Profiles = nlohmann::json::array();
    for (int I = 0; I < 13; ++I)
        Profiles.push_back({{"api_key", Encrypt("k" + std::to_string(I))},
                            {"secret_key", ""},
                            {"name", "n" + std::to_string(I)},
                            {"rate", I}});
    WriteFileAtomic(FileName(), nlohmann::json{{"config", {{"profiles", Profiles}}}}.dump());
    TProfile P(FileName());
    P.LoadFromFile();
    ASSERT_EQ(P.Connections().Count(), 10);
    const TConnectionItem& Last = P.Connections()[9];
    EXPECT_EQ(std::tuple(Last.Name(), Last.ApiKey(), Last.Rate()), std::tuple("n9", "k9", 9));
    ASSERT_EQ(fBox.Shown().size(), 1u);
    EXPECT_EQ(fBox.Shown()[0].Text, "Достигнут линит в 10 подключений");
}

TEST_F(ProfileFile, DamagedEntriesLoadAsEmptyAndTheRestStillLoads)
{
    WriteFileAtomic(FileName(),
                    R"({"config":{"mainprofile":{"api_key":"ABC","secret_key":")" + Encrypt("s") +
                        R"("},"profiles":[{"api_key":"zz","secret_key":12,"name":"Второй",)"
                        R"("rate":"2"},{"name":"Третий","rate":1.5},7]}})");
    const fs::path LogFile = fHome.Path() / "Debug.log";
    TProfile P(FileName());
    {
        TLogSources Sources;
        Sources.UserName = [] { return std::string(cLogUserName); };
        Sources.FileName = LogFile.string();
        TLogWriter Log(Sources);
        ASSERT_TRUE(P.LoadFromFile());
    }
    const std::string LogText = ReadWholeFile(LogFile);
    EXPECT_NE(LogText.find("ALERT"), std::string::npos);
    EXPECT_NE(LogText.find("api_key in config.json is not hexadecimal text; read as empty"),
              std::string::npos)
        << LogText;
    EXPECT_EQ(P.MainProfile().ApiKey(), "");
    EXPECT_EQ(P.MainProfile().SecretKey(), "s");
    ASSERT_EQ(P.Connections().Count(), 3);
    const auto Fields = [&](int I) {
        const TConnectionItem& A = P.Connections()[I];
        return std::tuple(A.Name(), A.ApiKey(), A.Rate());
    };
    EXPECT_EQ(Fields(0), std::tuple("Второй", "", 0));
    EXPECT_EQ(Fields(1), std::tuple("Третий", "", 1.5));
    EXPECT_EQ(Fields(2), std::tuple("", "", 0));
}

TEST(Profile, KeyEditCommitsBothKeysOrRollsBack)
{
    TProfile P("unused");
    TConnectionItem& Main = P.MainProfile();
    const auto Keys = [&] { return std::tuple(Main.ApiKey(), Main.SecretKey(), Main.Name()); };
    Main.SetApiKey("api");
    Main.SetSecretKey("secret");
    for (const bool Commit : {false, true}) {
        P.MainBeginUpdate();
        ASSERT_NE(&P.MainProfile(), &Main);
        EXPECT_EQ(P.MainProfile().ApiKey(), Main.ApiKey());
        P.MainProfile().SetApiKey("api2");
        P.MainProfile().SetSecretKey("secret2");
        P.MainProfile().SetName("not copied");
        EXPECT_EQ(Main.ApiKey(), "api");
        if (Commit)
            P.MainCommitUpdate();
        else
            P.MainRollbackUpdate();
        EXPECT_EQ(&P.MainProfile(), &Main);
        EXPECT_EQ(Keys(),
                  Commit ? std::tuple("api2", "secret2", "") : std::tuple("api", "secret", ""));
    }
    P.MainCommitUpdate();
    EXPECT_EQ(Main.ApiKey(), "api2") << "a commit without an edit changes nothing";
}

TEST(Profile, ConnectionsAssignCopiesKeysOnly)
{
    TConnectionItems From(nullptr), To(nullptr);
    To.Add();
    TConnectionItem& A = From.Add();
    A.SetApiKey("a");
    A.SetSecretKey("b");
    A.SetName("name");
    A.SetRate(2);
    A.BalanceList().Add();
    To.Assign(From);
    ASSERT_EQ(To.Count(), 1);
    EXPECT_EQ(std::tuple(To[0].ApiKey(), To[0].SecretKey(), To[0].Name(), To[0].Rate()),
              std::tuple("a", "b", "", 0));
    EXPECT_TRUE(To[0].BalanceList().Empty());
    EXPECT_EQ(To.CurrentConnectionIndex(), -1);
}

class TWatchedUser : public TUser {
public:
    void OpenOrdersEx(TConnectionItem*) override { Requests += "open;"; }
    void AllOrdersEx(TConnectionItem*) override { Requests += "all;"; }

    std::string Requests;
};

// Which order list is asked for first is checked with the workflow's clock.
TEST(Profile, CheckLoadedAsksForNoOrdersWhileBalancesAreMissing)
{
    struct {
        bool OrdersLoaded, Balance;
        TUserAuth Auth;
        const char* Symbol;
        bool Result;
    } const Cases[] = {
        {true, true, uaAuth, "BTCUSDT", true},
        {false, false, uaUndefined, "", true},
        {true, false, uaAuth, "BTCUSDT", false},
        {false, false, uaAuth, "", false},
    };
    TWorkflow Flow;
    TWatchedUser Watched;
    Workflow = &Flow;
    User = &Watched;
    for (const auto& C : Cases) {
        TConnectionItem Item;
        Item.UserOrderList().SetLoaded(C.OrdersLoaded);
        Item.UserOrderHistory().SetLoaded(C.OrdersLoaded);
        if (C.Balance)
            Item.BalanceList().Add();
        Watched.Input().SetAuth(C.Auth);
        Watched.Input().SetSymbol(C.Symbol);
        EXPECT_EQ(Item.CheckLoaded(), C.Result) << C.Symbol;
    }
    EXPECT_EQ(Watched.Requests, "");
    Flow.SetState(wfsClosing);
    EXPECT_EQ(TConnectionItem().AccountEx(nullptr, false), uaUndefined);
    // The balance requests started above end at once without a dispatcher.
    EXPECT_TRUE(FinishWorkers(std::chrono::seconds(5)));
    // The final teardown leaves every later transfer aborted; later tests
    // of this program talk to an exchange.
    HttpAbortTransfers(false);
    User = nullptr;
    Workflow = nullptr;
}

} // namespace
