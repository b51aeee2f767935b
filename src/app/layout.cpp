#include "app/layout.h"

#include <stdexcept>

namespace quillory {

namespace {

using enum ControlKind;
constexpr std::optional<Rgb> kSystem;

// clang-format off
constexpr ControlRow kControls[] = {
//   id                                  name                        kind          container                              left  top  width height caption          font               text       background sunken checked
    {ControlId::分组框文件名提取框,     "分组框文件名提取框",     GroupBox,     std::nullopt,                            4,  -1, 189, 284, "文件名提取框", kPanelCaptionFont, kDarkRed, kSystem, false, false},
    {ControlId::驱动器框文件名提取,     "驱动器框文件名提取",     DriveBox,     ControlId::分组框文件名提取框,           9,  19, 171,  50, "",             kDriveBoxFont,     kDarkRed, kWhite,  false, false},
    {ControlId::目录框文件名提取,       "目录框文件名提取",       DirectoryBox, ControlId::分组框文件名提取框,           9,  45, 170, 230, "",             kNormalFont,       kSystem,  kWhite,  false, false},
    {ControlId::分组框文件名提取目录框, "分组框文件名提取目录框", GroupBox,     std::nullopt,                          198,  -1, 212, 285, "待提取目录",   kPanelCaptionFont, kDarkRed, kSystem, false, false},
    {ControlId::按钮全选,               "按钮全选",               PushButton,   ControlId::分组框文件名提取目录框,       8,  22,  58,  20, "全选",         kNormalFont,       kSystem,  kSystem, false, false},
    {ControlId::按钮全部选,             "按钮全部选",             PushButton,   std::nullopt,                          275,  20,  58,  20, "全不选",       kNormalFont,       kSystem,  kSystem, false, false},
    {ControlId::按钮反选,               "按钮反选",               PushButton,   std::nullopt,                          342,  20,  58,  20, "反选",         kNormalFont,       kSystem,  kSystem, false, false},
    {ControlId::选择列表框文件列表,     "选择列表框文件列表",     CheckList,    ControlId::分组框文件名提取目录框,       8,  44, 195, 232, "",             kNormalFont,       kSystem,  kSystem, false, false},
    {ControlId::分组框参数设置框,       "分组框参数设置框",       GroupBox,     std::nullopt,                            4, 284, 405,  48, "参数设置框",   kNormalFont,       kDarkRed, kSystem, false, false},
    {ControlId::单选框正序,             "单选框正序",             RadioButton,  ControlId::分组框参数设置框,             5,  20,  69,  16, "正序排列",     kNormalFont,       kSystem,  kSystem, false, false},
    {ControlId::单选框逆序,             "单选框逆序",             RadioButton,  std::nullopt,                           80, 305,  69,  16, "逆序排列",     kNormalFont,       kSystem,  kSystem, false, true},
    {ControlId::标签参数1,              "标签参数1",              Label,        ControlId::分组框参数设置框,           167,  20,  72,  16, "每行之间共有", kNormalFont,       kSystem,  kSystem, false, false},
    {ControlId::编辑框参数2,            "编辑框参数2",            EditBox,      ControlId::分组框参数设置框,           241,  20,  32,  16, "1",            kNormalFont,       kBlue,    kWhite,  true,  false},
    {ControlId::标签参数3,              "标签参数3",              Label,        ControlId::分组框参数设置框,           274,  20,  49,  16, "个空白行",     kNormalFont,       kSystem,  kSystem, false, false},
    {ControlId::按钮默认设置,           "按钮默认设置",           PushButton,   ControlId::分组框参数设置框,           334,  15,  58,  24, "默认设置",     kNormalFont,       kSystem,  kSystem, false, false},
    {ControlId::分组框实行操作框,       "分组框实行操作框",       GroupBox,     std::nullopt,                            3, 331, 406,  46, "执行操作框",   kNormalFont,       kDarkRed, kSystem, false, false},
    {ControlId::标签存储路径,           "标签存储路径",           Label,        std::nullopt,                            4, 349,  56,  19, "存储路径：",   kNormalFont,       kDarkRed, kSystem, false, false},
    {ControlId::标签存放路径,           "标签存放路径",           Label,        std::nullopt,                           61, 348, 259,  24, "",             kNormalFont,       kDarkRed, kWhite,  true,  false},
    {ControlId::按钮提取文件名,         "按钮提取文件名",         PushButton,   std::nullopt,                          337, 348,  58,  24, "立即提取",     kNormalFont,       kSystem,  kSystem, false, false},
};

// The recent folders themselves come first, while the program runs.
constexpr MenuItemRow kRecentFoldersMenu[] = {
    {Command::Separator, ""},
    {Command::ClearRecentFolders, "清除列表 &C"},
};
constexpr MenuItemRow kFileMenu[] = {
    {Command::ChooseFolder, "选择目录 &T"},
    {Command::RecentFolders, "最近的文件夹 &R", MenuMark::None, kRecentFoldersMenu},
    {Command::Quit, "退出 &Q"},
};
constexpr MenuItemRow kSelectMenu[] = {
    {Command::SelectAll, "全选 &A"},
    {Command::SelectNone, "全不选 &N"},
    {Command::Invert, "反选 &S"},
    {Command::Separator, ""},
    {Command::TickByPattern, "按模式勾选… &P"},
    {Command::UntickByPattern, "按模式取消勾选… &U"},
};
constexpr MenuItemRow kApplyMenu[] = {
    {Command::Extract, "立即提取 &W"},
    {Command::UndoExtraction, "撤销上次提取 &Z"},
    {Command::ForwardOrder, "正序排列 &Y"},
    {Command::ReverseOrder, "逆序排列 &X"},
    {Command::DefaultSettings, "默认设置 &S"},
    {Command::Separator, ""},
    {Command::OpenDayFile, "打开今日文件 &O"},
    {Command::OpenStorageFolder, "打开存储目录 &D"},
};
constexpr MenuItemRow kOptionsMenu[] = {
    {Command::NameFormName, "文件名 &N", MenuMark::Radio},
    {Command::NameFormStem, "不含扩展名 &E", MenuMark::Radio},
    {Command::NameFormPath, "完整路径 &P", MenuMark::Radio},
    {Command::NameFormDetails, "名称、大小和修改时间 &D", MenuMark::Radio},
    {Command::Separator, ""},
    {Command::OrderFileSystem, "文件系统顺序 &F", MenuMark::Radio},
    {Command::OrderName, "按名称排序 &M", MenuMark::Radio},
    {Command::OrderTime, "按修改时间排序 &T", MenuMark::Radio},
    {Command::Separator, ""},
    {Command::ShowHiddenFiles, "显示隐藏文件 &H", MenuMark::Check},
    {Command::IncludeSubfolders, "包含子文件夹 &S", MenuMark::Check},
};
constexpr MenuItemRow kHelpMenu[] = {
    {Command::UsagePage, "使用说明 &P"},
    {Command::DonationPage, "捐献Velkor &J"},
    {Command::UpdatePage, "更新 &G"},
};
// clang-format on

// Same order as TopMenu.
constexpr MenuRow kMenuBar[] = {
    {"文件 &F", kFileMenu},
    {"选择 &T", kSelectMenu},
    {"应用 &R", kApplyMenu},
    {"选项 &O", kOptionsMenu},
    {"帮助 &H", kHelpMenu},
};

}  // namespace

std::span<const ControlRow> ControlTable() { return kControls; }

const ControlRow& RowOf(ControlId id) {
    for (const ControlRow& row : kControls) {
        if (row.id == id) return row;
    }
    throw std::out_of_range("no such control");
}

std::span<const MenuRow> MenuBar() { return kMenuBar; }

}  // namespace quillory
