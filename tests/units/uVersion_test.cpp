#include "units/uVersion.h"

#include <gtest/gtest.h>

TEST(ReadVersionInfo, FillsVersionsBuildTypeFileTypeAndTheTextsPresent)
{
    TVersionResource Version;
    Version.FileVersion = {2, 5, 0, 1234};
    Version.ProductVersion = {2, 5, 0, 0};
    Version.FileFlags = VS_FF_SPECIALBUILD | VS_FF_DEBUG | VS_FF_PRERELEASE | VS_FF_INFOINFERRED;
    Version.FileType = 2;
    Version.LangID = RusLangID;
    Version.LangCP = 1251;
    Version.Strings = {{"CompanyName", "Quorvel"}, {"ProductName", "Tavrix"}, {"Comments", ""}};

    TFileVersionInfoRecord Record;
    EXPECT_TRUE(ReadVersionInfo(Version, Record));

    EXPECT_EQ(Record.FileVer, "2.5.0.1234");
    EXPECT_EQ(Record.ProductVer, "2.5.0.0");
    EXPECT_EQ(Record.BuildType, "debug, info inferred, prerelease, special build");
    EXPECT_EQ(Record.FileType, "DLL");
    EXPECT_EQ(Record.LangID, 1049);
    EXPECT_EQ(Record.LangCP, 1251);
    EXPECT_EQ(Record.FieldDef[fviCompanyName], "CompanyName");
    EXPECT_EQ(Record.FieldRus[fviCompanyName], "Производитель");
    EXPECT_EQ(Record.Value[fviProductName], "Tavrix");
    // Empty and missing texts are not stored.
    EXPECT_EQ(Record.FieldDef[fviComments], "");
    EXPECT_EQ(Record.Value[fviFileVersion], "");
}

TEST(ReadVersionInfo, RussianNamesOnlyForTheRussianLanguageAndNothingFoundWithoutTexts)
{
    TVersionResource Version;
    Version.LangID = 1033;
    Version.Strings = {{"InternalName", "Tavrix"}};
    TFileVersionInfoRecord Record;
    EXPECT_TRUE(ReadVersionInfo(Version, Record));
    EXPECT_EQ(Record.FieldDef[fviInternalName], "InternalName");
    EXPECT_EQ(Record.FieldRus[fviInternalName], "");
    EXPECT_EQ(Record.BuildType, "");

    EXPECT_FALSE(ReadVersionInfo(TVersionResource{}, Record));
    EXPECT_EQ(Record.Value[fviInternalName], "");
    EXPECT_EQ(Record.FileType, "unknown");
}

TEST(AppFileInfo, HoldsTheProgramsOwnVersion)
{
    EXPECT_TRUE(AppInfoFound);
    EXPECT_EQ(AppFileInfo.Value[fviCompanyName], "Quorvel");
    EXPECT_EQ(AppFileInfo.Value[fviProductName], "Tavrix");
    EXPECT_EQ(AppFileInfo.Value[fviFileVersion], AppFileInfo.FileVer);
    EXPECT_EQ(AppFileInfo.FileType, "application");
}
