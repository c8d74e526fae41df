#include "domain/uSymbolShowList.h"

#include "domain/uFolders.h"
#include "domain/uSysTime.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "support/TempHome.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const TSymbolShowList& List)
{
    std::vector<std::string> Result;
    for (int i = 0; i < List.Count(); ++i)
        Result.push_back(List.Names(i));
    return Result;
}

std::vector<TSymbolTicker> Tickers(std::initializer_list<const char*> Names)
{
    std::vector<TSymbolTicker> Result;
    for (const char* Name : Names)
        Result.push_back({.Name = Name, .LastPrice = 1, .BidPrice = 1, .AskPrice = 2});
    return Result;
}

// Each line is bound to the symbol of its name, or to nothing when there is none.
void ExpectBoundByName(const TSymbolShowList& List)
{
    for (int i = 0; i < List.Count(); ++i)
        EXPECT_EQ(List.SymbolList().Find(List.Names(i)), List.Items(i)) << List.Names(i);
}

class SymbolShowListTest : public ::testing::Test {
protected:
    SymbolShowListTest()
    {
        Folders = &fFolders;
        SysTime = &fClock;
    }
    ~SymbolShowListTest() override
    {
        SysTime = nullptr;
        Folders = nullptr;
    }

    fs::path Group(const std::string& Name) const
    {
        return fs::path(fFolders.Folder(afUserRoaming)) / "Symbols" / Name;
    }

    TTempHome fHome;
    TFolders fFolders;
    TSysTime fClock;
};

TEST_F(SymbolShowListTest, AReloadBindsTheVisibleLinesAgainByName)
{
    TSymbolShowList List;
    List.ReloadSymbols(Tickers({"ETHBTC", "LTCBTC", "BNBBTC"}));
    EXPECT_EQ((std::vector<std::string>{"ETHBTC", "LTCBTC", "BNBBTC"}), Names(List))
        << "an empty visible list shows all symbols";
    TSymbol* Kept = List.Items(2);
    List.SymbolList().Items(2).SetFirstQuoteVolume(7);

    List.ReloadSymbols(Tickers({"BNBBTC", "XRPBTC"}));

    EXPECT_EQ((std::vector<std::string>{"ETHBTC", "LTCBTC", "BNBBTC"}), Names(List));
    ExpectBoundByName(List);
    EXPECT_EQ(nullptr, List.Items(0)) << "a symbol the reply no longer names";
    EXPECT_EQ(Kept, List.Items(2)) << "a symbol still named keeps its object";
    EXPECT_EQ(0, Kept->FirstQuoteVolume()) << "with fresh values";
    EXPECT_EQ(0xFFFFFFu, Kept->Color());
    EXPECT_EQ(2, List.SymbolList().Count());

    // A price reply that brings a symbol back binds its line again.
    List.ApplyPrices({{"ETHBTC", 0.07}});
    ExpectBoundByName(List);
    ASSERT_NE(nullptr, List.Items(0));
    EXPECT_EQ(0.07, List.Items(0)->LastPrice());
}

TEST_F(SymbolShowListTest, PriceSettersStampTheClockTimeOnlyOnAChange)
{
    using TSetter = void (TSymbol::*)(double);
    for (TSetter Set : {&TSymbol::SetBidPrice, &TSymbol::SetAskPrice, &TSymbol::SetHighPrice,
                        &TSymbol::SetLowPrice}) {
        TSymbol Symbol("ETHBTC");
        fClock.SetTime(43'000.5);
        (Symbol.*Set)(0.07);
        EXPECT_EQ(43'000.5, Symbol.Time());
        fClock.SetTime(43'000.75);
        (Symbol.*Set)(0.07);
        EXPECT_EQ(43'000.5, Symbol.Time()) << "an equal value is no change";
        (Symbol.*Set)(0.08);
        EXPECT_EQ(43'000.75, Symbol.Time());
    }
    TSymbol Symbol("ETHBTC");
    Symbol.SetLastPrice(5);
    EXPECT_EQ(0, Symbol.Time()) << "the last price is not stamped";
}

TEST_F(SymbolShowListTest, DeleteAndHideKeepTheOrderOfTheRest)
{
    TSymbolShowList List;
    List.ReloadSymbols(Tickers({"A", "B", "C", "D"}));
    List.DeleteSymbol("B");
    List.DeleteSymbol("Z");
    EXPECT_EQ((std::vector<std::string>{"A", "C", "D"}), Names(List));
    List.HideSymbols({"D", "A", "Q"});
    EXPECT_EQ((std::vector<std::string>{"A", "D"}), Names(List));
    ExpectBoundByName(List);
    List.HideSymbols({});
    EXPECT_EQ(0, List.Count());
    List.FillShowSymbols();
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C", "D"}), Names(List));
}

// An unknown name and an empty line stay visible lines, bound to nothing.
TEST_F(SymbolShowListTest, GroupFilesReadAnyLineEndAndKeepUnknownNamesAndEmptyLines)
{
    TSymbolShowList List;
    List.ReloadSymbols(Tickers({"ETHBTC", "LTCBTC"}));
    using TNames = std::vector<std::string>;
    const struct {
        const char* Name;
        std::string Text;
        TNames Lines;
    } Cases[] = {
        {"lf", "LTCBTC\nNOSUCH\nETHBTC\n", {"LTCBTC", "NOSUCH", "ETHBTC"}},
        {"crlf", "LTCBTC\r\n\r\nETHBTC\r\n", {"LTCBTC", "", "ETHBTC"}},
        {"bom", "\xEF\xBB\xBFLTCBTC\r\nNOSUCH\r\n\r\nETHBTC", {"LTCBTC", "NOSUCH", "", "ETHBTC"}},
        {"cr", "LTCBTC\r\rNOSUCH\r", {"LTCBTC", "", "NOSUCH"}},
        {"blank", "\n\n", {"", ""}},
        {"none", "", {}},
    };
    for (const auto& Case : Cases) {
        WriteFileAtomic(Group(Case.Name), Case.Text);
        List.LoadFromFile(Case.Name);
        EXPECT_EQ(Case.Lines, Names(List)) << Case.Name;
        ExpectBoundByName(List);
    }

    List.LoadFromFile("bom");
    EXPECT_EQ(nullptr, List.Items(1));
    EXPECT_EQ(nullptr, List.Items(2));
    const fs::path Saved = fHome.Path() / "saved group";
    List.SaveToFile(Saved.string());
    EXPECT_EQ("LTCBTC\r\nNOSUCH\r\n\r\nETHBTC\r\n", ReadWholeFile(Saved));

    // A first line that itself starts with U+FEFF survives a round trip.
    WriteFileAtomic(Group("marked"), "\xEF\xBB\xBF\xEF\xBB\xBFLTCBTC\r\nETHBTC\r\n");
    List.LoadFromFile("marked");
    const TNames Marked = {"\xEF\xBB\xBFLTCBTC", "ETHBTC"};
    EXPECT_EQ(Marked, Names(List));
    List.SaveToFile(Group("marked").string());
    List.LoadFromFile("marked");
    EXPECT_EQ(Marked, Names(List));
}

TEST_F(SymbolShowListTest, AGroupThatCannotBeReadLeavesTheListAsItWas)
{
    TSymbolShowList List;
    List.ReloadSymbols(Tickers({"ETHBTC"}));
    WriteFileAtomic(fHome.Path() / "outside", "LTCBTC\n");
    mkfifo(Group("fifo").c_str(), 0600);
    fs::create_symlink("/dev/zero", Group("endless"));
    for (const char* Name : {"missing", "../../outside", "", "..", "fifo", "endless"})
        EXPECT_THROW(List.LoadFromFile(Name), EFileError) << Name;
    EXPECT_EQ((std::vector<std::string>{"ETHBTC"}), Names(List));

    List.DeleteSaved("../../outside");
    EXPECT_TRUE(fs::exists(fHome.Path() / "outside")) << "only groups are deleted";
}

TEST_F(SymbolShowListTest, FileListHoldsEveryFileOfTheGroupsFolder)
{
    TSymbolShowList List;
    EXPECT_TRUE(fs::is_directory(Group("")));
    EXPECT_TRUE(List.GetFileList().empty());

    for (const char* Name : {"majors", ".hidden", "alts.txt"})
        WriteFileAtomic(Group(Name), "ETHBTC\n");
    fs::create_directory(Group("folder"));
    EXPECT_EQ((std::vector<std::string>{".hidden", "alts.txt", "majors"}), List.GetFileList());

    List.DeleteSaved("majors");
    List.DeleteSaved("never saved");
    EXPECT_EQ((std::vector<std::string>{".hidden", "alts.txt"}), List.FileList());
    EXPECT_EQ(Group("").parent_path().string(), List.DoNotifyFolders());
}

} // namespace
