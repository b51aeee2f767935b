#include <gtest/gtest.h>

#include <set>

#include "app/event_table.h"
#include "app/layout.h"

namespace quillory {
namespace {

void ExpectBound(std::span<const MenuItemRow> items) {
    for (const MenuItemRow& item : items) {
        if (item.command == Command::Separator) continue;
        if (!item.submenu.empty()) {
            ExpectBound(item.submenu);
            continue;
        }
        bool bound = false;
        for (const EventBinding& binding : EventTable()) {
            bound |= binding.source == SourceId(item.command) && binding.event == Event::Chosen;
        }
        EXPECT_TRUE(bound) << item.caption;
    }
}

TEST(EventTable, EveryMenuItemIsBoundToAnAction) {
    for (const MenuRow& menu : MenuBar()) ExpectBound(menu.items);
}

using Action = void (Actions::*)();

Action ActionOf(int source, Event event) {
    for (const EventBinding& binding : EventTable()) {
        if (binding.source == source && binding.event == event) return binding.action;
    }
    return nullptr;
}

TEST(EventTable, MenuItemsRunTheSameActionAsTheirButtons) {
    const std::pair<ControlId, Command> pairs[] = {{ControlId::按钮全选, Command::SelectAll},
                                                   {ControlId::按钮全部选, Command::SelectNone},
                                                   {ControlId::按钮反选, Command::Invert},
                                                   {ControlId::按钮提取文件名, Command::Extract},
                                                   {ControlId::按钮默认设置, Command::DefaultSettings}};
    for (const auto& [button, command] : pairs) {
        EXPECT_TRUE(ActionOf(SourceId(button), Event::Clicked) != nullptr);
        EXPECT_TRUE(ActionOf(SourceId(button), Event::Clicked) == ActionOf(SourceId(command), Event::Chosen));
    }
}

TEST(EventTable, CtrlAInTheCheckListSelectsAllAsTheButtonAndTheMenuItemDo) {
    const Action key = ActionOf(SourceId(ControlId::选择列表框文件列表), Event::SelectAllKey);
    EXPECT_TRUE(key != nullptr);
    EXPECT_TRUE(key == ActionOf(SourceId(ControlId::按钮全选), Event::Clicked));
    EXPECT_TRUE(key == ActionOf(SourceId(Command::SelectAll), Event::Chosen));
}

TEST(EventTable, NoEventIsBoundTwiceAndLabelsGroupBoxesAndTheEditBoxHaveNone) {
    std::set<std::pair<int, Event>> seen;
    for (const EventBinding& binding : EventTable()) {
        EXPECT_TRUE(seen.insert({binding.source, binding.event}).second) << binding.source;
        for (const ControlRow& row : ControlTable()) {
            if (SourceId(row.id) != binding.source) continue;
            EXPECT_NE(row.kind, ControlKind::Label) << row.name;
            EXPECT_NE(row.kind, ControlKind::GroupBox) << row.name;
            EXPECT_NE(row.kind, ControlKind::EditBox) << row.name;
        }
    }
}

}  // namespace
}  // namespace quillory
