// The log's text store: how texts become lines, and copies that never cut a character.
#include "ui/LogText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const LogText& text) {
    std::vector<std::string> lines;
    for (int i = 0; i < text.LineCount(); ++i) lines.emplace_back(text.LineBytes(i), static_cast<size_t>(text.LineLength(i)));
    return lines;
}

TEST(LogTextTest, EveryTextEndsItsLastLineAndEachKindOfBreakStartsANewOne) {
    struct Case {
        const char* Text;
        std::vector<std::string> Lines;
    };
    const Case cases[] = {
        {"\r\n※ 処理は中止されました。\r\n", {"", "※ 処理は中止されました。", ""}},
        {"a\nb\rc\r\n\r\nd", {"a", "b", "c", "", "d"}},
    };
    for (const Case& c : cases) {
        LogText text;
        text.Append(c.Text, RGB(1, 2, 3));
        EXPECT_EQ(Lines(text), c.Lines) << c.Text;
        EXPECT_EQ(text.LineColour(text.LineCount() - 1), RGB(1, 2, 3));
    }
}

TEST(LogTextTest, CopiesKeepCrLfAndWholeDoubleByteCharacters) {
    LogText text;
    text.Append("ab", 0);
    text.Append("表示x", RGB(0, 0, 255));
    const std::string whole = "ab\r\n表示x\r\n";
    ASSERT_EQ(text.TextLength(), whole.size());
    EXPECT_EQ(text.LineColour(0), 0u);
    EXPECT_EQ(text.LineColour(1), RGB(0, 0, 255));

    // Room (with the NUL) -> what fits: a line end goes whole, a double-byte character too.
    const std::pair<size_t, std::string> copies[] = {
        {1, ""}, {3, "ab"}, {4, "ab"}, {5, "ab\r\n"}, {6, "ab\r\n"}, {7, "ab\r\n表"}, {8, "ab\r\n表"},
        {whole.size() + 1, whole}, {whole.size() + 10, whole},
    };
    for (const auto& [room, expected] : copies) {
        std::string buffer(room, '#');
        EXPECT_EQ(text.CopyText(&buffer[0], room), expected.size()) << room;
        EXPECT_EQ(std::string(buffer.c_str()), expected) << room;
    }

    // 亜 is 88 9F, and 9F alone would be a lead byte: only a walk from the start tells.
    text.Append("亜亜", 0);
    EXPECT_EQ(text.CharacterStarts(2), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(text.CharacterStart(2, 3), 2);
}

}  // namespace
