#include <gtest/gtest.h>

#include "harness.h"

namespace quillory::testing {
namespace {

// The desktop's side is tested under Wine; here, which file is handed over.
TEST(DayFileMenu, TodaysFileIsMadeWhenMissingAndOnlyAFileThatCouldBeMadeIsOpened) {
    Harness h;
    h.services.AddFolder(std::string(kProgramFolder) + "\\PLXE");
    h.Start();
    const std::string nextDay = std::string(kStorageFolder) + "\\2026-12-09.txt";
    h.services.SetToday("2026-12-09");  // a day that began after the start
    h.Choose(Command::OpenDayFile);
    EXPECT_EQ(h.services.FileBytes(nextDay), "");
    EXPECT_EQ(h.services.Calls().back(), "OpenFile " + nextDay);

    const std::string thirdDay = std::string(kStorageFolder) + "\\2026-12-10.txt";
    h.services.SetToday("2026-12-10");
    h.services.MakeUnwritable(kStorageFolder);
    h.Choose(Command::OpenDayFile);
    EXPECT_NE(h.services.Calls().back(), "OpenFile " + thirdDay);
    // Told as a failed extraction is told, with the path of the file that could not be made.
    ASSERT_FALSE(h.services.Messages().empty());
    EXPECT_EQ(h.services.Messages().back().kind, fake::MessageKind::Warning);
    EXPECT_NE(h.services.Messages().back().text.find(thirdDay), std::string::npos);
    h.Choose(Command::OpenStorageFolder);
    EXPECT_EQ(h.services.Calls().back(), "ShowInFolder " + thirdDay);
    EXPECT_FALSE(h.services.HasFile(thirdDay));
}

}  // namespace
}  // namespace quillory::testing
