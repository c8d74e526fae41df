#pragma once

#include "domain/uSymbols.h"

#include <string>
#include <vector>

// The values of one symbol in a 24-hour ticker reply, as the worker parsed them.
struct TSymbolTicker {
    std::string Name;
    double PriceChangePercent = 0;
    double LastPrice = 0;
    double BidPrice = 0;
    double AskPrice = 0;
    double HighPrice = 0;
    double LowPrice = 0;
};

// One symbol's last price in an all-symbols price reply.
struct TSymbolPrice {
    std::string Name;
    double Price = 0;
};

// All symbols, and the market watch's visible list with its saved groups.
// The visible list is a list of names, each bound to the symbol of that name
// or to nothing; every change of the symbols binds its lines again in the same
// step, so a bound line never refers to a freed symbol. Groups are plain text
// files, one name a line, in the folder "Symbols" of the per-user roaming
// folder. User-interface thread only.
class TSymbolShowList {
public:
    // Creates the groups folder when it is missing.
    TSymbolShowList();
    TSymbolShowList(const TSymbolShowList&) = delete;
    TSymbolShowList& operator=(const TSymbolShowList&) = delete;

    TSymbolList& SymbolList() { return fSymbolList; }
    const TSymbolList& SymbolList() const { return fSymbolList; }

    // Visible lines.
    int Count() const { return static_cast<int>(fShowList.size()); }
    // The symbol of line i, nullptr when its name is no symbol; i in 0..Count-1.
    TSymbol* Items(int i) const { return fShowList[static_cast<std::size_t>(i)].Symbol; }
    const std::string& Names(int i) const { return fShowList[static_cast<std::size_t>(i)].Name; }
    // Moves with every change of the visible lines, not with their prices: a
    // view keeps what it measured of the names while it stands still.
    unsigned Revision() const { return fRevision; }

    // These change the visible list and queue BASE_MAIN_SYMBOLS.
    // All symbols, in symbol-list order.
    void FillShowSymbols();
    // Removes the first line of that name; nothing when there is none.
    void DeleteSymbol(const std::string& aSymbol);
    // Keeps, in their order, only the lines whose names aSymbolList holds.
    void HideSymbols(const std::vector<std::string>& aSymbolList);
    // The group aFileName of the groups folder: each line is a name, an
    // empty line a line bound to nothing; a byte-order mark and CR LF, LF or
    // CR line ends are accepted. Raises
    // EFileError when the group cannot be read (the list is then unchanged).
    void LoadFromFile(const std::string& aFileName);

    // Writes the visible names, one a line, to aFileName (a full path),
    // replacing the file whole. A failure is told to the trader
    // (SaveReported) and keeps the old file; false then.
    bool SaveToFile(const std::string& aFileName) const;
    // Deletes the group aFileName when it exists.
    void DeleteSaved(const std::string& aFileName);
    // Names of all files in the groups folder (hidden ones too, not folders),
    // sorted; the caller owns the list.
    std::vector<std::string> GetFileList() const;
    std::vector<std::string> FileList() const { return GetFileList(); }
    // The groups folder; the empty text when it cannot be told (logged).
    std::string DoNotifyFolders() const;

    // A 24-hour ticker reply: the symbols become those of the reply, in its
    // order, with fresh values; visible lines are bound again by name. When
    // nothing is visible, all symbols are shown.
    void ReloadSymbols(const std::vector<TSymbolTicker>& aTickers);
    // An all-symbols price reply: each symbol (added when new) is coloured by
    // the move of its last price and takes the new one. When nothing is
    // visible, all symbols are shown.
    void ApplyPrices(const std::vector<TSymbolPrice>& aPrices);

    // The groups folder; empty when the folders are not known.
    static std::string GroupsFolder();

private:
    struct TLine {
        std::string Name;
        TSymbol* Symbol;
    };

    void Bind();
    void Changed();
    std::string GroupFile(const std::string& aFileName) const;

    TSymbolList fSymbolList;
    std::vector<TLine> fShowList;
    unsigned fRevision = 0;
};
