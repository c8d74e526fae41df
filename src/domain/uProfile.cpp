#include "domain/uProfile.h"

#include "domain/uCrypt.h"
#include "domain/uFolders.h"
#include "domain/uLog.h"
#include "domain/uOrderThreads.h"
#include "domain/uSaveReport.h"
#include "domain/uTranslator.h"
#include "domain/uUIWriter.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/FileRead.h"
#include "platform/SysUtils.h"

#include <atomic>
#include <filesystem>
#include <nlohmann/json.hpp>

TProfile* Profile = nullptr;

namespace {

using TJson = nlohmann::ordered_json;

constexpr unsigned cConfigFileMode = 0600;

std::string Translated(const std::string& Text)
{
    return Translator ? Translator->Translate(Text) : Text;
}

const TJson* Member(const TJson& Node, const char* Name)
{
    if (!Node.is_object())
        return nullptr;
    const auto It = Node.find(Name);
    return It == Node.end() ? nullptr : &*It;
}

std::string StringMember(const TJson& Node, const char* Name)
{
    const TJson* Value = Member(Node, Name);
    return Value && Value->is_string() ? Value->get<std::string>() : std::string();
}

// A key stored as text that is not hexadecimal is read as the empty key: the
// account then stays unauthorised and the rest of the file still loads.
std::string ReadKey(const TJson& Account, const char* Name)
{
    try {
        return Decrypt(StringMember(Account, Name));
    } catch (const EConvertError&) {
        WriteLog(std::string("TProfile.LoadFromFile: ") + Name +
                     " in config.json is not hexadecimal text; read as empty",
                 mtAlert, 0);
        return {};
    }
}

void ReadAccount(const TJson& Node, TConnectionItem& Account)
{
    Account.SetApiKey(ReadKey(Node, "api_key"));
    Account.SetSecretKey(ReadKey(Node, "secret_key"));
}

TJson AccountKeys(const TConnectionItem& Account)
{
    return TJson{{"api_key", Encrypt(Account.ApiKey())},
                 {"secret_key", Encrypt(Account.SecretKey())}};
}

std::atomic<TAccountID> gLastAccountID{0};

} // namespace

TConnectionItem::TConnectionItem() : fID(++gLastAccountID) {}

void TConnectionItem::Assign(const TConnectionItem& Source)
{
    fApiKey = Source.fApiKey;
    fSecretKey = Source.fSecretKey;
}

TUserAuth TConnectionItem::AccountEx(TConnectionItem* aProfile, bool aFree, TAccountCheck* aCheck)
{
    if (Workflow == nullptr || Workflow->State() != wfsWorking)
        return uaUndefined;
    auto Thread = std::make_shared<TAccountThread>();
    Thread->SetAccount(aProfile);
    Thread->SetRequestKey(RequestKey(cAccountKind, Thread->AccountID()));
    Thread->SetFreeOnTerminate(aFree);
    Thread->Start();
    if (aFree)
        return uaUndefined;
    // Runs the worker's synchronised steps while it waits.
    Thread->WaitFor();
    if (aCheck)
        *aCheck = Thread->Check();
    return Thread->Auth();
}

// A request of the kind still running counts as the one started: asked
// again each second, a slow exchange would pile them up.
bool TConnectionItem::CheckLoaded()
{
    TUserInputData& Input = User->Input();
    const bool Authorised = Input.Auth() == uaAuth;
    const bool HasSymbol = !Input.Symbol().empty();
    const auto Running = [this](std::string_view aKind) {
        return RequestRunning(RequestKey(aKind, fID));
    };
    if (!fUserOrderList.Loaded() && Authorised && HasSymbol) {
        if (!Running(cOpenOrdersKind))
            User->OpenOrdersEx(this);
        return false;
    }
    if (!fUserOrderHistory.Loaded() && Authorised && HasSymbol) {
        if (!Running(cAllOrdersKind))
            User->AllOrdersEx(this);
        return false;
    }
    if (!fBalanceList.Empty() || !Authorised)
        return true;
    if (!Running(cAccountKind))
        AccountEx(this, true);
    return false;
}

void TConnectionItems::Assign(const TConnectionItems& Source)
{
    Clear();
    for (const TConnectionItem& Item : Source)
        Add().Assign(Item);
}

TUIVisible::TUIVisible(TWorkflowMode Mode)
{
    const bool Trade = Mode == wfmTrade || Mode == wfmFull;
    const bool Volume = Mode == wfmVolume || Mode == wfmFull;
    ftbStandarts = Trade;
    fdpMarketView = Trade;
    fdpMarketDepth = Trade;
    fdpVolumeMonitor = Volume;
    fdpTerminal = Trade;
}

TProfile::TProfile(std::string aFileName)
    : fFileName(std::move(aFileName)), fUIVisible(Workflow ? Workflow->Mode() : wfmTrade)
{
}

TProfile::~TProfile() = default;

TConnectionItem* TProfile::Find(TAccountID aID)
{
    if (fMainProfile.ID() == aID)
        return &fMainProfile;
    if (fBufferMainProfile && fBufferMainProfile->ID() == aID)
        return fBufferMainProfile.get();
    for (TConnectionItem& Item : fConnections)
        if (Item.ID() == aID)
            return &Item;
    return nullptr;
}

std::string TProfile::FileName() const
{
    if (!fFileName.empty())
        return fFileName;
    return Folders->Folder(afExe) + "/" + cDefaultFileName;
}

bool TProfile::Init()
{
    LoadFromFile();
    return true;
}

bool TProfile::LoadDefault()
{
    return true;
}

bool TProfile::LoadFromFile()
{
    const std::string Name = FileName();
    if (!std::filesystem::exists(Name)) {
        LoadDefault();
        const bool Saved = SaveToFile();
        NotifyConnections();
        return Saved;
    }
    TJson Root;
    try {
        Root = LoadJsonFile(Name);
    } catch (const EFileError& E) {
        // Refused (not a regular file, too large) or unreadable: as a file
        // that holds no JSON, with the reason in the log.
        WriteLog(std::string("TProfile.LoadFromFile: ") + E.what(), mtAlert, 0);
    }
    if (Root.is_null())
        throw EProfileError("error reading config.json");
    if (const TJson* Config = Member(Root, "config"))
        ReadConfig(*Config);
    NotifyConnections();
    return true;
}

void TProfile::NotifyConnections() const
{
    QueueNotify(BASE_MAIN_MULTI, 0);
}

void TProfile::ReadConfig(const TJson& Config)
{
    static const TJson cNoObject;
    const TJson* Main = Member(Config, "mainprofile");
    ReadAccount(Main ? *Main : cNoObject, fMainProfile);

    const TJson* Profiles = Member(Config, "profiles");
    if (Profiles == nullptr)
        return;
    fConnections.Clear();
    if (!Profiles->is_array())
        return;
    for (const TJson& Node : *Profiles) {
        if (fConnections.Count() == cMaxConnections) {
            Alert(Translated("Достигнут линит в 10 подключений"));
            break;
        }
        TConnectionItem& Account = fConnections.Add();
        ReadAccount(Node, Account);
        Account.SetName(StringMember(Node, "name"));
        const TJson* Rate = Member(Node, "rate");
        Account.SetRate(Rate && Rate->is_number() ? Rate->get<double>() : 0.0);
    }
}

bool TProfile::SaveToFile()
{
    TJson Profiles = TJson::array();
    for (const TConnectionItem& Account : Connections()) {
        TJson Node = AccountKeys(Account);
        Node["name"] = Account.Name();
        Node["rate"] = Account.Rate();
        Profiles.push_back(std::move(Node));
    }
    const TJson Root{
        {"config", TJson{{"mainprofile", AccountKeys(MainProfile())}, {"profiles", Profiles}}}};
    const std::string Name = FileName();
    return SaveReported(Name, cSaveAccountsFailed,
                        [&] { SaveJsonFile(Root, Name, cConfigFileMode); });
}

void TProfile::MainBeginUpdate()
{
    fBufferMainProfile = std::make_unique<TConnectionItem>();
    fBufferMainProfile->Assign(fMainProfile);
}

void TProfile::MainCommitUpdate()
{
    if (fBufferMainProfile)
        fMainProfile.Assign(*fBufferMainProfile);
    fBufferMainProfile.reset();
}

void TProfile::MainRollbackUpdate()
{
    fBufferMainProfile.reset();
}

TConnectionItem& TProfile::GetMainProfile()
{
    return fBufferMainProfile ? *fBufferMainProfile : fMainProfile;
}
