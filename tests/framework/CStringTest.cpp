#include "framework/CString.h"

#include <gtest/gtest.h>

// 表 and ソ end in 0x5C, the byte of '\\', which is no separator there.
TEST(CString, SearchesAndComparisonsStepOverDoubleByteCharacters) {
    const CString path = "C:\\表\\ソ.txt";
    EXPECT_EQ(path.Find('\\', 3), 5);
    EXPECT_EQ(path.ReverseFind('\\'), 5);
    EXPECT_EQ(LastCharacterIndex(""), -1);
    EXPECT_EQ(LastCharacterIndex("a表"), 1);  // the 0x5C is a trail byte, not a character
    EXPECT_TRUE(IsCharacterStart("a表", 1));
    EXPECT_FALSE(IsCharacterStart("a表", 2));
    EXPECT_EQ(CString("ABC.TXT").CompareNoCase("abc.txt"), 0);
    // ア is 83 41; a byte-wise comparison would fold its trail byte 'A' onto the 'a' of 83 61.
    EXPECT_NE(CString("ア").CompareNoCase("\x83\x61"), 0);
}

TEST(CString, ReplaceScansLeftToRightWithoutRescanningTrimAndSlice) {
    CString text = "aaa";
    EXPECT_EQ(text.Replace("aa", "a"), 1);
    EXPECT_EQ(text, "aa");
    CString tabs = "x\ty\t";
    EXPECT_EQ(tabs.Replace("\t", "<\\x09>"), 2);
    EXPECT_EQ(tabs, "x<\\x09>y<\\x09>");
    CString spaced = " \t 表 a \r\n";
    EXPECT_EQ(spaced.Trim(), "表 a");
    EXPECT_EQ(CString("abc").Mid(5), "");
    EXPECT_EQ(CString("abc").Left(-1), "");
    EXPECT_EQ(CString("abc").Right(5), "abc");
}
