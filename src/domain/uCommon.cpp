#include "domain/uCommon.h"

#include "platform/DateUtils.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>
#include <vector>

TLastServerError gLastServerError;

std::string TLastServerError::Get() const
{
    std::lock_guard Guard(fLock);
    return fText;
}

void TLastServerError::Set(std::string Text)
{
    std::lock_guard Guard(fLock);
    fText = std::move(Text);
}

namespace {

constexpr const char* cCaption = "Tavrix";

std::uint32_t StyleOf(TMessageType MsgType)
{
    switch (MsgType) {
    case mtAlert:
        return MB_ICONERROR | MB_OK;
    case mtInfo:
        return MB_ICONINFORMATION | MB_OK;
    case mtConfirm:
        return MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2;
    case mtYesNoCancel:
        return MB_ICONQUESTION | MB_YESNOCANCEL;
    }
    return MB_OK;
}

} // namespace

int Msg(const std::string& Text, TMessageType MsgType)
{
    return MessageBox(Text, cCaption, StyleOf(MsgType));
}

void Alert(const std::string& Text)
{
    Msg(Text, mtAlert);
}

bool Confirm(const std::string& Text)
{
    return Msg(Text, mtConfirm) == IDYES;
}

std::string ExeName()
{
    std::error_code Error;
    std::filesystem::path Path = std::filesystem::read_symlink("/proc/self/exe", Error);
    return Error ? std::string() : Path.string();
}

namespace {

bool IsNameStart(char C)
{
    return std::isalpha(static_cast<unsigned char>(C)) || C == '_';
}

bool IsNameChar(char C)
{
    return std::isalnum(static_cast<unsigned char>(C)) || C == '_';
}

// One reference starting at Pos: its length and variable name, or length 0.
struct TReference {
    std::size_t Length = 0;
    std::string Name;
};

TReference ReferenceAt(const std::string& Text, std::size_t Pos)
{
    if (Text[Pos] == '%') {
        std::size_t End = Text.find('%', Pos + 1);
        if (End == std::string::npos || End == Pos + 1)
            return {};
        return {End - Pos + 1, Text.substr(Pos + 1, End - Pos - 1)};
    }
    if (Pos + 1 < Text.size() && Text[Pos + 1] == '{') {
        std::size_t End = Text.find('}', Pos + 2);
        if (End == std::string::npos || End == Pos + 2)
            return {};
        return {End - Pos + 1, Text.substr(Pos + 2, End - Pos - 2)};
    }
    std::size_t End = Pos + 1;
    if (End >= Text.size() || !IsNameStart(Text[End]))
        return {};
    while (End < Text.size() && IsNameChar(Text[End]))
        ++End;
    return {End - Pos, Text.substr(Pos + 1, End - Pos - 1)};
}

} // namespace

std::string GetWin(const std::string& Comand)
{
    // No length limit: a long path comes back whole, never cut.
    std::string Result;
    std::size_t Pos = 0;
    while (Pos < Comand.size()) {
        char C = Comand[Pos];
        if (C == '%' || C == '$') {
            TReference Ref = ReferenceAt(Comand, Pos);
            const char* Value = Ref.Length ? std::getenv(Ref.Name.c_str()) : nullptr;
            if (Value) {
                Result += Value;
                Pos += Ref.Length;
                continue;
            }
            // Unset: the reference stays as written, like the rest of the text.
            std::size_t Keep = Ref.Length && C == '%' ? Ref.Length - 1 : 1;
            Result.append(Comand, Pos, Keep);
            Pos += Keep;
            continue;
        }
        Result += C;
        ++Pos;
    }
    return Result;
}

namespace {

// 1970-01-01 03:00:00: stamp 0 in date-time reckoning.
constexpr double cStampEpoch = UnixDateDelta + 3 / HoursPerDay;
constexpr std::int64_t cMaxStamp = 2'500'000'000'000;
// 0001-01-01 00:00:00, the first moment a date-time can show.
constexpr std::int64_t cMinStamp = -62'135'607'600'000;

} // namespace

std::int64_t DateToStamp(TDateTime aDateTime)
{
    // Rounded, not truncated: a date made from a stamp lies a fraction of a
    // microsecond on either side of it.
    double Ms = std::nearbyint((aDateTime - cStampEpoch) * MSecsPerDay);
    if (!(Ms > 0))
        return 0;
    if (Ms >= 0x1p63)
        return INT64_MAX;
    return static_cast<std::int64_t>(Ms);
}

TDateTime StampToDate(std::int64_t aStamp)
{
    if (aStamp > cMaxStamp || aStamp < cMinStamp)
        return 0;
    return cStampEpoch + static_cast<double>(aStamp) / MSecsPerDay;
}

std::string GetUserFromWindows()
{
    long Size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> Buffer(Size > 0 ? static_cast<std::size_t>(Size) : 16384);
    passwd Entry;
    passwd* Found = nullptr;
    if (getpwuid_r(geteuid(), &Entry, Buffer.data(), Buffer.size(), &Found) != 0 || !Found ||
        !Found->pw_name || !*Found->pw_name)
        return "Unknown";
    return Found->pw_name;
}

nlohmann::ordered_json LoadJsonFile(const std::string& aFileName)
{
    std::string Text = ReadWholeFile(aFileName);
    auto Node = nlohmann::ordered_json::parse(Text, nullptr, false, true);
    if (Node.is_discarded())
        return nullptr;
    return Node;
}

bool SaveJsonFile(const nlohmann::ordered_json& aNode, const std::string& aFileName,
                  std::optional<unsigned> Mode)
{
    // Strings must already be valid UTF-8: dump raises rather than alter them.
    std::string Text = aNode.dump(-1, ' ', false);
    Text += "\r\n";
    WriteFileAtomic(aFileName, Text, Mode);
    return true;
}

std::string ChartDateToTradeDate(const std::string& aText)
{
    static const std::string cEmptyDate = "00:00 30.12.1899";
    if (aText == cEmptyDate)
        return aText;
    TFormatSettings Settings = LocaleFormatSettings();
    Settings.ShortDateFormat = "dd.mm.yyyy";
    Settings.DateSeparator = '.';
    Settings.TimeSeparator = ':';
    std::string_view Text = aText;
    std::string_view TimePart = Text.substr(0, 5);
    std::string_view DatePart = Text.size() > 6 ? Text.substr(6, 16) : std::string_view();
    TDateTime Value = ComposeDateTime(StrToDate(DatePart, Settings), StrToTime(TimePart, Settings));
    return FormatDateTime("mmm dd hh:mm", Value, Settings);
}

TZoom IncZoom(TZoom aZoom, int aInc)
{
    if (aInc == 0)
        return aZoom;
    long long Moved = static_cast<long long>(aZoom) + aInc;
    return static_cast<TZoom>(std::clamp<long long>(Moved, z0, z5));
}

void UnpackResource(const std::string& aResourceName, const std::string& aFileName)
{
    std::optional<std::string_view> Bytes = FindResource(aResourceName);
    if (!Bytes)
        throw std::runtime_error("Resource " + aResourceName + " not found");
    WriteFileIfChanged(aFileName, *Bytes);
}
