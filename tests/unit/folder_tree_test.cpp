// The listing of a whole tree against the fake: which folders are entered,
// the orders over relative paths, what is told of unreadable subfolders, the
// stop check, and the name forms of relative paths.
#include <gtest/gtest.h>

#include "browse/folder_listing.h"
#include "browse/name_form.h"
#include "harness.h"

namespace quillory::testing {
namespace {

using Names = std::vector<std::string>;
constexpr const char* kTop = "D:\\树";

class FolderTree : public ::testing::Test {
protected:
    // Made in this order, which is the fake's file-system order.
    FolderTree() {
        for (const char* file : {"b.txt", "x\\c.txt", "x\\w\\d.txt", "x\\w\\f10.txt", "a.txt", "y\\e.txt",
                                 "x\\w\\f2.txt"}) {
            Add(file);
        }
        services.AddFolder(Path(".git"), true);
        Add(".git\\config");
        services.AddFolder(Path("系统"), false, true);
        Add("系统\\s.txt");
        services.AddFolderLink(Path("x\\链接"), kTop, true);
        services.AddFolderLink(Path("y\\共享的链接"), std::string(kTop) + "\\x", false);
    }
    std::string Path(const std::string& relative) const { return std::string(kTop) + "\\" + relative; }
    void Add(const std::string& relative, std::uint64_t modified = 0) {
        services.AddFile(Path(relative));
        services.SetModified(Path(relative), modified);
    }
    Names List(ListingOptions options, FolderListing* listing = nullptr) {
        Names names;
        FolderListing made = ListFolder(services, services, kTop, options, [&](const std::string& name) { names.push_back(name); });
        if (listing) *listing = std::move(made);
        return names;
    }

    fake::FakeServices services;
};

TEST_F(FolderTree, FileSystemOrderListsAFoldersFilesBeforeItsSubfoldersDepthFirstAndFollowsNoLink) {
    FolderListing listing;
    EXPECT_EQ(List({ListOrder::FileSystem, false, true}, &listing),
              (Names{"b.txt", "a.txt", "x\\c.txt", "x\\w\\d.txt", "x\\w\\f10.txt", "x\\w\\f2.txt", "y\\e.txt"}));
    // The directory box gets the shown folder's own subfolders alone, links among them.
    EXPECT_EQ(listing.subfolders, (Names{"x", "y", "系统"}));
    EXPECT_TRUE(listing.outcome);
    EXPECT_EQ(listing.unreadable.count, 0);
    EXPECT_EQ(ListingFailureMessage(kTop, listing), "");

    EXPECT_EQ(List({ListOrder::FileSystem, true, true}),
              (Names{"b.txt", "a.txt", "x\\c.txt", "x\\w\\d.txt", "x\\w\\f10.txt", "x\\w\\f2.txt", "y\\e.txt",
                     ".git\\config", "系统\\s.txt"}));
    EXPECT_EQ(List({ListOrder::FileSystem, true, false}), (Names{"b.txt", "a.txt"}));
}

TEST_F(FolderTree, NameOrderSortsTheWholeRelativePathAndTimeOrderTheWholeTree) {
    EXPECT_EQ(List({ListOrder::Name, false, true}),
              (Names{"a.txt", "b.txt", "x\\c.txt", "x\\w\\d.txt", "x\\w\\f2.txt", "x\\w\\f10.txt", "y\\e.txt"}));
    Add("x\\w\\d.txt", 5);
    Add("a.txt", 9);
    Add("y\\e.txt", 1);
    EXPECT_EQ(List({ListOrder::ModificationTime, false, true}),
              (Names{"b.txt", "x\\c.txt", "x\\w\\f2.txt", "x\\w\\f10.txt", "y\\e.txt", "x\\w\\d.txt", "a.txt"}));
}

TEST_F(FolderTree, AFolderReachedTwiceIsListedOnceEvenThroughALinkNotMarkedAsOne) {
    services.AddFolderLink(Path("x\\w\\回到顶部"), kTop, false);
    const Names names = List({ListOrder::FileSystem, false, true});
    EXPECT_EQ(names, (Names{"b.txt", "a.txt", "x\\c.txt", "x\\w\\d.txt", "x\\w\\f10.txt", "x\\w\\f2.txt",
                            "y\\e.txt"}));
}

TEST_F(FolderTree, UnreadableSubfoldersAreCountedTheFirstKeptAndTheRestOfTheTreeListed) {
    services.MakeUnreadable(Path("x\\w"), {false, 5, "拒绝访问。"});
    services.MakeUnreadable(Path("y"), {false, 21, "设备未就绪。"});
    FolderListing listing;
    EXPECT_EQ(List({ListOrder::Name, false, true}, &listing), (Names{"a.txt", "b.txt", "x\\c.txt"}));
    EXPECT_TRUE(listing.outcome);
    EXPECT_EQ(listing.unreadable.count, 2);
    EXPECT_EQ(ListingFailureMessage(kTop, listing),
              "有 2 个子文件夹无法读取，其中的文件未列出。第一个是：\nD:\\树\\x\\w\n系统提示：拒绝访问。（错误代码 5）");

    services.MakeUnreadable(kTop, {false, 5, "拒绝访问。"});
    EXPECT_TRUE(List({ListOrder::Name, false, true}, &listing).empty());
    EXPECT_EQ(ListingFailureMessage(kTop, listing).rfind("无法列出文件夹中的文件：\nD:\\树\n", 0), 0u);
}

TEST_F(FolderTree, AStopEndsTheWalkAtOnceEvenInsideAFolder) {
    std::stop_source stop;
    Names names;
    FindListedFiles(
        services, kTop, {ListOrder::FileSystem, false, true},
        [&](std::string_view name, const FoundEntry&) {
            names.emplace_back(name);
            if (names.size() == 4) stop.request_stop();
        },
        stop.get_token());
    EXPECT_EQ(names, (Names{"b.txt", "a.txt", "x\\c.txt", "x\\w\\d.txt"}));
}

TEST_F(FolderTree, NameFormsOfRelativePaths) {
    Add("v1.2\\README");
    services.AddFile(Path("x\\报告.final.docx"), "12345");
    services.SetModified(Path("x\\报告.final.docx"), 133'000'000'000'000'000ULL);  // 2022-06-18 04:26:40 UTC
    const struct {
        std::string name;
        NameForm form;
        std::string formed;
    } cases[] = {
        {"x\\报告.final.docx", NameForm::Name, "x\\报告.final.docx"},
        {"x\\报告.final.docx", NameForm::Stem, "x\\报告.final"},
        {"v1.2\\README", NameForm::Stem, "v1.2\\README"},
        {"x\\.gitignore", NameForm::Stem, "x\\.gitignore"},
        {"x\\报告.final.docx", NameForm::FullPath, "D:\\树\\x\\报告.final.docx"},
        {"x\\报告.final.docx", NameForm::Details, "x\\报告.final.docx\t5\t2022-06-18 04:26:40"},
        {"x\\已删除.txt", NameForm::Details, "x\\已删除.txt\t\t"},
    };
    for (const auto& c : cases) {
        const std::string columns = c.form == NameForm::Details ? DetailsColumns(services, c.name, kTop) : "";
        EXPECT_EQ(FormedName(c.name, kTop, c.form) + columns, c.formed) << c.name;
    }
}

}  // namespace
}  // namespace quillory::testing
