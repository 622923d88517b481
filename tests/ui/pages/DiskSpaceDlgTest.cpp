// The disk-space dialog's rules without its window: the drive list and what each drive shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/pages/DiskSpaceDlg.h"

TEST(DriveList, RootsInTheOrderTheSystemGivesThem) {
    const char buffer[] = "C:\\\0Z:\\\0A:\\\0\0";
    EXPECT_EQ(SplitDriveStrings(buffer, sizeof(buffer) - 1),
              (std::vector<std::string>{"C:\\", "Z:\\", "A:\\"}));
    EXPECT_TRUE(SplitDriveStrings("\0", 0).empty());
}

TEST(DriveList, EveryDriveOfTheMachine) {
    char buffer[512] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof(buffer), buffer);
    const std::vector<std::string> roots = LogicalDriveRoots();
    std::string joined;
    for (const std::string& root : roots) {
        joined += root + '\0';
    }
    EXPECT_EQ(joined, std::string(buffer, length));
    EXPECT_FALSE(roots.empty());
}

TEST(DriveList, AnItemIsTheLetterAloneAndItsFreeSpaceInMegabytes) {
    EXPECT_EQ(DriveItemText("C:\\"), "C");
    EXPECT_EQ(DriveItemText("Z:\\"), "Z");
    const std::string text = FreeSpaceText("C");
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), " MB");
    EXPECT_GT(std::stoll(text), 0);
}
