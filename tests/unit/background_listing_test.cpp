// Listing off the window's thread against the fake, whose runner does the
// work at once: what the user does while the fake folder is being listed
// runs between two of its entries, as it would between two batches.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "extract/extraction.h"
#include "harness.h"

namespace quillory::testing {
namespace {

using Names = std::vector<std::string>;
using Ticks = std::vector<bool>;
constexpr const char* kFolder = "D:\\Photos";
constexpr const char* kOther = "E:\\Other";

Names Numbered(const std::string& stem, int count) {
    Names names;
    for (int i = 0; i < count; ++i) names.push_back(stem + std::to_string(i) + ".jpg");
    return names;
}

class BackgroundListing : public ::testing::Test {
protected:
    BackgroundListing() {
        h.services.AddFolder(std::string(kProgramFolder) + "\\PLXE");  // the settings file can be written
        h.services.WhileListing([this](const std::string& folder, const FoundEntry& entry) {
            int& yielded = yielded_[folder];
            if (entry.name == "." || entry.name == "..") {
                yielded = 0;
                return;
            }
            for (auto step = steps_.begin(); step != steps_.end(); ++step) {
                if (step->folder != folder || step->files != yielded) continue;
                const std::function<void()> run = std::move(step->run);
                steps_.erase(step);
                run();
                break;
            }
            ++yielded;
        });
    }

    void MakeFolder(const std::string& folder, const Names& names) {
        h.services.AddFolder(folder);
        for (const std::string& name : names) h.services.AddFile(folder + "\\" + name);
    }

    // `run` acts when the next listing of `folder` has yielded this many
    // files, before the one after.
    void During(const std::string& folder, int files, std::function<void()> run) {
        steps_.push_back({folder, files, std::move(run)});
    }
    // Files the last listing of the folder yielded.
    int Yielded(const std::string& folder) { return yielded_[folder]; }

    Harness h;

private:
    struct Step {
        std::string folder;
        int files;
        std::function<void()> run;
    };
    std::vector<Step> steps_;
    std::map<std::string, int> yielded_;
};

TEST_F(BackgroundListing, NamesArriveInBatchesTheFirstSoonWhileTheSignCountsThem) {
    const Names names = Numbered("IMG_", 3000);
    MakeFolder(kFolder, names);
    std::vector<int> shownWhileListing;
    std::vector<std::int64_t> counted;
    h.services.WhileListing([&](const std::string&, const FoundEntry&) {
        shownWhileListing.push_back(h.ui.fileList.ListCount());
        counted.push_back(h.window.listedSoFar.value_or(-1));
    });
    h.ui.folders.SetCurrentFolder(kFolder);

    EXPECT_EQ(h.ListedNames(), names);
    EXPECT_EQ(h.Ticks(), Ticks(names.size(), true));
    EXPECT_EQ(h.TabledNames(), Names(names.begin(), names.begin() + 200));
    EXPECT_EQ(h.globals.listedFileCount, 3000);
    EXPECT_FALSE(h.window.listedSoFar.has_value()) << "the sign goes with the listing";
    // Before the 300th file the first batch was shown; the list grew in
    // steps of at most a few thousand names, and the sign counted along.
    EXPECT_EQ(shownWhileListing[2], 0);
    EXPECT_GT(shownWhileListing[300], 0);
    for (std::size_t i = 1; i < shownWhileListing.size(); ++i) {
        EXPECT_LE(shownWhileListing[i] - shownWhileListing[i - 1], 4096);
        EXPECT_EQ(counted[i], shownWhileListing[i]);
    }
    EXPECT_LT(shownWhileListing.back(), 3000);
}

// A slow folder, each name read after `pace` on the listing's clock: news
// comes within 100 ms of the last whatever the pace, so the first names show
// long before a batch could fill; a held order counts along the same way.
TEST_F(BackgroundListing, NewsOfASlowFolderGoesEveryTenthOfASecond) {
    using std::chrono::milliseconds;
    const struct {
        milliseconds pace;
        ListOrder order;
    } folders[] = {{milliseconds(3), ListOrder::FileSystem},
                   {milliseconds(7), ListOrder::FileSystem},
                   {milliseconds(150), ListOrder::FileSystem},
                   {milliseconds(7), ListOrder::Name}};
    const Names names = Numbered("IMG_", 300);
    MakeFolder(kFolder, names);
    for (const auto& folder : folders) {
        SCOPED_TRACE(folder.pace.count());
        std::chrono::steady_clock::time_point now{};
        std::optional<std::chrono::steady_clock::time_point> firstRead;
        h.services.WhileListing([&](const std::string&, const FoundEntry& entry) {
            now += folder.pace;
            if (entry.name != "." && entry.name != ".." && !firstRead) firstRead = now;
        });
        ListingMailbox mailbox;
        std::vector<std::chrono::steady_clock::time_point> sent;
        Names arrived;
        RunListing(
            h.services, h.services, {kFolder, {folder.order, false, false}, std::nullopt}, {}, mailbox,
            [&] {
                sent.push_back(now);
                for (const ListingNews& news : mailbox.Take()) {
                    for (int i = 0; i < news.names.Count(); ++i) arrived.emplace_back(news.names.Name(i));
                }
            },
            [&] { return now; });

        EXPECT_EQ(arrived, names);
        ASSERT_TRUE(firstRead);
        EXPECT_LE(sent.front() - *firstRead, milliseconds(250));
        for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_LE(sent[i] - sent[i - 1], milliseconds(100) + folder.pace);
    }
}

TEST_F(BackgroundListing, AnotherFolderChosenMidwayStopsTheListingAndNoneOfItsNamesAppears) {
    MakeFolder(kFolder, Numbered("old_", 2000));
    MakeFolder(kOther, {"new_1.txt", "new_2.txt"});
    During(kFolder, 600, [&] { h.ui.folders.SetCurrentFolder(kOther); });
    h.ui.folders.SetCurrentFolder(kFolder);

    EXPECT_EQ(h.ListedNames(), (Names{"new_1.txt", "new_2.txt"}));
    EXPECT_EQ(h.TabledNames(), h.ListedNames());
    EXPECT_EQ(h.globals.listedFileCount, 2);
    EXPECT_EQ(h.ui.folders.subfolders, Names{});
    EXPECT_EQ(Yielded(kFolder), 601) << "the old listing went no further than the file at hand";
}

TEST_F(BackgroundListing, SelectionCommandsDuringAFirstListingHoldForTheNamesStillToCome) {
    const Names names = Numbered("f", 1500);
    MakeFolder(kFolder, names);
    During(kFolder, 700, [&] {
        h.Click(ControlId::按钮全部选);
        h.UserTick(3, true);
    });
    During(kFolder, 1100, [&] { h.Click(ControlId::按钮反选); });
    h.ui.folders.SetCurrentFolder(kFolder);

    // Select none and invert act on every name, listed or still to come; the
    // tick the user set between them stays as set, and is flipped by invert.
    Ticks expected(names.size(), true);
    expected[3] = false;
    EXPECT_EQ(h.Ticks(), expected);
    EXPECT_EQ(h.TabledNames().front(), "f0.jpg");

    During(kFolder, 10, [&] { h.Click(ControlId::按钮全部选); });
    h.ui.folders.SetCurrentFolder(kFolder);
    EXPECT_EQ(h.Ticks(), Ticks(names.size(), false));
    EXPECT_TRUE(h.TabledNames().empty());
}

TEST_F(BackgroundListing, CopyAndExtractionDuringAListingWaitForItsEndAndActAsAtTheClick) {
    h.services.AddFolder(kStorageFolder);
    h.services.AddFile(kDayFile);
    h.ui.storageLabel.SetText(kStorageFolder);
    MakeFolder(kFolder, Numbered("p", 1000));
    During(kFolder, 400, [&] {
        h.UserTick(0, false);
        h.Choose(Command::ForwardOrder);
        h.ui.blankLines.SetText("2");
        h.Click(ControlId::按钮提取文件名);
        h.Fire(ControlId::选择列表框文件列表, Event::CopyKey);
        EXPECT_EQ(h.services.FileBytes(kDayFile), "") << "nothing written before the listing's end";
        // After the click: other count and order, everything unticked, a second click.
        h.ui.blankLines.SetText("5");
        h.Choose(Command::ReverseOrder);
        h.Click(ControlId::按钮全部选);
        h.Click(ControlId::按钮提取文件名);
    });
    h.ui.folders.SetCurrentFolder(kFolder);

    std::string expected;
    for (int i = 1; i <= 200; ++i) expected += "\r\n\r\np" + std::to_string(i) + ".jpg\r\n";
    EXPECT_EQ(h.services.FileBytes(kDayFile), expected) << "once, as the click found the window";
    EXPECT_EQ(h.services.ClipboardText(), "") << "Ctrl+C copies the ticks at the listing's end: none";
    const std::string told = std::string("提取成功，所在目录为:") + kDayFile + "\n共勾选了 999 个名称，";
    EXPECT_EQ(h.services.Messages().back().text.rfind(told, 0), 0u) << h.services.Messages().back().text;
}

TEST_F(BackgroundListing, AWaitingExtractionIsDroppedAndToldWhenAnotherFolderIsChosenOrTheListingFails) {
    h.services.AddFolder(kStorageFolder);
    h.services.AddFile(kDayFile);
    h.ui.storageLabel.SetText(kStorageFolder);
    MakeFolder(kFolder, Numbered("p", 300));
    MakeFolder(kOther, {"x.txt"});
    During(kFolder, 50, [&] {
        h.Click(ControlId::按钮提取文件名);
        h.ui.folders.SetCurrentFolder(kOther);
    });
    h.ui.folders.SetCurrentFolder(kFolder);
    EXPECT_EQ(h.ListedNames(), Names{"x.txt"});
    EXPECT_EQ(h.services.FileBytes(kDayFile), "");
    ASSERT_EQ(h.services.Messages().size(), 1u);
    EXPECT_EQ(h.services.Messages()[0].text, kExtractionAbandonedMessage);

    // A listing that fails part way keeps what it listed, tells why, and
    // the extraction waiting for it writes nothing.
    h.services.MakeUnreadable(kOther, {false, 64, "指定的网络名不再可用。"}, true);
    During(kOther, 0, [&] { h.Click(ControlId::按钮提取文件名); });
    h.ui.folders.SetCurrentFolder(kOther);
    EXPECT_EQ(h.ListedNames(), Names{"x.txt"});
    EXPECT_EQ(h.services.FileBytes(kDayFile), "");
    ASSERT_EQ(h.services.Messages().size(), 3u);
    EXPECT_EQ(h.services.Messages()[1].kind, fake::MessageKind::Warning);
    EXPECT_EQ(h.services.Messages()[2].text, kExtractionOfPartListMessage);
}

TEST_F(BackgroundListing, AReListKeepsTheShownListUntilItIsWholeAndTheUsersTicksMeanwhile) {
    MakeFolder(kFolder, {"a", "b", "c", "d"});
    h.ui.folders.SetCurrentFolder(kFolder);
    h.UserTick(1, false);
    h.ui.fileList.SetCurrentIndex(2);
    h.services.RemoveFile(std::string(kFolder) + "\\a");
    h.services.AddFile(std::string(kFolder) + "\\e");
    During(kFolder, 2, [&] {
        EXPECT_EQ(h.ListedNames(), (Names{"a", "b", "c", "d"})) << "whole and usable meanwhile";
        h.UserTick(1, true);   // b
        h.UserTick(3, false);  // d
        h.Click(ControlId::按钮反选);
    });
    h.Choose(Command::Relist);

    EXPECT_EQ(h.ListedNames(), (Names{"b", "c", "d", "e"}));
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(false, false, true, false)) << "e came after invert";
    EXPECT_EQ(h.ui.fileList.ListCurrentIndex(), 1) << "c stays current";
    EXPECT_EQ(h.TabledNames(), Names{"d"});
}

TEST_F(BackgroundListing, ATreeIsListedAsAFolderIsAndDroppedAtOnceInsideASubfolder) {
    const std::string below = std::string(kFolder) + "\\a";
    MakeFolder(kFolder, {"top.jpg"});
    MakeFolder(below, Numbered("a", 1000));
    MakeFolder(below + "\\b", Numbered("b", 10));
    MakeFolder(kOther, {"x.txt"});
    h.Choose(Command::IncludeSubfolders);
    int shownMidway = -1;
    std::optional<std::int64_t> countedMidway;
    During(below, 500, [&] {
        shownMidway = h.ui.fileList.ListCount();
        countedMidway = h.window.listedSoFar;
        h.Click(ControlId::按钮全部选);
        h.UserTick(0, true);
        h.services.AnswerText("b*");
        h.Choose(Command::TickByPattern);
    });
    h.ui.folders.SetCurrentFolder(kFolder);

    // In the file system's order, batch by batch while the walk goes, the
    // sign counting them; select none holds for the names still to come,
    // the pattern ticks once every name is there.
    Names expected{"top.jpg"};
    for (const std::string& name : Numbered("a", 1000)) expected.push_back("a\\" + name);
    for (const std::string& name : Numbered("b", 10)) expected.push_back("a\\b\\" + name);
    EXPECT_EQ(h.ListedNames(), expected);
    EXPECT_GT(shownMidway, 0);
    EXPECT_EQ(countedMidway, shownMidway);
    Ticks ticks(expected.size(), false);
    ticks[0] = true;
    std::fill(ticks.end() - 10, ticks.end(), true);
    EXPECT_EQ(h.Ticks(), ticks);
    EXPECT_EQ(h.ui.folders.subfolders, Names{"a"}) << "the shown folder's own alone";
    EXPECT_EQ(h.window.followed, std::make_pair(std::string(kFolder), true)) << "the whole tree watched";

    // Another folder chosen in the middle of a subfolder: not one more name of
    // it is looked at, and no folder below it is listed.
    During(below, 600, [&] { h.ui.folders.SetCurrentFolder(kOther); });
    const std::size_t calls = h.services.Calls().size();
    h.ui.folders.SetCurrentFolder(kFolder);
    EXPECT_EQ(h.ListedNames(), Names{"x.txt"});
    EXPECT_EQ(Yielded(below), 601);
    const std::vector<std::string> since(h.services.Calls().begin() + calls, h.services.Calls().end());
    EXPECT_EQ(std::count(since.begin(), since.end(), "FindFiles " + below + "\\b"), 0);

    // In name order the walk's names are sorted off the window's thread and
    // come all at once.
    h.Choose(Command::OrderName);
    During(below + "\\b", 5, [&] { shownMidway = h.ui.fileList.ListCount(); });
    h.ui.folders.SetCurrentFolder(kFolder);
    EXPECT_EQ(shownMidway, 0);
    EXPECT_EQ(h.ListedNames().front(), "a\\a0.jpg");
    EXPECT_EQ(h.ListedNames()[2], "a\\a2.jpg");
    EXPECT_EQ(h.ListedNames().back(), "top.jpg");
}

TEST_F(BackgroundListing, CopyingAsksTheDiskOffTheWindowsThreadAndOnlyTheLastCopyReachesTheClipboard) {
    MakeFolder(kFolder, {"a.txt"});
    h.services.AddFile(std::string(kFolder) + "\\b.txt", "123");
    h.services.SetModified(std::string(kFolder) + "\\b.txt", 133'000'000'000'000'000ULL);
    h.ui.folders.SetCurrentFolder(kFolder);
    h.Choose(Command::NameFormDetails);
    h.runner.holdWork = true;
    h.Fire(ControlId::选择列表框文件列表, Event::CopyKey);
    h.UserTick(0, false);
    h.Fire(ControlId::选择列表框文件列表, Event::CopyKey);
    ASSERT_EQ(h.runner.held.size(), 2u);
    EXPECT_TRUE(h.actions.Working());
    EXPECT_EQ(h.services.ClipboardText(), "");

    h.runner.held[1]();
    EXPECT_EQ(h.services.ClipboardText(), "b.txt\t3\t2022-06-18 04:26:40");
    EXPECT_FALSE(h.actions.Working());
    h.runner.held[0]();
    EXPECT_EQ(h.services.ClipboardText(), "b.txt\t3\t2022-06-18 04:26:40") << "the copy dropped puts nothing";
}

class LiveChanges : public BackgroundListing {
protected:
    void Changed(std::vector<NameChange> changes, bool lost = false) {
        h.actions.FolderChanged({std::move(changes), lost});
    }
    static NameChange Came(const std::string& name, bool folder = false) {
        return {{}, FoundEntry{name, folder, false, false, 0}};
    }
    static NameChange Went(const std::string& name) { return {name, std::nullopt}; }
    static NameChange Renamed(const std::string& from, const std::string& to, bool folder = false) {
        return {from, FoundEntry{to, folder, false, false, 0}};
    }
    // A change below the shown folder, through these folders.
    static NameChange Through(std::vector<FoundEntry> way, NameChange change) {
        change.way = std::move(way);
        return change;
    }
    static FoundEntry Folder(const std::string& name, bool hidden = false, bool link = false) {
        return {name, true, hidden, false, link, 0};
    }
    // A tree on the fake disk, listed with its subfolders.
    void ShowTree(const Names& files) {
        for (const std::string& file : files) h.services.AddFile(std::string(kFolder) + "\\" + file);
        h.Choose(Command::IncludeSubfolders);
        h.ui.folders.SetCurrentFolder(kFolder);
    }
};

TEST_F(LiveChanges, EachChangeIsAppliedWhereItFallsWithoutListingAgain) {
    MakeFolder(kFolder, {"f1", "f3", "f10", "f20"});
    h.services.AddFolder(std::string(kFolder) + "\\sub");
    h.Choose(Command::OrderName);
    h.ui.folders.SetCurrentFolder(kFolder);
    h.UserTick(2, false);  // f10
    h.ui.fileList.SetCurrentIndex(3);
    const int listings = h.services.FindFilesCalls();

    Changed({Came("f2"), Came("f3"), Went("f1"), Renamed("f10", "f15"), Came("new", true), Renamed("sub", "子目录", true),
             Came("f30"), Went("f30"), {{}, std::nullopt}});
    EXPECT_EQ(h.services.FindFilesCalls(), listings);
    EXPECT_EQ(h.ListedNames(), (Names{"f2", "f3", "f15", "f20"})) << "in natural order, f3 not doubled";
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(true, true, false, true)) << "f15 keeps f10's tick";
    EXPECT_EQ(h.ui.fileList.ListCurrentIndex(), 3);
    EXPECT_EQ(h.ui.folders.subfolders, (Names{"new", "子目录"}));
    EXPECT_EQ(h.TabledNames(), (Names{"f2", "f3", "f20"}));
    EXPECT_EQ(h.globals.listedFileCount, 4);

    // In the file system's order a new name goes last and a renamed one stays.
    h.Choose(Command::OrderFileSystem);
    const Names before = h.ListedNames();
    Changed({Renamed(before[0], "renamed"), Came("last")});
    EXPECT_EQ(h.ListedNames(), (Names{"renamed", before[1], before[2], before[3], "last"}));
}

TEST_F(LiveChanges, ChangesDuringAListingWaitForItsEndAndLostOnesListAgain) {
    MakeFolder(kFolder, Numbered("n", 500));
    During(kFolder, 100, [&] {
        Changed({Came("n499.jpg"), Came("late.txt"), Went("n0.jpg")});
        EXPECT_EQ(h.ui.fileList.ListCount(), 0) << "nothing applied to a list still growing";
    });
    h.ui.folders.SetCurrentFolder(kFolder);
    EXPECT_EQ(h.ui.fileList.ListCount(), 500);
    EXPECT_EQ(h.ListedNames().front(), "n1.jpg");
    EXPECT_EQ(h.ListedNames().back(), "late.txt");

    const int listings = h.services.FindFilesCalls();
    h.services.AddFile(std::string(kFolder) + "\\unreported.txt");
    Changed({Came("reported.txt")}, true);
    EXPECT_EQ(h.services.FindFilesCalls(), listings + 1);
    EXPECT_EQ(h.ListedNames().back(), "unreported.txt");
    EXPECT_TRUE(h.ui.fileList.ListIsChecked(h.ui.fileList.ListCount() - 1));
}

TEST_F(LiveChanges, BelowTheShownFolderFilesAreAppliedByTheirPathsAndFoldersListTheTreeAgain) {
    const std::string top = std::string(kFolder) + "\\";
    ShowTree({"a.txt", "sub\\b.txt", "sub\\deep\\c.txt"});
    h.services.AddFolder(top + ".h", true);
    ASSERT_EQ(h.ListedNames(), (Names{"a.txt", "sub\\b.txt", "sub\\deep\\c.txt"}));
    h.UserTick(2, false);
    const FoundEntry sub = Folder("sub"), deep = Folder("deep"), hidden = Folder(".h", true);
    h.services.RemoveFile(top + "sub\\b.txt");
    h.services.RemoveFile(top + "sub\\deep\\c.txt");
    for (const char* made : {"sub\\deep\\c2.txt", "sub\\deep\\new.txt", ".h\\h.txt"}) h.services.AddFile(top + made);
    h.services.AddFolder(top + ".h\\新");
    int listings = h.services.FindFilesCalls();

    // Files in folders the walk does not enter, and folders there, are left out.
    Changed({Through({sub, deep}, Came("sub\\deep\\new.txt")), Went("sub\\b.txt"),
             Through({sub, deep}, Renamed("sub\\deep\\c.txt", "sub\\deep\\c2.txt")),
             Through({hidden}, Came(".h\\h.txt")), Through({hidden}, Came(".h\\新", true)),
             Through({sub, Folder("链接", false, true)}, Came("sub\\链接\\l.txt")), Went(".h\\gone.txt")});
    EXPECT_EQ(h.services.FindFilesCalls(), listings);
    EXPECT_EQ(h.ListedNames(), (Names{"a.txt", "sub\\deep\\c2.txt", "sub\\deep\\new.txt"}));
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(true, false, true));
    EXPECT_EQ(h.ui.folders.subfolders, Names{"sub"});

    // A folder that came below brings files the system did not report.
    h.services.AddFile(top + "sub\\搬来\\d.txt");
    Changed({Through({sub}, Came("sub\\搬来", true))});
    EXPECT_GT(h.services.FindFilesCalls(), listings);
    EXPECT_EQ(h.ListedNames(), (Names{"a.txt", "sub\\deep\\c2.txt", "sub\\deep\\new.txt", "sub\\搬来\\d.txt"}));
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(true, false, true, true)) << "ticks kept by name";
    EXPECT_EQ(h.ui.folders.subfolders, Names{"sub"}) << "a folder deeper down is never one of its rows";

    // One moved away takes its files along unreported; one deleted after its
    // files needs no listing again.
    h.services.RemoveFolder(top + "sub\\搬来");
    Changed({Went("sub\\搬来")});
    EXPECT_EQ(h.ListedNames(), (Names{"a.txt", "sub\\deep\\c2.txt", "sub\\deep\\new.txt"}));
    listings = h.services.FindFilesCalls();
    h.services.RemoveFolder(top + "sub\\deep");
    Changed({Went("sub\\deep\\c2.txt"), Went("sub\\deep\\new.txt"), Went("sub\\deep")});
    EXPECT_EQ(h.services.FindFilesCalls(), listings);
    EXPECT_EQ(h.ListedNames(), Names{"a.txt"});

    h.Choose(Command::IncludeSubfolders);
    EXPECT_EQ(h.window.followed, std::make_pair(std::string(kFolder), false)) << "the watch follows the option";
}

TEST_F(LiveChanges, UnreadableSubfoldersAreToldAfterTheUsersListingsAndAfterTheLiveListsOwnOnlyWhenTheyChanged) {
    const std::string top = std::string(kFolder) + "\\";
    h.services.MakeUnreadable(top + "locked", {false, 5, "拒绝访问。"});
    ShowTree({"a.txt", "locked\\l.txt"});
    const auto told = [&] { return h.services.Messages().size(); };
    ASSERT_EQ(told(), 1u);
    EXPECT_EQ(h.services.Messages()[0].kind, fake::MessageKind::Warning);

    Changed({}, true);
    h.services.AddFolder(top + "new");
    Changed({Came("new", true)});
    EXPECT_EQ(told(), 1u) << "listed again on its own, the same failure";
    h.Choose(Command::Relist);
    EXPECT_EQ(told(), 2u) << "F5 is the user's";

    h.services.MakeUnreadable(top + "locked2", {false, 5, "拒绝访问。"});
    h.services.AddFile(top + "locked2\\m.txt");
    Changed({Came("locked2", true)});
    ASSERT_EQ(told(), 3u);
    EXPECT_EQ(h.services.Messages().back().text.rfind("有 2 个子文件夹无法读取", 0), 0u);
    EXPECT_EQ(h.ListedNames(), Names{"a.txt"});
}

}  // namespace
}  // namespace quillory::testing
