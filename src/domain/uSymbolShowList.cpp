#include "domain/uSymbolShowList.h"

#include "domain/uCommon.h"
#include "domain/uFolders.h"
#include "domain/uLog.h"
#include "domain/uSaveReport.h"
#include "domain/uUIWriter.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <unordered_set>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t cWhite = 0xFFFFFF;
constexpr std::string_view cBom = "\xEF\xBB\xBF";

void LogFolderError(const std::string& aMessage)
{
    WriteLog("TCacheReader.DoNotifyFolders error: " + aMessage, mtAlert, 0);
}

// The lines of a text, empty ones included; CR, LF and CR LF each end a line,
// and a line end at the very end starts no further line.
std::vector<std::string> TextLines(std::string_view Text)
{
    if (Text.starts_with(cBom))
        Text.remove_prefix(cBom.size());
    std::vector<std::string> Lines;
    while (!Text.empty()) {
        std::size_t End = std::min(Text.find_first_of("\r\n"), Text.size());
        Lines.emplace_back(Text.substr(0, End));
        if (Text.substr(End).starts_with("\r\n"))
            ++End;
        Text.remove_prefix(std::min(End + 1, Text.size()));
    }
    return Lines;
}

} // namespace

TSymbolShowList::TSymbolShowList()
{
    const std::string Folder = GroupsFolder();
    if (Folder.empty())
        return;
    std::error_code Error;
    fs::create_directories(Folder, Error);
    if (Error)
        LogFolderError(Folder + ": " + Error.message());
}

std::string TSymbolShowList::GroupsFolder()
{
    if (!Folders || Folders->Folder(afUserRoaming).empty())
        return {};
    return Folders->Folder(afUserRoaming) + "/Symbols";
}

std::string TSymbolShowList::DoNotifyFolders() const
{
    std::string Folder = GroupsFolder();
    if (Folder.empty())
        LogFolderError("the per-user roaming folder is not known");
    return Folder;
}

void TSymbolShowList::Changed()
{
    ++fRevision;
    QueueNotify(BASE_MAIN_SYMBOLS, 0);
}

void TSymbolShowList::Bind()
{
    for (TLine& Line : fShowList)
        Line.Symbol = fSymbolList.Find(Line.Name);
}

void TSymbolShowList::FillShowSymbols()
{
    fShowList.clear();
    fShowList.reserve(static_cast<std::size_t>(fSymbolList.Count()));
    for (int i = 0; i < fSymbolList.Count(); ++i) {
        TSymbol& Symbol = fSymbolList.Items(i);
        fShowList.push_back({Symbol.Name(), &Symbol});
    }
    Changed();
}

void TSymbolShowList::DeleteSymbol(const std::string& aSymbol)
{
    auto It = std::find_if(fShowList.begin(), fShowList.end(),
                           [&](const TLine& Line) { return Line.Name == aSymbol; });
    if (It == fShowList.end())
        return;
    fShowList.erase(It);
    Changed();
}

void TSymbolShowList::HideSymbols(const std::vector<std::string>& aSymbolList)
{
    const std::unordered_set<std::string> Kept(aSymbolList.begin(), aSymbolList.end());
    std::erase_if(fShowList, [&](const TLine& Line) { return !Kept.contains(Line.Name); });
    Changed();
}

std::string TSymbolShowList::GroupFile(const std::string& aFileName) const
{
    if (aFileName.empty() || aFileName == "." || aFileName == ".." ||
        aFileName.find('/') != std::string::npos)
        throw EFileError(aFileName + ": not a symbol group name");
    const std::string Folder = GroupsFolder();
    if (Folder.empty())
        throw EFileError(aFileName + ": the symbol groups folder is not known");
    return Folder + "/" + aFileName;
}

void TSymbolShowList::LoadFromFile(const std::string& aFileName)
{
    std::vector<TLine> Lines;
    for (std::string& Name : TextLines(ReadWholeFile(GroupFile(aFileName))))
        Lines.push_back({std::move(Name), nullptr});
    fShowList = std::move(Lines);
    Bind();
    Changed();
}

// Reading drops one leading byte-order mark: a first name that starts with
// U+FEFF is written behind a mark of its own, so that it reads back whole.
bool TSymbolShowList::SaveToFile(const std::string& aFileName) const
{
    std::string Text;
    if (!fShowList.empty() && fShowList.front().Name.starts_with(cBom))
        Text = cBom;
    for (const TLine& Line : fShowList)
        Text += Line.Name + "\r\n";
    return SaveReported(aFileName, cSaveGroupFailed, [&] { WriteFileAtomic(aFileName, Text); });
}

void TSymbolShowList::DeleteSaved(const std::string& aFileName)
{
    std::string FileName;
    try {
        FileName = GroupFile(aFileName);
    } catch (const EFileError&) {
        return;
    }
    std::error_code Error;
    fs::remove(FileName, Error);
}

std::vector<std::string> TSymbolShowList::GetFileList() const
{
    std::vector<std::string> Names;
    const std::string Folder = GroupsFolder();
    if (Folder.empty())
        return Names;
    std::error_code Error;
    for (fs::directory_iterator It(Folder, Error), End; !Error && It != End; It.increment(Error)) {
        std::error_code StatusError;
        if (It->is_regular_file(StatusError))
            Names.push_back(It->path().filename().string());
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

void TSymbolShowList::ReloadSymbols(const std::vector<TSymbolTicker>& aTickers)
{
    fSymbolList.BeginReload();
    for (const TSymbolTicker& Ticker : aTickers) {
        TSymbol& Symbol = fSymbolList.Add(Ticker.Name);
        Symbol.SetPriceChangePercent(Ticker.PriceChangePercent);
        Symbol.SetLastPrice(Ticker.LastPrice);
        Symbol.SetBidPrice(Ticker.BidPrice);
        Symbol.SetAskPrice(Ticker.AskPrice);
        Symbol.SetHighPrice(Ticker.HighPrice);
        Symbol.SetLowPrice(Ticker.LowPrice);
        Symbol.SetColor(cWhite);
    }
    // The symbols the reply did not name are freed here: bind before anyone reads.
    fSymbolList.EndReload();
    Bind();
    if (fShowList.empty())
        FillShowSymbols();
}

void TSymbolShowList::ApplyPrices(const std::vector<TSymbolPrice>& aPrices)
{
    const int Held = fSymbolList.Count();
    for (const TSymbolPrice& Price : aPrices) {
        TSymbol& Symbol = fSymbolList.Add(Price.Name);
        const double Last = Symbol.LastPrice();
        Symbol.SetColor(Price.Price > Last ? clLtGreen : Price.Price < Last ? clLtRed : cWhite);
        Symbol.SetLastPrice(Price.Price);
    }
    if (fSymbolList.Count() != Held)
        Bind();
    if (fShowList.empty())
        FillShowSymbols();
}
