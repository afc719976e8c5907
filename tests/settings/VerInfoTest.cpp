#include "settings/VerInfo.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

// The test program carries the same version resource as Fendrix.exe.
TEST(VerInfo, ReadsTheProgramsOwnVersionTexts) {
    const CVerInfo info;
    ASSERT_TRUE(info.IsValid());
    EXPECT_EQ(info.ProductName(), "Solvik:Quorlane");
    EXPECT_EQ(info.ProductVersion(), "1, 0, 1, 1");
    EXPECT_EQ(info.GetVersionText(), "Solvik:Quorlane Version 01.00 Rel 1");
    EXPECT_EQ(info.GetVersionText("Other"), "Solvik:Other Version 01.00 Rel 1");
    EXPECT_EQ(info.GetBuildText(), "Build Version : 26.12.06 No.1");
    EXPECT_EQ(info.QueryValue("NoSuchKey"), kVerInfoValueMissing);
    EXPECT_EQ(info.QueryValue("ProductName", "040904b0"), kVerInfoValueMissing);
    EXPECT_EQ(info.ProductName("041104b0"), "Solvik:Quorlane");
}

TEST(VerInfo, AFileWithoutVersionInformationGivesTheFailureTexts) {
    TempTree tree;
    const CString plain = tree.MakeFile("plain.txt", 100);
    CVerInfo info;
    EXPECT_TRUE(info.Init(plain, "041104b0"));
    EXPECT_FALSE(info.IsValid());
    EXPECT_EQ(info.GetVersionText(), kVerInfoNotInitialised);
    EXPECT_EQ(info.LegalCopyright(), kVerInfoNotInitialised);
    EXPECT_EQ(info.Comments(), kVerInfoNotInitialised);
    EXPECT_EQ(info.GetBuildText(), "Build Version : 00.00.00 No.0");
    EXPECT_FALSE(info.Init("", "041104b0"));
}

TEST(VerInfo, VersionLineGetsThePrefixOnceAndBetaForStageZero) {
    EXPECT_EQ(FormatVersionLine("Solvik:Quorlane", "1, 0, 1, 9"), "Solvik:Quorlane Version 01.00 Rel 9");
    EXPECT_EQ(FormatVersionLine("SOLVIK:x", "1, 2, 0, 3"), "SOLVIK:x Version 01.02 β 3");
    EXPECT_EQ(FormatVersionLine("Quorlane", "2"), "Solvik:Quorlane Version 02.00 β 0");
    EXPECT_EQ(FormatBuildLine("99, 9, 29, 35"), "Build Version : 99.09.29 No.35");
    EXPECT_EQ(FormatBuildLine("99, 9"), "Build Version : 99.09.00 No.0");
}

TEST(VerInfo, CommonControlsReportTheirVersionToTheAskedDepth) {
    DllVersion version{0, 0, 777, 777};
    ASSERT_TRUE(GetDllVersion("COMCTL32.DLL", 2, version));
    EXPECT_GE(version.Major, 4u);
    EXPECT_EQ(version.Build, 777u);

    DllVersion untouched{1, 2, 3, 4};
    EXPECT_FALSE(GetDllVersion("no-such-library.dll", 4, untouched));
    EXPECT_FALSE(GetDllVersion("KERNEL32.DLL", 4, untouched));
    EXPECT_EQ(untouched.Major, 1u);
    EXPECT_EQ(untouched.Platform, 4u);
}
