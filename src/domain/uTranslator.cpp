#include "domain/uTranslator.h"

#include "platform/FileRead.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

TTranslator* Translator = nullptr;

namespace {

// Code points of the bytes 0x80..0xFF; 0x00..0x7F are ASCII.
constexpr std::array<char16_t, 128> cCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// Every code point of the table lies below U+10000: two or three bytes.
void AppendUtf8(std::string& Out, char16_t Code)
{
    if (Code < 0x800) {
        Out += static_cast<char>(0xC0 | (Code >> 6));
    } else {
        Out += static_cast<char>(0xE0 | (Code >> 12));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    }
    Out += static_cast<char>(0x80 | (Code & 0x3F));
}

// Reads a whole file; nothing when it is missing, refused or cannot be read.
std::optional<std::string> ReadFile(const std::string& FileName)
{
    if (FileName.empty())
        return std::nullopt;
    try {
        return ReadWholeFile(FileName);
    } catch (const EFileError&) {
        return std::nullopt;
    }
}

// Splits at CR LF, LF or a lone CR. A break at the very end starts no new line.
std::vector<std::string_view> SplitLines(std::string_view Text)
{
    std::vector<std::string_view> Lines;
    std::size_t Start = 0;
    while (Start < Text.size()) {
        const std::size_t Break = Text.find_first_of("\r\n", Start);
        if (Break == std::string_view::npos) {
            Lines.push_back(Text.substr(Start));
            break;
        }
        Lines.push_back(Text.substr(Start, Break - Start));
        Start = Break + 1;
        if (Text[Break] == '\r' && Start < Text.size() && Text[Start] == '\n')
            ++Start;
    }
    return Lines;
}

// Language names become file names: lower-case (file names here are
// case-sensitive and the shipped files are lower-case), and never a path.
std::optional<std::string> LanguageFileStem(const std::string& Language)
{
    if (Language.empty() || Language.find_first_of(std::string_view("/\0", 2)) != std::string::npos)
        return std::nullopt;
    std::string Stem = Language;
    for (char& C : Stem) {
        if (C >= 'A' && C <= 'Z')
            C = static_cast<char>(C - 'A' + 'a');
    }
    return Stem;
}

} // namespace

std::string FillPlaceholders(std::string_view Text, std::initializer_list<std::string_view> Values)
{
    std::string Out;
    Out.reserve(Text.size());
    const std::string_view* Value = Values.begin();
    for (std::size_t Index = 0; Index < Text.size(); ++Index) {
        const bool Placeholder = Text[Index] == '%' && Index + 1 < Text.size() &&
                                 (Text[Index + 1] == 'd' || Text[Index + 1] == 's');
        if (Placeholder && Value != Values.end()) {
            Out += *Value++;
            ++Index;
        } else {
            Out += Text[Index];
        }
    }
    return Out;
}

std::string Cp1251ToUtf8(std::string_view Text)
{
    std::string Out;
    Out.reserve(Text.size() * 2);
    for (const char C : Text) {
        const auto Byte = static_cast<unsigned char>(C);
        if (Byte < 0x80)
            Out += C;
        else
            AppendUtf8(Out, cCp1251High[Byte - 0x80]);
    }
    return Out;
}

TTranslator::TTranslator(TFolderSource RoamingFolder) : fRoamingFolder(std::move(RoamingFolder)) {}

void TTranslator::SetLanguage(const std::string& Value)
{
    if (Value == fLanguage)
        return;
    fLanguage = Value;
    Reload();
}

void TTranslator::Reload()
{
    fTable.clear();
    const auto Data = ReadLanguageFile(".lng");
    if (!Data)
        return;
    const std::string Text = Cp1251ToUtf8(*Data);
    for (const std::string_view Line : SplitLines(Text))
        fTable.try_emplace(GetParam(Line), GetValue(Line));
}

std::string TTranslator::Translate(std::string_view Text) const
{
    const auto Found = fTable.find(Text);
    return Found == fTable.end() ? std::string(Text) : Found->second;
}

std::string TTranslator::Translate(std::string_view Text,
                                   std::initializer_list<std::string_view> Values) const
{
    return FillPlaceholders(Translate(Text), Values);
}

std::string TTranslator::GetLicense() const
{
    const auto Data = ReadLanguageFile(".license");
    if (!Data)
        return {};
    const std::string Text = Cp1251ToUtf8(*Data);
    std::string Out;
    Out.reserve(Text.size() + Text.size() / 16);
    for (const std::string_view Line : SplitLines(Text)) {
        Out += Line;
        Out += "\r\n";
    }
    return Out;
}

std::string TTranslator::GetFileName() const
{
    return FileNameFor(".lng");
}

std::string TTranslator::GetLicenseFileName() const
{
    return FileNameFor(".license");
}

std::string TTranslator::FileNameFor(std::string_view Extension) const
{
    const std::string Folder = fRoamingFolder ? fRoamingFolder() : std::string();
    const auto Stem = LanguageFileStem(fLanguage);
    if (Folder.empty() || !Stem)
        return {};
    return Folder + "/" + *Stem + std::string(Extension);
}

void TTranslator::SetBuiltIn(std::string aName, std::string aBytes)
{
    fBuiltIn.insert_or_assign(std::move(aName), std::move(aBytes));
}

std::optional<std::string> TTranslator::ReadLanguageFile(std::string_view Extension) const
{
    if (const auto Stem = LanguageFileStem(fLanguage)) {
        const auto Found = fBuiltIn.find(*Stem + std::string(Extension));
        if (Found != fBuiltIn.end())
            return Found->second;
    }
    return ReadFile(FileNameFor(Extension));
}

std::string TTranslator::GetParam(std::string_view Line)
{
    const std::size_t Equals = Line.find('=');
    return Equals == std::string_view::npos ? std::string() : std::string(Line.substr(0, Equals));
}

std::string TTranslator::GetValue(std::string_view Line)
{
    const std::size_t Equals = Line.find('=');
    return std::string(Equals == std::string_view::npos ? Line : Line.substr(Equals + 1));
}
