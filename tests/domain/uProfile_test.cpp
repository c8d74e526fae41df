#include "domain/uProfile.h"

#include "domain/uBaseThread.h"

#include "domain/uCrypt.h"
#include "domain/uLog.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/ScriptedMessageBox.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
}

void WriteText(const fs::path& File, const std::string& Text)
{
    std::ofstream(File, std::ios::binary) << Text;
}

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
    EXPECT_EQ(ReadText(FileName()),
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
    const std::string Text = ReadText(FileName());
    EXPECT_EQ(Text.find("vmPUZE6"), std::string::npos);
    EXPECT_NE(Text.find("Счёт Иванова №9"), std::string::npos);

    TProfile Q(FileName());
    ASSERT_TRUE(Q.LoadFromFile());
    EXPECT_EQ(Q.MainProfile().ApiKey(), P.MainProfile().ApiKey());
    EXPECT_EQ(Q.MainProfile().SecretKey(), P.MainProfile().SecretKey());
    ASSERT_EQ(Q.Connections().Count(), TProfile::cMaxConnections);
    for (int I = 0; I < TProfile::cMaxConnections; ++I) {
        const TConnectionItem& A = P.Connections()[I];
        const TConnectionItem& B = Q.Connections()[I];
        EXPECT_EQ(B.ApiKey(), A.ApiKey());
        EXPECT_EQ(B.SecretKey(), A.SecretKey());
        EXPECT_EQ(B.Name(), A.Name());
        EXPECT_EQ(B.Rate(), A.Rate());
    }
    EXPECT_TRUE(fBox.Shown().empty());
}

TEST_F(ProfileFile, FileThatIsNotJsonStopsTheStartAndStaysAsItWas)
{
    for (const std::string Bad : {"", "{\"config\":", "not json", "null"}) {
        WriteText(FileName(), Bad);
        TProfile P(FileName());
        try {
            P.Init();
            ADD_FAILURE() << "no error for " << Bad;
        } catch (const EProfileError& E) {
            EXPECT_STREQ(E.what(), "error reading config.json");
        }
        EXPECT_EQ(ReadText(FileName()), Bad);
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
    WriteText(FileName(), nlohmann::json{{"config", {{"profiles", Profiles}}}}.dump());
    TProfile P(FileName());
    P.LoadFromFile();
    ASSERT_EQ(P.Connections().Count(), 10);
    EXPECT_EQ(P.Connections()[9].Name(), "n9");
    EXPECT_EQ(P.Connections()[9].ApiKey(), "k9");
    EXPECT_EQ(P.Connections()[9].Rate(), 9);
    ASSERT_EQ(fBox.Shown().size(), 1u);
    EXPECT_EQ(fBox.Shown()[0].Text, "Достигнут линит в 10 подключений");
}

TEST_F(ProfileFile, DamagedEntriesLoadAsEmptyAndTheRestStillLoads)
{
    WriteText(FileName(), R"({"config":{"mainprofile":{"api_key":"ABC","secret_key":")" +
                              Encrypt("s") +
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
    const std::string LogText = ReadText(LogFile);
    EXPECT_NE(LogText.find("ALERT"), std::string::npos);
    EXPECT_NE(LogText.find("api_key in config.json is not hexadecimal text; read as empty"),
              std::string::npos)
        << LogText;
    EXPECT_EQ(P.MainProfile().ApiKey(), "");
    EXPECT_EQ(P.MainProfile().SecretKey(), "s");
    ASSERT_EQ(P.Connections().Count(), 3);
    EXPECT_EQ(P.Connections()[0].Name(), "Второй");
    EXPECT_EQ(P.Connections()[0].ApiKey(), "");
    EXPECT_EQ(P.Connections()[0].Rate(), 0);
    EXPECT_EQ(P.Connections()[1].Name(), "Третий");
    EXPECT_EQ(P.Connections()[1].Rate(), 1.5);
    EXPECT_EQ(P.Connections()[2].Name(), "");
}

TEST(Profile, KeyEditCommitsBothKeysOrRollsBack)
{
    TProfile P("unused");
    TConnectionItem& Main = P.MainProfile();
    Main.SetApiKey("api");
    Main.SetSecretKey("secret");

    P.MainBeginUpdate();
    ASSERT_NE(&P.MainProfile(), &Main);
    EXPECT_EQ(P.MainProfile().ApiKey(), "api");
    P.MainProfile().SetApiKey("api2");
    P.MainProfile().SetSecretKey("secret2");
    EXPECT_EQ(Main.ApiKey(), "api");
    P.MainRollbackUpdate();
    EXPECT_EQ(&P.MainProfile(), &Main);
    EXPECT_EQ(Main.ApiKey(), "api");
    EXPECT_EQ(Main.SecretKey(), "secret");

    P.MainBeginUpdate();
    P.MainProfile().SetApiKey("api3");
    P.MainProfile().SetSecretKey("secret3");
    P.MainProfile().SetName("not copied");
    P.MainCommitUpdate();
    EXPECT_EQ(&P.MainProfile(), &Main);
    EXPECT_EQ(Main.ApiKey(), "api3");
    EXPECT_EQ(Main.SecretKey(), "secret3");
    EXPECT_EQ(Main.Name(), "");

    P.MainCommitUpdate();
    EXPECT_EQ(Main.ApiKey(), "api3");
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
    EXPECT_EQ(To[0].ApiKey(), "a");
    EXPECT_EQ(To[0].SecretKey(), "b");
    EXPECT_EQ(To[0].Name(), "");
    EXPECT_EQ(To[0].Rate(), 0);
    EXPECT_TRUE(To[0].BalanceList().Empty());
    EXPECT_EQ(To.CurrentConnectionIndex(), -1);
}

class TWatchedUser : public TUser {
public:
    void OpenOrdersEx(TConnectionItem* aProfile) override
    {
        Requests += "open;", Account = aProfile;
    }
    void AllOrdersEx(TConnectionItem* aProfile) override { Requests += "all;", Account = aProfile; }

    std::string Requests;
    TConnectionItem* Account = nullptr;
};

TEST(Profile, CheckLoadedStartsTheFirstMissingRequest)
{
    struct {
        bool OpenLoaded, HistoryLoaded, Balance;
        TUserAuth Auth;
        const char* Symbol;
        bool Result;
        const char* Requests;
    } const Cases[] = {
        {false, false, false, uaAuth, "BTCUSDT", false, "open;"},
        {true, false, true, uaAuth, "BTCUSDT", false, "all;"},
        {true, true, true, uaAuth, "BTCUSDT", true, ""},
        {false, false, true, uaAuth, "", true, ""},
        {false, false, false, uaUnauth, "BTCUSDT", true, ""},
        {false, false, false, uaUndefined, "", true, ""},
        {true, true, false, uaAuth, "BTCUSDT", false, ""},
        {false, false, false, uaAuth, "", false, ""},
    };
    TWorkflow Flow;
    TWatchedUser Watched;
    Workflow = &Flow;
    User = &Watched;
    for (const auto& C : Cases) {
        TConnectionItem Item;
        Item.UserOrderList().SetLoaded(C.OpenLoaded);
        Item.UserOrderHistory().SetLoaded(C.HistoryLoaded);
        if (C.Balance)
            Item.BalanceList().Add();
        Watched.Input().SetAuth(C.Auth);
        Watched.Input().SetSymbol(C.Symbol);
        Watched.Requests.clear();
        Watched.Account = nullptr;
        EXPECT_EQ(Item.CheckLoaded(), C.Result) << C.Requests;
        EXPECT_EQ(Watched.Requests, C.Requests);
        if (*C.Requests)
            EXPECT_EQ(Watched.Account, &Item);
    }
    Flow.SetState(wfsClosing);
    EXPECT_EQ(TConnectionItem().AccountEx(nullptr, false), uaUndefined);
    // The balance requests started above end at once without a dispatcher.
    EXPECT_TRUE(FinishWorkers(std::chrono::seconds(5)));
    User = nullptr;
    Workflow = nullptr;
}

} // namespace
