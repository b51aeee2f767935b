#include <gtest/gtest.h>

#include <utility>

#include "extract/extraction_undo.h"
#include "harness.h"
#include "platform/block_place.h"

namespace quillory::testing {
namespace {

TEST(BlockPlace, TheBlockIsTakenBackOnlyFromTheVeryStart) {
    const std::string block = "\r\nb.txt\r\n\r\na.txt\r\n";
    const struct {
        const char* what;
        std::string content;
        BlockPlace place;
    } cases[] = {
        {"just written", block + "older\r\n", BlockPlace::AtStart},
        {"the whole file", block, BlockPlace::AtStart},
        {"another block in front", "\r\nc.txt\r\n" + block + "older\r\n", BlockPlace::FurtherDown},
        {"a name edited", "\r\nb.txt\r\n\r\nA.txt\r\nolder\r\n", BlockPlace::Gone},
        {"cut short", block.substr(0, block.size() - 1), BlockPlace::Gone},
        {"a line put in the middle", "\r\nb.txt\r\nnew\r\n\r\na.txt\r\n", BlockPlace::Gone},
        {"emptied", "", BlockPlace::Gone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceOfBlock(c.content, block), c.place);
    }
    EXPECT_EQ(PlaceOfBlock("older\r\n", ""), BlockPlace::Gone) << "nothing to take back";
}

// A UTF-8 day's file (the fake writes every file's block in UTF-8) and a listed folder.
struct Listed {
    Listed() {
        h.services.AddFolder(kStorageFolder);
        h.services.AddFile(kDayFile, "\xEF\xBB\xBF" "older\r\n");
        h.ui.storageLabel.SetText(kStorageFolder);
        h.OpenFolderWith("D:\\Photos", {"a.txt", "b.txt"});
    }
    bool Offered() { return h.window.enabled[MenuItem::UndoExtraction]; }
    std::string LastMessage() const { return h.services.Messages().back().text; }

    Harness h;
};

TEST(Undo, TheLastBlockIsTakenBackWhileTheFileBeginsWithItAndOnItsDay) {
    Listed listed;
    Harness& h = listed.h;
    EXPECT_FALSE(listed.Offered());
    h.Click(ControlId::按钮提取文件名);
    h.Click(ControlId::按钮提取文件名);
    const std::string afterFirst = "\xEF\xBB\xBF" "\r\nb.txt\r\n\r\na.txt\r\nolder\r\n";
    EXPECT_TRUE(listed.Offered());
    h.Choose(Command::UndoExtraction);
    EXPECT_EQ(h.services.FileBytes(kDayFile), afterFirst) << "only the last block";
    EXPECT_EQ(listed.LastMessage(), "已撤销上次提取：2 个名称");
    EXPECT_FALSE(listed.Offered()) << "one level";

    h.Click(ControlId::按钮提取文件名);
    h.services.SetToday("2026-12-09");
    Dispatch(h.actions, SourceId(Source::MainWindow), Event::MenuOpening);
    EXPECT_FALSE(listed.Offered()) << "another day";
    h.Choose(Command::UndoExtraction);
    EXPECT_NE(h.services.FileBytes(kDayFile), afterFirst);
}

// The write and the undo take turns at the day's file: no undo while a
// write runs, no second undo while one runs, and a block asked for during
// an undo goes in after it and is the next to take back.
TEST(Undo, TakesTurnsWithTheWrite) {
    Listed listed;
    Harness& h = listed.h;
    const auto day = [&] { return h.services.FileBytes(kDayFile); };
    const auto menuOpens = [&] { Dispatch(h.actions, SourceId(Source::MainWindow), Event::MenuOpening); };
    const auto runHeld = [&] {
        h.runner.holdWork = false;
        ASSERT_EQ(h.runner.held.size(), 1u);
        std::exchange(h.runner.held, {}).front()();
    };
    h.Click(ControlId::按钮提取文件名);
    const std::string afterFirst = day();

    h.runner.holdWork = true;
    h.Click(ControlId::按钮提取文件名);
    menuOpens();
    EXPECT_FALSE(listed.Offered()) << "while a write runs";
    h.Choose(Command::UndoExtraction);
    runHeld();
    EXPECT_EQ(day(), "\xEF\xBB\xBF" "\r\nb.txt\r\n\r\na.txt\r\n" + afterFirst.substr(3));
    EXPECT_TRUE(listed.Offered());

    h.runner.holdWork = true;
    h.Choose(Command::UndoExtraction);
    h.runner.holdWork = false;
    EXPECT_FALSE(listed.Offered()) << "while it runs";
    h.Choose(Command::UndoExtraction);
    h.OpenFolderWith("E:\\New", {"c.txt"});
    h.Click(ControlId::按钮提取文件名);
    EXPECT_TRUE(h.actions.Working());
    runHeld();
    EXPECT_EQ(day(), "\xEF\xBB\xBF" "\r\nc.txt\r\n" + afterFirst.substr(3));
    ASSERT_EQ(h.services.Messages().size(), 4u);
    EXPECT_EQ(h.services.Messages()[2].text, "已撤销上次提取：2 个名称");

    h.Choose(Command::UndoExtraction);
    EXPECT_EQ(day(), afterFirst);
}

}  // namespace
}  // namespace quillory::testing
