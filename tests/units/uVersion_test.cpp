#include "units/uVersion.h"

#include <gtest/gtest.h>

TEST(ReadVersionInfo, FillsVersionsFlagsTypeAndTheTextsPresentRussianNamesOnlyForRussian)
{
    TVersionResource Version{
        .FileVersion = {2, 5, 0, 1234},
        .ProductVersion = {2, 5, 0, 0},
        .FileFlags = VS_FF_SPECIALBUILD | VS_FF_DEBUG | VS_FF_PRERELEASE | VS_FF_INFOINFERRED,
        .FileType = 2,
        .LangID = RusLangID,
        .LangCP = 1251,
        .Strings = {{"CompanyName", "Quorvel"}, {"ProductName", "Tavrix"}, {"Comments", ""}}};
    TFileVersionInfoRecord R;
    EXPECT_TRUE(ReadVersionInfo(Version, R));
    EXPECT_EQ(R.FileVer + " " + R.ProductVer + " " + R.FileType, "2.5.0.1234 2.5.0.0 DLL");
    EXPECT_EQ(R.BuildType, "debug, info inferred, prerelease, special build");
    EXPECT_EQ(R.LangID * 10000 + R.LangCP, 1049 * 10000 + 1251);
    EXPECT_EQ(R.FieldDef[fviCompanyName] + "/" + R.FieldRus[fviCompanyName],
              "CompanyName/Производитель");
    EXPECT_EQ(R.Value[fviProductName], "Tavrix");
    // Empty and missing texts are not stored.
    EXPECT_EQ(R.FieldDef[fviComments] + R.Value[fviFileVersion], "");

    Version = {.LangID = 1033, .Strings = {{"InternalName", "Tavrix"}}};
    EXPECT_TRUE(ReadVersionInfo(Version, R));
    EXPECT_EQ(R.FieldDef[fviInternalName] + "/" + R.FieldRus[fviInternalName] + R.BuildType,
              "InternalName/");
    EXPECT_FALSE(ReadVersionInfo(TVersionResource{}, R));
    EXPECT_EQ(R.Value[fviInternalName] + "/" + R.FileType, "/unknown");
}

TEST(AppFileInfo, HoldsTheProgramsOwnVersion)
{
    EXPECT_TRUE(AppInfoFound);
    EXPECT_EQ(AppFileInfo.Value[fviCompanyName] + " " + AppFileInfo.Value[fviProductName],
              "Quorvel Tavrix");
    EXPECT_EQ(AppFileInfo.Value[fviFileVersion], AppFileInfo.FileVer);
    EXPECT_EQ(AppFileInfo.FileType, "application");
}
