#include "domain/uTranslator.h"

#include "domain/uSaveReport.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "support/TempHome.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Encodes UTF-8 to cp1251 through the decoder's own table, so fixtures can be
// written readably; the decoder itself is checked against fixed code points.
std::string ToCp1251(const std::string& Utf8)
{
    std::map<std::string, char> Bytes;
    for (int B = 0x80; B <= 0xFF; ++B) {
        const char C = static_cast<char>(B);
        Bytes[Cp1251ToUtf8(std::string_view(&C, 1))] = C;
    }
    std::string Out;
    for (std::size_t I = 0; I < Utf8.size();) {
        const auto Lead = static_cast<unsigned char>(Utf8[I]);
        const std::size_t Length = Lead < 0x80 ? 1 : Lead < 0xE0 ? 2 : 3;
        const std::string Sequence = Utf8.substr(I, Length);
        Out += Length == 1 ? Sequence[0] : Bytes.at(Sequence);
        I += Length;
    }
    return Out;
}

// Joins lines, each ended by Eol.
std::string Lines(const std::vector<std::string>& Items, const std::string& Eol)
{
    std::string Out;
    for (const auto& Item : Items)
        Out += Item + Eol;
    return Out;
}

TEST(Cp1251ToUtf8, DecodesEveryRegionOfTheCodePageEachByteToItsOwnCharacter)
{
    const std::vector<std::pair<std::string, std::string>> Cases = {
        {"Tavrix 1.0 =%d", "Tavrix 1.0 =%d"},
        {"\xC0\xC1\xDF", "АБЯ"},
        {"\xE0\xEF\xF0\xFF", "апря"},
        {"\xA8\xB8", "Ёё"},
        {"\xB9\x88\x85\x96\x97", "№€…–—"},
        {"\x80\x90\xA1\xA2\xAA\xBA\xAF\xBF\xB2\xB3", "ЂђЎўЄєЇїІі"},
        {"\xA0\xAB\xBB", "\u00A0«»"},
        {"\x98", "\uFFFD"},
        {"", ""},
    };
    for (const auto& [In, Expected] : Cases)
        EXPECT_EQ(Cp1251ToUtf8(In), Expected) << In;
    std::map<std::string, int> Seen;
    for (int B = 0x80; B <= 0xFF; ++B) {
        const char C = static_cast<char>(B);
        if (B != 0x98) {
            EXPECT_TRUE(Seen.emplace(Cp1251ToUtf8(std::string_view(&C, 1)), B).second) << B;
        }
    }
}

class TTranslatorFiles : public ::testing::Test {
protected:
    fs::path Folder() const { return fHome.ConfigHome() / "Quorvel" / "Tavrix"; }

    TTranslator Make() const
    {
        return TTranslator([Path = Folder().string()] { return Path; });
    }

    void WriteTable(const std::string& Name, const std::string& Utf8Text) const
    {
        fs::create_directories(Folder());
        WriteFileAtomic(Folder() / Name, ToCp1251(Utf8Text));
    }

    // Puts a shipped file where start-up writes it.
    void InstallShipped(const std::string& Name) const
    {
        fs::create_directories(Folder());
        fs::copy_file(fs::path(TAVRIX_SOURCE_DIR) / "resources" / Name, Folder() / Name);
    }

    TTempHome fHome;
};

const std::vector<std::string> cFixture = {
    "Выход=Output",
    "Стакан цен=Depth of Market",
    "Формула=a=b+c",
    "Выход=Exit",
    "Пустое=",
    "строка без знака",
    "Стакан цен=Glass of prices",
    "Увеличение %d=Increase %d",
};

TEST_F(TTranslatorFiles, LooksUpTheFirstLineOfAKeyWithTheWholeRestAsValue)
{
    for (const std::string Eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(Eol == "\n" ? "LF" : Eol == "\r" ? "CR" : "CR LF");
        WriteTable("english.lng", Lines(cFixture, Eol));
        TTranslator T = Make();
        T.SetLanguage("English");
        ASSERT_EQ(T.Count(), 6u);

        const std::vector<std::pair<std::string, std::string>> Cases = {
            {"Выход", "Output"},
            {"Стакан цен", "Depth of Market"},
            {"Формула", "a=b+c"},
            {"Пустое", ""},
            {"Увеличение %d", "Increase %d"},
            {"", "строка без знака"},
            {"Выход ", "Выход "},
            {"выход", "выход"},
        };
        for (const auto& [Key, Expected] : Cases)
            EXPECT_EQ(T.Translate(Key), Expected) << Key;
    }
}

TEST_F(TTranslatorFiles, NamesItsFilesAfterTheLowerCasedLanguageAndOtherwiseLeavesTexts)
{
    WriteTable("english.lng", Lines(cFixture, "\r\n"));
    TTranslator T = Make();
    T.SetLanguage("English");
    EXPECT_EQ(T.GetFileName(), (Folder() / "english.lng").string());
    EXPECT_EQ(T.GetLicenseFileName(), (Folder() / "english.license").string());
    ASSERT_EQ(T.Translate("Выход"), "Output");

    for (const std::string Language : {"Russian", "German", "../english", "English/..", ""}) {
        T.SetLanguage(Language);
        EXPECT_EQ(T.Count(), 0u) << Language;
        EXPECT_EQ(T.Translate("Выход"), "Выход") << Language;
        EXPECT_EQ(T.GetLicense(), "") << Language;
    }
    TTranslator NoFolder;
    NoFolder.SetLanguage("English");
    EXPECT_EQ(NoFolder.GetFileName(), "");
    EXPECT_EQ(NoFolder.Translate("Выход"), "Выход");
}

TEST_F(TTranslatorFiles, ReadsTheTableOnceUnlessReloaded)
{
    WriteTable("english.lng", "Выход=Output\r\n");
    TTranslator T = Make();
    T.SetLanguage("English");
    WriteTable("english.lng", "Выход=Exit\r\n");

    T.SetLanguage("English");
    EXPECT_EQ(T.Translate("Выход"), "Output");
    T.Reload();
    EXPECT_EQ(T.Translate("Выход"), "Exit");

    fs::remove(Folder() / "english.lng");
    T.Reload();
    EXPECT_EQ(T.Count(), 0u);
}

// A built-in copy is read in place of the folder's file of its name alone.
TEST_F(TTranslatorFiles, ABuiltInCopyIsReadInPlaceOfTheFolderFile)
{
    WriteTable("english.lng", "Выход=Stale\r\n");
    WriteTable("english.license", "Stale\r\n");
    TTranslator T = Make();
    T.SetBuiltIn("english.lng", ToCp1251("Выход=Output\r\n"));
    T.SetBuiltIn("english.license", "Own\r\n");
    T.SetLanguage("English");
    EXPECT_EQ(T.Translate("Выход"), "Output");
    EXPECT_EQ(T.GetLicense(), "Own\r\n");
    WriteTable("german.lng", "Выход=Ausgang\r\n");
    T.SetLanguage("German");
    EXPECT_EQ(T.Translate("Выход"), "Ausgang");
}

TEST(FillPlaceholders, FillsOnlyPercentDAndPercentSInOrderAndLeavesEverythingElse)
{
    const std::pair<std::string, std::string> Cases[] = {
        {FillPlaceholders("Increase %d", {"400"}), "Increase 400"},
        {FillPlaceholders("%s / %s", {"1.5", "1.6"}), "1.5 / 1.6"},
        {FillPlaceholders("%s%s%n", {"400"}), "400%s%n"},
        {FillPlaceholders("%n%p%x%08.3f%*d%%d", {"1"}), "%n%p%x%08.3f%*d%1"},
        {FillPlaceholders("%d then %d", {"%s", "%d"}), "%s then %d"},
        {FillPlaceholders("%D %S", {"x"}), "%D %S"},
    };
    for (const auto& [Filled, Expected] : Cases)
        EXPECT_EQ(Filled, Expected);
}

TEST_F(TTranslatorFiles, AnEditedTranslationIsFilledNeverUsedAsAFormat)
{
    WriteTable("english.lng", "Увеличение %d=%s%s%n Increase %d %999999999d\r\n");
    TTranslator T = Make();
    T.SetLanguage("English");
    EXPECT_EQ(T.Translate("Увеличение %d", {"400"}), "400%s%n Increase %d %999999999d");
    EXPECT_EQ(T.Translate("Уменьшение %d", {"100"}), "Уменьшение 100") << "untranslated";
}

std::vector<std::string> SplitCrLf(const std::string& Data)
{
    std::vector<std::string> Out;
    std::size_t Start = 0;
    for (std::size_t End; (End = Data.find("\r\n", Start)) != std::string::npos; Start = End + 2)
        Out.push_back(Data.substr(Start, End - Start));
    EXPECT_EQ(Start, Data.size()) << "text after the last CR LF";
    return Out;
}

// 207 lines of cp1251 text for 187 keys; a key listed again keeps its first value.
TEST_F(TTranslatorFiles, ShippedTableIsCrLfCp1251AndTheFirstLineOfAKeyWins)
{
    InstallShipped("english.lng");
    TTranslator T = Make();
    T.SetLanguage("English");
    EXPECT_EQ(T.Count(), 187u);
    const std::string Data = ReadWholeFile(T.GetFileName());
    EXPECT_NE(Data.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(Data.find('\x98'), std::string::npos);
    EXPECT_EQ(ToCp1251(Cp1251ToUtf8(Data)), Data);
    const std::vector<std::string> Rows = SplitCrLf(Cp1251ToUtf8(Data));
    EXPECT_EQ(Rows.size(), 207u);

    std::map<std::string, std::vector<std::string>> Values;
    for (const auto& Row : Rows) {
        EXPECT_EQ(Row.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
        EXPECT_NE(Row.find('='), std::string::npos) << Row;
        Values[TTranslator::GetParam(Row)].push_back(TTranslator::GetValue(Row));
    }
    int Repeated = 0;
    for (const auto& [Key, Found] : Values) {
        const std::string Translated = T.Translate(Key);
        EXPECT_EQ(Translated, Found.front()) << Key;
        EXPECT_NE(Translated, Key);
        EXPECT_FALSE(Translated.empty()) << Key;
        for (const char* Placeholder : {"%d", "%s"})
            EXPECT_EQ(Key.find(Placeholder) != std::string::npos,
                      Translated.find(Placeholder) != std::string::npos)
                << Key;
        Repeated += Found.size() > 1;
        EXPECT_LE(Found.size(), 3u) << Key;
    }
    EXPECT_EQ(Repeated, 18);
    EXPECT_EQ(T.Translate("Выход"), "Output") << "the first of its three lines";
    for (std::string_view Failure : {cSaveLayoutFailed, cSaveTemplateFailed, cSaveGroupFailed,
                                     cSaveSettingsFailed, cSaveAccountsFailed})
        EXPECT_TRUE(T.Translate(Failure, {"x"}).starts_with("Cannot save ")) << Failure;
}

TEST_F(TTranslatorFiles, GivesTheAgreementWithEveryLineEndedByCrLf)
{
    TTranslator T = Make();
    T.SetLanguage("English");
    EXPECT_EQ(T.GetLicense(), "");
    const std::vector<std::pair<std::string, std::string>> Cases = {
        {"Первая\r\n\r\nТретья\r\n", "Первая\r\n\r\nТретья\r\n"},
        {"Первая\nвторая", "Первая\r\nвторая\r\n"},
        {"", ""},
    };
    for (const auto& [File, Expected] : Cases) {
        WriteTable("english.license", File);
        EXPECT_EQ(T.GetLicense(), Expected);
        EXPECT_EQ(T.License(), Expected);
    }
    fs::remove(T.GetLicenseFileName());
    InstallShipped("english.license");
    const std::string Shipped = ReadWholeFile(T.GetLicenseFileName());
    EXPECT_FALSE(SplitCrLf(Shipped).empty());
    EXPECT_EQ(T.GetLicense(), Shipped);
}

} // namespace
