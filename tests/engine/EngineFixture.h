// A headless engine on a fresh temporary tree, with beeps recorded and a fixed clock.
#pragma once

#include "HeadlessWindow.h"
#include "engine/DateTime.h"
#include "engine/JobEngine.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstring>

class EngineTest : public ::testing::Test {
protected:
    EngineTest() : engine(window) {}

    void SetUp() override { SetClockSource(FixedClock); }
    void TearDown() override { SetClockSource(nullptr); }

    // 2024/05/17 10:20:30 in Tokyo.
    static CTime FixedClock() { return CTime(1715908830); }

    // A listing record as the finder would give it.
    static WIN32_FIND_DATAA Record(const char* name, DWORD attributes, DWORD size = 0,
                                   const char* writeTime = "2001/05/06 12:00:00") {
        WIN32_FIND_DATAA record{};
        record.dwFileAttributes = attributes;
        record.nFileSizeLow = size;
        record.ftLastWriteTime = TextToFileTime(writeTime);
        std::strncpy(record.cFileName, name, sizeof record.cFileName - 1);
        return record;
    }

    // Lists the tree's root and returns the record of one entry, as the walk would hand it on.
    WIN32_FIND_DATAA Listed(const char* relative) {
        WIN32_FIND_DATAA record{};
        const HANDLE search = FindFirstFileA(tree.Path(relative), &record);
        EXPECT_NE(search, INVALID_HANDLE_VALUE) << relative;
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        return record;
    }

    HeadlessWindow window;
    JobEngine engine;
    TempTree tree;
    BeepRecorder beeps;
};
