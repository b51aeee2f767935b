#include "app/event_table.h"

namespace quillory {

namespace {

constexpr EventBinding kEventTable[] = {
    {SourceId(Source::MainWindow), Event::Created, &Actions::WindowCreated},
    {SourceId(Source::MainWindow), Event::BackgroundNews, &Actions::TakeBackgroundNews},
    {SourceId(Source::MainWindow), Event::MenuOpening, &Actions::MenuOpening},
    {SourceId(ControlId::驱动器框文件名提取), Event::DriveChanged, &Actions::DriveChange},
    {SourceId(ControlId::目录框文件名提取), Event::FolderChanged, &Actions::FolderScan},
    {SourceId(ControlId::目录框文件名提取), Event::ContentChanged, &Actions::Relist},
    {SourceId(ControlId::目录框文件名提取), Event::RightButtonDown, &Actions::DirectoryContextMenu},
    {SourceId(ControlId::选择列表框文件列表), Event::ItemSelected, &Actions::ItemSelected},
    {SourceId(ControlId::选择列表框文件列表), Event::TickChanged, &Actions::TableRebuild},
    {SourceId(ControlId::选择列表框文件列表), Event::RightButtonDown, &Actions::FileListContextMenu},
    {SourceId(ControlId::选择列表框文件列表), Event::SelectAllKey, &Actions::SelectAll},
    {SourceId(ControlId::选择列表框文件列表), Event::CopyKey, &Actions::CopyTickedNames},
    {SourceId(ControlId::按钮全选), Event::Clicked, &Actions::SelectAll},
    {SourceId(ControlId::按钮全部选), Event::Clicked, &Actions::SelectNone},
    {SourceId(ControlId::按钮反选), Event::Clicked, &Actions::Invert},
    {SourceId(ControlId::单选框正序), Event::Clicked, &Actions::ForwardStep},
    {SourceId(ControlId::单选框逆序), Event::Clicked, &Actions::ReverseStep},
    {SourceId(ControlId::按钮默认设置), Event::Clicked, &Actions::DefaultSettings},
    {SourceId(ControlId::按钮提取文件名), Event::Clicked, &Actions::Extract},
    {SourceId(Command::ChooseFolder), Event::Chosen, &Actions::ChooseFolder},
    {SourceId(Command::Quit), Event::Chosen, &Actions::Quit},
    {SourceId(Command::SelectAll), Event::Chosen, &Actions::SelectAll},
    {SourceId(Command::SelectNone), Event::Chosen, &Actions::SelectNone},
    {SourceId(Command::Invert), Event::Chosen, &Actions::Invert},
    {SourceId(Command::Extract), Event::Chosen, &Actions::Extract},
    {SourceId(Command::ForwardOrder), Event::Chosen, &Actions::ChooseForwardOrder},
    {SourceId(Command::ReverseOrder), Event::Chosen, &Actions::ChooseReverseOrder},
    {SourceId(Command::DefaultSettings), Event::Chosen, &Actions::DefaultSettings},
    {SourceId(Command::UsagePage), Event::Chosen, &Actions::OpenUsagePage},
    {SourceId(Command::DonationPage), Event::Chosen, &Actions::OpenDonationPage},
    {SourceId(Command::UpdatePage), Event::Chosen, &Actions::OpenUpdatePage},
    {SourceId(Command::OpenDayFile), Event::Chosen, &Actions::OpenDayFile},
    {SourceId(Command::OpenStorageFolder), Event::Chosen, &Actions::OpenStorageFolder},
    {SourceId(Command::NameFormName), Event::Chosen, &Actions::ChooseNameFormName},
    {SourceId(Command::NameFormStem), Event::Chosen, &Actions::ChooseNameFormStem},
    {SourceId(Command::NameFormPath), Event::Chosen, &Actions::ChooseNameFormPath},
    {SourceId(Command::OrderFileSystem), Event::Chosen, &Actions::ChooseFileSystemOrder},
    {SourceId(Command::OrderName), Event::Chosen, &Actions::ChooseNameOrder},
    {SourceId(Command::OrderTime), Event::Chosen, &Actions::ChooseTimeOrder},
    {SourceId(Command::ShowHiddenFiles), Event::Chosen, &Actions::ToggleHiddenFiles},
    {SourceId(Command::Relist), Event::Chosen, &Actions::Relist},
    {SourceId(Command::IncludeSubfolders), Event::Chosen, &Actions::ToggleIncludeSubfolders},
    {SourceId(Command::NameFormDetails), Event::Chosen, &Actions::ChooseNameFormDetails},
    {SourceId(Command::TickByPattern), Event::Chosen, &Actions::TickByPattern},
    {SourceId(Command::UntickByPattern), Event::Chosen, &Actions::UntickByPattern},
    {SourceId(Command::RecentFolder1), Event::Chosen, &Actions::ShowRecentFolder<0>},
    {SourceId(Command::RecentFolder2), Event::Chosen, &Actions::ShowRecentFolder<1>},
    {SourceId(Command::RecentFolder3), Event::Chosen, &Actions::ShowRecentFolder<2>},
    {SourceId(Command::RecentFolder4), Event::Chosen, &Actions::ShowRecentFolder<3>},
    {SourceId(Command::RecentFolder5), Event::Chosen, &Actions::ShowRecentFolder<4>},
    {SourceId(Command::RecentFolder6), Event::Chosen, &Actions::ShowRecentFolder<5>},
    {SourceId(Command::RecentFolder7), Event::Chosen, &Actions::ShowRecentFolder<6>},
    {SourceId(Command::RecentFolder8), Event::Chosen, &Actions::ShowRecentFolder<7>},
    {SourceId(Command::RecentFolder9), Event::Chosen, &Actions::ShowRecentFolder<8>},
    {SourceId(Command::RecentFolder10), Event::Chosen, &Actions::ShowRecentFolder<9>},
    {SourceId(Command::ClearRecentFolders), Event::Chosen, &Actions::ClearRecentFolders},
    {SourceId(Command::UndoExtraction), Event::Chosen, &Actions::UndoExtraction},
};

}  // namespace

std::span<const EventBinding> EventTable() { return kEventTable; }

bool Dispatch(Actions& actions, int source, Event event) {
    for (const EventBinding& binding : kEventTable) {
        if (binding.source == source && binding.event == event) {
            (actions.*binding.action)();
            return true;
        }
    }
    return false;
}

}  // namespace quillory
