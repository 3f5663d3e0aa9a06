#include "TrayIconColour.h"
#include "app/TrayModeIcon.h"
#include "engine/ModeModel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(TrayModeIcon, IndexFollowsTheModeAndItsExceptions)
{
    struct Case {
        bool overclocked;
        int level;
        bool pending;
        int autoGear;
        int index;
    };
    const Case cases[] = {
        {false, GearLevel::Turbo, false, 1, 0},
        {false, GearLevel::HighPerformance, false, 1, 1},
        {false, GearLevel::MediumSaving, false, 1, 2},
        {false, GearLevel::MaxSaving, false, 1, 3},
        {false, GearLevel::Unknown, false, 3, 1},
        {false, 7, false, 3, 1},
        {false, -1, false, 3, 1},
        // Overclocking wins over every mode.
        {true, GearLevel::MaxSaving, false, 1, 0},
        {true, GearLevel::Auto, false, 3, 0},
        // Auto shows the saving mode it runs at, clamped to the four icons...
        {false, GearLevel::Auto, false, 0, 0},
        {false, GearLevel::Auto, false, 2, 2},
        {false, GearLevel::Auto, false, 3, 3},
        {false, GearLevel::Auto, false, 9, 3},
        {false, GearLevel::Auto, false, -4, 0},
        // ...but not before the start-up restore has run.
        {false, GearLevel::Auto, true, 3, 1},
        // Only Auto cares about the pending restore.
        {false, GearLevel::Turbo, true, 3, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrayIconIndex(c.overclocked, c.level, c.pending, c.autoGear), c.index)
            << "overclocked " << c.overclocked << " level " << c.level << " pending " << c.pending << " gear "
            << c.autoGear;
}

TEST(TrayModeIcon, ShippedFilesShowTheirModeAtTheTraySize)
{
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    RGBQUAD average[kTrayIconCount];
    for (int index = 0; index < kTrayIconCount; ++index) {
        TIconHandle icon = LoadTrayIconFile(TrayIconFolder(), index);
        ASSERT_TRUE(icon) << TrayIconFolder() << TrayIconFileName(index) << " did not load";
        const IconPicture picture = ReadIcon(icon.Get());
        EXPECT_EQ(picture.width, cx);
        EXPECT_EQ(picture.height, cy);
        // Rounded corners stay see-through.
        const RGBQUAD corner = picture.pixels.front();
        EXPECT_EQ(corner.rgbRed | corner.rgbGreen | corner.rgbBlue, 0) << "index " << index;
        average[index] = picture.Average();
    }
    EXPECT_GT(average[0].rgbRed, average[0].rgbGreen * 3 / 2) << "Turbo is red";
    EXPECT_GT(average[1].rgbRed, average[1].rgbGreen);
    EXPECT_GT(average[1].rgbGreen, average[1].rgbBlue) << "High Performance is amber";
    EXPECT_GT(average[2].rgbGreen, average[2].rgbRed);
    EXPECT_GT(average[2].rgbRed, average[2].rgbBlue) << "Medium saving is lime";
    EXPECT_GT(average[3].rgbGreen, average[3].rgbRed * 3 / 2);
    EXPECT_GT(average[3].rgbBlue, average[3].rgbRed) << "Max saving is green";
}

TEST(TrayModeIcon, MissingOrBrokenFileFallsBackToTheBuiltInPicture)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "pellix-tray-icons\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + "2.ico").c_str());

    EXPECT_FALSE(LoadTrayIconFile(folder, 2)) << "no file, no icon";
    TIconHandle shipped = LoadTrayIconFile(TrayIconFolder(), 2);
    ASSERT_TRUE(shipped);
    TIconHandle fallback = LoadTrayIcon(folder, 2);
    ASSERT_TRUE(fallback);
    EXPECT_TRUE(ReadIcon(fallback.Get()) == ReadIcon(shipped.Get())) << "the built-in copy shows the same mode";

    // A file that is no icon at all.
    FILE* broken = std::fopen((folder + "0.ico").c_str(), "wb");
    ASSERT_NE(broken, nullptr);
    std::fputs("not an icon", broken);
    std::fclose(broken);
    EXPECT_FALSE(LoadTrayIconFile(folder, 0));
    TIconHandle turbo = LoadTrayIcon(folder, 0);
    ASSERT_TRUE(turbo);
    EXPECT_TRUE(ReadIcon(turbo.Get()) == ReadIcon(LoadTrayIconFile(TrayIconFolder(), 0).Get()));
    DeleteFileA((folder + "0.ico").c_str());
    RemoveDirectoryA(folder.c_str());
}
