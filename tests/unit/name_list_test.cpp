// The check-list's store of names: the one-pass edit that a change on disk
// makes, against the list built anew from the expected names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/name_list.h"

namespace quillory {
namespace {

struct Named {
    std::string name;
    bool ticked;
    bool operator==(const Named&) const = default;
};

NameList ListOf(const std::vector<Named>& names) {
    NameList list;
    for (const Named& each : names) list.Add(each.name, each.ticked);
    return list;
}

std::vector<Named> Contents(const NameList& list) {
    std::vector<Named> contents;
    for (int i = 0; i < list.Count(); ++i) contents.push_back({std::string(list.Name(i)), list.Ticked(i)});
    return contents;
}

TEST(NameList, AnEditRemovesAndInsertsInOnePassKeepingEveryOtherNameAndTick) {
    const std::vector<Named> before{{"a", true}, {"长名字.txt", false}, {"c", true}, {"d", false}, {"e", true}};
    struct Case {
        const char* what;
        NameEdit edit;
        std::vector<Named> after;
    };
    const Case cases[] = {
        {"removed at both ends", {{0, 4}, {}}, {{"长名字.txt", false}, {"c", true}, {"d", false}}},
        {"inserted in front, between and last",
         {{}, {{0, "0", true}, {2, "b2", false}, {2, "b3", true}, {5, "zz", true}}},
         {{"0", true}, {"a", true}, {"长名字.txt", false}, {"b2", false}, {"b3", true}, {"c", true}, {"d", false},
          {"e", true}, {"zz", true}}},
        {"a longer name in a removed one's place",
         {{1, 3}, {{1, "一个更长的名字.jpg", false}, {3, "x", true}}},
         {{"a", true}, {"一个更长的名字.jpg", false}, {"c", true}, {"x", true}, {"e", true}}},
        {"everything removed, one name put in", {{0, 1, 2, 3, 4}, {{5, "only", true}}}, {{"only", true}}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        NameList list = ListOf(before);
        list.Apply(each.edit);
        EXPECT_EQ(Contents(list), each.after);
        // Where the names that stayed stand now.
        for (int position = 0; position < static_cast<int>(before.size()); ++position) {
            const int after = PositionAfter(each.edit, position);
            if (after < 0) continue;
            EXPECT_EQ(list.Name(after), before[static_cast<std::size_t>(position)].name) << position;
        }
    }
}

TEST(NameList, EveryTickChangesAtOnceAndAppendingKeepsTheTicksOfBoth) {
    NameList list = ListOf({{"a", true}, {"b", false}});
    list.Append(ListOf({{"c", false}, {"d", true}}));
    list.SetEveryTick(EveryTick::Flip);
    EXPECT_EQ(Contents(list), (std::vector<Named>{{"a", false}, {"b", true}, {"c", true}, {"d", false}}));
    list.SetEveryTick(EveryTick::Clear);
    EXPECT_EQ(list.Ticks(), std::vector<bool>(4, false));
    list.SetEveryTick(EveryTick::Set);
    EXPECT_EQ(list.Ticks(), std::vector<bool>(4, true));
}

// Names of a few hundred thousand bytes fill the store's blocks in a few
// names each, so every edit moves names over the blocks' edges.
TEST(NameList, LongNamesStayWholeWhenEditsMoveThemOverTheStoresInnerEdges) {
    std::vector<Named> names;
    for (int i = 0; i < 12; ++i) names.push_back({std::string(300'000 + i * 7'919, static_cast<char>('a' + i)), i % 2 == 0});
    NameList list = ListOf(names);
    list.Append(ListOf({{"", true}, {"short", false}}));
    names.push_back({"", true});
    names.push_back({"short", false});
    ASSERT_EQ(Contents(list), names);

    list.Apply({{1, 13}, {{0, std::string(500'000, 'x'), false}, {7, "小", true}}});
    std::vector<Named> edited{{std::string(500'000, 'x'), false}, names[0]};
    for (int i = 2; i < 7; ++i) edited.push_back(names[static_cast<std::size_t>(i)]);
    edited.push_back({"小", true});
    for (int i = 7; i < 13; ++i) edited.push_back(names[static_cast<std::size_t>(i)]);
    EXPECT_EQ(Contents(list), edited);

    list.Apply({{0, 1, 2}, {}});
    edited.erase(edited.begin(), edited.begin() + 3);
    EXPECT_EQ(Contents(list), edited);
    list.Add("last", true);
    EXPECT_EQ(list.Name(list.Count() - 1), "last");
}

// A copy handed to a job shares the names: whatever either side then adds,
// edits or drops, the other still holds what it held.
TEST(NameList, ACopyAndItsOriginalKeepTheirOwnNamesWhateverEitherDoes) {
    std::vector<Named> names;
    for (int i = 0; i < 9; ++i) names.push_back({std::string(250'000, static_cast<char>('a' + i)), i % 3 == 0});
    NameList original = ListOf(names);
    const NameList copy = original;
    original.Add("new", true);
    original.Apply({{1, 8}, {{10, "最后", false}}});
    EXPECT_EQ(Contents(copy), names);

    NameList second = copy;
    second.Apply({{0}, {}});
    second.Add("tail", true);
    original.SetEveryTick(EveryTick::Clear);
    EXPECT_EQ(Contents(copy), names);
    EXPECT_EQ(second.Name(second.Count() - 1), "tail");
    EXPECT_EQ(second.Name(0), names[1].name);
    EXPECT_EQ(original.Name(original.Count() - 1), "最后");
    EXPECT_EQ(original.Name(original.Count() - 2), "new");
}

}  // namespace
}  // namespace quillory
