#pragma once

#include "platform/DateTime.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>

// Shared enumerations, constants and small routines of the trading core.

enum TMessageType : std::uint8_t { mtAlert, mtInfo, mtConfirm, mtYesNoCancel };
// The kind's text in a log line.
inline constexpr std::array<std::string_view, 4> cMessageType{"ALERT", "INFO", "", ""};

enum TChartInterval : std::uint8_t {
    m1,
    m3,
    m5,
    m15,
    m30,
    h1,
    h2,
    h4,
    h6,
    h8,
    h12,
    d1,
    d3,
    w1,
    Month1
};
constexpr std::size_t cChartIntervalCount = Month1 + 1;
// The exchange's interval texts.
inline constexpr std::array<std::string_view, cChartIntervalCount> TChartIntervalStr{
    "1m", "3m", "5m", "15m", "30m", "1h", "2h", "4h", "6h", "8h", "12h", "1d", "3d", "1w", "1M"};
// Short labels.
inline constexpr std::array<std::string_view, cChartIntervalCount> TChartIntervalStrEx{
    "M1", "M3", "M5", "M15", "M30", "H1", "H2", "H4", "H6", "H8", "H12", "D1", "D3", "W1", "Month"};

enum TZoom : std::uint8_t { z0, z1, z2, z3, z4, z5 };
// Percent and candles shown, by zoom.
inline constexpr std::array<int, 6> cZoom{800, 400, 200, 100, 50, 25};
inline constexpr std::array<int, 6> cZoomCandles{31, 62, 125, 250, 500, 1000};

enum ENUM_MA_METHOD : std::uint8_t { MODE_SMA, MODE_EMA, MODE_SMMA, MODE_LWMA };
enum ENUM_APPLIED_PRICE : std::uint8_t {
    PRICE_CLOSE,
    PRICE_OPEN,
    PRICE_HIGH,
    PRICE_LOW,
    PRICE_MEDIAN,
    PRICE_TYPICAL,
    PRICE_WEIGHTED
};

// Colours: red in the low byte, then green, then blue.
constexpr std::uint32_t clLtRed = 0xD8C0F1;
constexpr std::uint32_t clLtGreen = 0xC0F1D8;

constexpr std::uintptr_t cMainTimerIndex = 1;
constexpr unsigned cMainTimerInterval = 1000;

enum TAppFolder : std::uint8_t { afExe, afLocal, afRoaming, afUserLocal, afUserRoaming };

enum TWorkflowMode : std::uint8_t { wfmTrade, wfmVolume, wfmFull };
enum TWorkflowState : std::uint8_t { wfsWorking, wfsClosing, wfsStopped, wfsPaused };
enum TUserAuth : std::uint8_t { uaUndefined, uaAuth, uaUnauth };

// Notification codes. Data of 100 is the address of the new clock value (a
// TDateTime valid during the call); of 120 whether 11 or more candles were
// asked for; of 260 the chart type; of 310 the chart item's number (TChartID,
// see FindChartItem), never a pointer; else 0.
constexpr std::int32_t BASE_MAIN_SYSTIME = 100;
constexpr std::int32_t BASE_MAIN_SYMBOLS = 110;
constexpr std::int32_t BASE_MAIN_VOLUMES = 115;
constexpr std::int32_t BASE_MAIN_KLINES = 120;
constexpr std::int32_t BASE_MAIN_CHART_CLEAR = 121;
constexpr std::int32_t BASE_MAIN_TICKERPRICE = 130;
constexpr std::int32_t BASE_MAIN_USERORDERS = 140;
constexpr std::int32_t BASE_MAIN_USERORDERSHISTORY = 145;
constexpr std::int32_t BASE_MAIN_BALANCES = 150;
constexpr std::int32_t BASE_MAIN_DEPTH = 160;
constexpr std::int32_t BASE_MAIN_MULTI = 170;
constexpr std::int32_t BASE_LOGON_PROFILE_LIST_CHANGED = 200;
constexpr std::int32_t BASE_MAIN_PAUSED = 250;
constexpr std::int32_t BASE_MAIN_TEST = 251;
constexpr std::int32_t BASE_MAIN_CHART_TYPE = 260;
constexpr std::int32_t BASE_MAIN_REFRESH_ACTIVE_WINDOW = 270;
constexpr std::int32_t BASE_MAIN_ZOOM_REFRESH = 271;
constexpr std::int32_t BASE_MAIN_CHART_SCALE = 275;
constexpr std::int32_t BASE_MAIN_INTERVALS_REFRESH = 276;
constexpr std::int32_t BASE_MAIN_INDICATOR_REFRESH = 278;
constexpr std::int32_t BASE_MAIN_TABS_REFRESH = 279;
constexpr std::int32_t ORDER_BOOK_TICKER = 300;
constexpr std::int32_t MAIN_FORM_CHART_REFRESH = 310;

// The text of the last failed exchange. Workers write it, the user-interface
// thread reads and clears it: every access is under a lock.
class TLastServerError {
public:
    std::string Get() const;
    void Set(std::string Text);
    void Clear() { Set({}); }

private:
    mutable std::mutex fLock;
    std::string fText;
};
extern TLastServerError gLastServerError;

// Message boxes captioned "Tavrix", owned by the active window; Msg returns the
// pressed button's code (IDOK, IDCANCEL, IDYES, IDNO of platform/MessageBox.h).
int Msg(const std::string& Text, TMessageType MsgType);
void Alert(const std::string& Text);
// True only when answered Yes.
bool Confirm(const std::string& Text);

// The full path of the program file.
std::string ExeName();
// Comand with environment references expanded: %NAME%, ${NAME} and $NAME
// (NAME of letters, digits and "_", not starting with a digit). A reference to
// an unset variable, and a "%" or "$" that starts none, stay as written.
std::string GetWin(const std::string& Comand);

// Time stamps: milliseconds since 1970-01-01 03:00:00 in date-time reckoning,
// which equals the exchange's UTC epoch milliseconds. Both round to the
// nearest millisecond, so StampToDate(DateToStamp(x)) keeps every stamp.
// DateToStamp is never negative; StampToDate gives 0 for a stamp above
// 2,500,000,000,000 and for one before 0001-01-01, which no date can show.
std::int64_t DateToStamp(TDateTime aDateTime);
TDateTime StampToDate(std::int64_t aStamp);

// The login name of the process's user; "Unknown" when it cannot be read.
std::string GetUserFromWindows();

// JSON files are UTF-8 throughout (callers include <nlohmann/json.hpp>). LoadJsonFile reads the
// whole file and parses it allowing comments; text that is not JSON gives null; a file that cannot
// be read raises EFileError. SaveJsonFile writes the node without indentation and unescaped, then
// CR LF, replacing the file atomically (Mode: permission bits, see WriteFileAtomic); it raises when
// it cannot write.
nlohmann::ordered_json LoadJsonFile(const std::string& aFileName);
bool SaveJsonFile(const nlohmann::ordered_json& aNode, const std::string& aFileName,
                  std::optional<unsigned> Mode = std::nullopt);

// A chart axis label "hh:mm dd.MM.yyyy" as "mmm dd hh:mm" with the locale's
// month abbreviation; the empty date "00:00 30.12.1899" comes back unchanged;
// another shape raises EConvertError.
std::string ChartDateToTradeDate(const std::string& aText);

// aZoom moved by aInc steps, kept within z0..z5.
TZoom IncZoom(TZoom aZoom, int aInc);

// Writes the named resource to the file, replacing it atomically, unless the
// file already holds it (WriteFileIfChanged); raises when the program holds
// no such resource, or EFileError when the file cannot be written.
void UnpackResource(const std::string& aResourceName, const std::string& aFileName);
