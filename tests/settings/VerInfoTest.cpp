#include "settings/VerInfo.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

// The test program carries the same version resource as Fendrix.exe.
TEST(VerInfo, ReadsTheProgramsTextsGivesFailureTextsForOtherFilesAndFormatsVersionLines) {
    const CVerInfo own;
    EXPECT_EQ(own.GetVersionText("Other"), "Solvik:Other Version 01.00 Rel 1");
    EXPECT_EQ(own.QueryValue("NoSuchKey"), kVerInfoValueMissing);
    EXPECT_EQ(own.QueryValue("ProductName", "040904b0"), kVerInfoValueMissing);
    TempTree tree;
    CVerInfo plain;
    EXPECT_TRUE(plain.Init(tree.MakeFile("plain.txt", 100), "041104b0"));
    EXPECT_FALSE(plain.IsValid());
    EXPECT_EQ(plain.GetVersionText(), kVerInfoNotInitialised);
    EXPECT_EQ(plain.GetBuildText(), "Build Version : 00.00.00 No.0");
    // The prefix once, and β for stage 0.
    EXPECT_EQ(FormatVersionLine("SOLVIK:x", "1, 2, 0, 3"), "SOLVIK:x Version 01.02 β 3");
    EXPECT_EQ(FormatVersionLine("Quorlane", "2"), "Solvik:Quorlane Version 02.00 β 0");
    EXPECT_EQ(FormatBuildLine("99, 9, 29, 35"), "Build Version : 99.09.29 No.35");
}

TEST(VerInfo, LibraryVersionsAreCopiedToTheAskedDepthOnly) {
    DllVersion version{0, 0, 777, 777};
    ASSERT_TRUE(GetDllVersion("COMCTL32.DLL", 2, version));
    EXPECT_GE(version.Major, 4u);
    EXPECT_EQ(version.Build, 777u);
    EXPECT_FALSE(GetDllVersion("KERNEL32.DLL", 4, version));  // no DllGetVersion
}
