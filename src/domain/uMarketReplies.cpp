#include "domain/uMarketReplies.h"

#include "domain/uLog.h"
#include "domain/uReplyValues.h"

#include <simdjson.h>
#include <string_view>

namespace dom = simdjson::dom;

namespace {

[[noreturn]] void NoRoot(const std::string& aName)
{
    throw EReplyError("TUser." + aName + ": lRootNode not assigned");
}

// The double fields of a record read from an object in one pass over its keys.
template <typename T> struct TField {
    std::string_view Key;
    double T::*Member;
};

// Fills aEntry from aObject: "symbol" into Symbol and each listed key into its
// field. False when the object names no symbol.
template <typename T, std::size_t N>
bool ReadEntry(dom::object aObject, const TField<T> (&aFields)[N], T& aEntry)
{
    for (dom::key_value_pair Pair : aObject) {
        if (Pair.key == "symbol") {
            aEntry.Name = ReadText(Pair.value);
            continue;
        }
        for (const TField<T>& Field : aFields)
            if (Pair.key == Field.Key) {
                aEntry.*Field.Member = ReadDouble(Pair.value);
                break;
            }
    }
    return !aEntry.Name.empty();
}

constexpr TField<TSymbolTicker> cTickerFields[] = {
    {"priceChangePercent", &TSymbolTicker::PriceChangePercent},
    {"lastPrice", &TSymbolTicker::LastPrice},
    {"bidPrice", &TSymbolTicker::BidPrice},
    {"askPrice", &TSymbolTicker::AskPrice},
    {"highPrice", &TSymbolTicker::HighPrice},
    {"lowPrice", &TSymbolTicker::LowPrice},
};

constexpr TField<TSymbolVolume> cVolumeFields[] = {{"quoteVolume", &TSymbolVolume::QuoteVolume}};

constexpr TField<TSymbolPrice> cPriceFields[] = {{"price", &TSymbolPrice::Price}};

// The value of a key of an object; false when aNode is no object or lacks it.
bool Member(dom::element aNode, std::string_view aKey, dom::element& aValue)
{
    dom::object Object;
    return aNode.get_object().get(Object) == simdjson::SUCCESS &&
           Object.at_key(aKey).get(aValue) == simdjson::SUCCESS;
}

double ReadKey(dom::element aNode, std::string_view aKey)
{
    dom::element Value;
    return Member(aNode, aKey, Value) ? ReadDouble(Value) : 0;
}

// One side of the book; false when the side is not an array.
bool ReadSide(dom::element aRoot, std::string_view aKey, std::vector<TDepthLevel>& aLevels)
{
    dom::element Side;
    dom::array Entries;
    if (!Member(aRoot, aKey, Side) || Side.get_array().get(Entries) != simdjson::SUCCESS)
        return false;
    aLevels.reserve(Entries.size());
    for (dom::element Entry : Entries) {
        dom::array Pair;
        if (Entry.get_array().get(Pair) != simdjson::SUCCESS || Pair.size() < 2)
            continue;
        auto It = Pair.begin();
        TDepthLevel Level;
        Level.Price = ReadDouble(*It);
        Level.Quantity = ReadDouble(*++It);
        aLevels.push_back(Level);
    }
    return true;
}

constexpr std::size_t cKlineFields = 12;
// 2100-01-01 00:00 UTC in milliseconds: no candle opens later.
constexpr std::int64_t cLastOpenTime = 4102444800000;

enum class TRowRead { Read, Skipped, Dropped };

// Dropped: a row of the right shape whose open time or prices no candle can
// have; history paging and the indicators must never see it.
TRowRead ReadKline(dom::element aRow, TKlineRow& aKline)
{
    dom::array Row;
    if (aRow.get_array().get(Row) != simdjson::SUCCESS || Row.size() < cKlineFields)
        return TRowRead::Skipped;
    dom::element Cells[cKlineFields];
    std::size_t Count = 0;
    for (dom::element Cell : Row) {
        Cells[Count] = Cell;
        if (++Count == cKlineFields)
            break;
    }
    if (!ReadInteger(Cells[0], aKline.OpenTime))
        return TRowRead::Skipped;
    if (aKline.OpenTime <= 0 || aKline.OpenTime >= cLastOpenTime ||
        !ReadFinite(Cells[1], aKline.Open) || !ReadFinite(Cells[2], aKline.High) ||
        !ReadFinite(Cells[3], aKline.Low) || !ReadFinite(Cells[4], aKline.Close))
        return TRowRead::Dropped;
    aKline.Volume = ReadDouble(Cells[5]);
    aKline.CloseTime = ReadInt64(Cells[6]);
    aKline.QuoteAssetVolume = ReadDouble(Cells[7]);
    aKline.Number = ReadInt64(Cells[8]);
    aKline.BaseAsset = ReadDouble(Cells[9]);
    aKline.QuoteAsset = ReadDouble(Cells[10]);
    aKline.Ignore = ReadDouble(Cells[11]);
    return TRowRead::Read;
}

// Reads every object entry of an array root that names a symbol.
template <typename T, std::size_t N>
std::vector<T> ReadEntries(dom::element aRoot, const TField<T> (&aFields)[N],
                           const std::string& aName)
{
    dom::array Entries;
    if (aRoot.get_array().get(Entries) != simdjson::SUCCESS)
        NoRoot(aName);
    TSymbolNameCheck Names;
    std::vector<T> Result;
    Result.reserve(Entries.size());
    for (dom::element Entry : Entries) {
        dom::object Object;
        if (Entry.get_object().get(Object) != simdjson::SUCCESS)
            continue;
        T Item;
        if (ReadEntry(Object, aFields, Item) && Names.Accept(Item.Name))
            Result.push_back(std::move(Item));
    }
    return Result;
}

} // namespace

struct TMarketReplyReader::TImpl {
    dom::parser Parser;

    // The root of the reply; raises the request's root error when there is
    // none. Valid until the next parse.
    dom::element Root(const std::string& aReply, const std::string& aName)
    {
        dom::element Result;
        if (Parser.parse(aReply).get(Result) != simdjson::SUCCESS)
            NoRoot(aName);
        return Result;
    }

    dom::element Object(const std::string& aReply, const std::string& aName)
    {
        dom::element Result = Root(aReply, aName);
        if (!Result.is_object())
            NoRoot(aName);
        return Result;
    }
};

TMarketReplyReader::TMarketReplyReader() : fImpl(std::make_unique<TImpl>()) {}

TMarketReplyReader::~TMarketReplyReader() = default;

void TMarketReplyReader::Ping(const std::string& aReply, const std::string& aName)
{
    fImpl->Root(aReply, aName);
}

std::int64_t TMarketReplyReader::ServerTime(const std::string& aReply)
{
    static const std::string cError = "TSysTimeThread.Execute ParseRespond error";
    dom::element Root;
    dom::element Value;
    std::int64_t Result = 0;
    if (fImpl->Parser.parse(aReply).get(Root) != simdjson::SUCCESS ||
        !Member(Root, "serverTime", Value) || !ReadInteger(Value, Result) || Result <= 0)
        throw EReplyError(cError);
    return Result;
}

TDepthReply TMarketReplyReader::Depth(const std::string& aReply)
{
    dom::element Root = fImpl->Root(aReply, "Depth");
    TDepthReply Result;
    if (!ReadSide(Root, "asks", Result.Asks) || !ReadSide(Root, "bids", Result.Bids))
        throw EReplyError("TUser.Depth: lSideNode not assigned");
    return Result;
}

std::vector<TKlineRow> TMarketReplyReader::Klines(const std::string& aReply)
{
    dom::array Rows;
    if (fImpl->Root(aReply, "Klines").get_array().get(Rows) != simdjson::SUCCESS)
        NoRoot("Klines");
    std::vector<TKlineRow> Result;
    Result.reserve(Rows.size());
    std::size_t Dropped = 0;
    for (dom::element Row : Rows) {
        TKlineRow Kline;
        const TRowRead Read = ReadKline(Row, Kline);
        if (Read == TRowRead::Read)
            Result.push_back(Kline);
        Dropped += Read == TRowRead::Dropped;
    }
    if (Dropped > 0)
        WriteLog("TUser.Klines: " + std::to_string(Dropped) +
                     " candle rows dropped: open time out of range or price not a number",
                 mtAlert, 0);
    return Result;
}

std::vector<TSymbolTicker> TMarketReplyReader::Ticker24hr(const std::string& aReply)
{
    return ReadEntries(fImpl->Root(aReply, "Ticker24hr"), cTickerFields, "Ticker24hr");
}

std::vector<TSymbolVolume> TMarketReplyReader::Ticker24hrVolume(const std::string& aReply)
{
    return ReadEntries(fImpl->Root(aReply, "Ticker24hrVolume"), cVolumeFields, "Ticker24hrVolume");
}

std::vector<TSymbolPrice> TMarketReplyReader::Prices(const std::string& aReply)
{
    return ReadEntries(fImpl->Root(aReply, "TickerPrice"), cPriceFields, "TickerPrice");
}

double TMarketReplyReader::Price(const std::string& aReply)
{
    return ReadKey(fImpl->Object(aReply, "TickerPrice"), "price");
}

TBookTickerReply TMarketReplyReader::BookTicker(const std::string& aReply)
{
    dom::element Root = fImpl->Object(aReply, "TickerBookTicker");
    return {ReadKey(Root, "bidPrice"), ReadKey(Root, "askPrice")};
}
