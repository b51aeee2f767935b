#include "app/win32/main_frame.h"

#include <string>

#include "app/event_table.h"
#include "app/layout.h"
#include "ui/win32/child_windows.h"
#include "app/win32/dropped_folder.h"
#include "app/win32/keyboard.h"
#include "app/win32/menu_bar.h"
#include "help/maker_site.h"
#include "platform/win32/encoding.h"
#include "platform/window_thread.h"

namespace quillory::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"QuilloryMainWindow";
constexpr WORD kIconResource = 129;
// Fixed single border, system menu and close box, neither minimise nor maximise box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// Left to right, top to bottom; the focus starts on the file list.
constexpr ControlId kTabOrder[] = {
    ControlId::驱动器框文件名提取, ControlId::目录框文件名提取, ControlId::按钮全选,
    ControlId::按钮全部选,         ControlId::按钮反选,         ControlId::选择列表框文件列表,
    ControlId::单选框正序,         ControlId::单选框逆序,       ControlId::编辑框参数2,
    ControlId::按钮默认设置,       ControlId::按钮提取文件名,
};
constexpr ControlId kFirstFocus = ControlId::选择列表框文件列表;

// Sent before WM_DPICHANGED to a window aware of the DPI per monitor (Windows 10 1703 and later).
constexpr UINT kGetDpiScaledSize = 0x02E4;
// Work on a thread of its own has news for the window.
constexpr UINT kBackgroundNews = WM_APP + 2;

RECT CentredOnScreen(SIZE size) {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2;
    return {left, top, left + size.cx, top + size.cy};
}

void MoveWindowTo(HWND window, const RECT& place) {
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Once per process: for a later window the class is there already.
void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    // The title bar's and the taskbar's images of the program's icon.
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                      LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                        LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
}

HWND SenderOf(UINT message, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM:
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_COMPAREITEM:
        return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    default:  // WM_COMMAND, WM_CTLCOLOR*, WM_VKEYTOITEM, WM_CHARTOITEM
        return reinterpret_cast<HWND>(lParam);
    }
}

// WM_MEASUREITEM names its control by identifier only.
bool IsFrom(HWND control, UINT message, LPARAM lParam) {
    if (message != WM_MEASUREITEM) return SenderOf(message, lParam) == control;
    const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
    return item->CtlType != ODT_MENU && static_cast<UINT>(GetDlgCtrlID(control)) == item->CtlID;
}

bool IsDroppedListOf(HWND comboBox, HWND window) {
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    return GetComboBoxInfo(comboBox, &parts) && parts.hwndList == window;
}

Command CommandOf(MenuItem item) {
    switch (item) {
    case MenuItem::Quit: break;
    case MenuItem::NameFormName: return Command::NameFormName;
    case MenuItem::NameFormStem: return Command::NameFormStem;
    case MenuItem::NameFormPath: return Command::NameFormPath;
    case MenuItem::NameFormDetails: return Command::NameFormDetails;
    case MenuItem::OrderFileSystem: return Command::OrderFileSystem;
    case MenuItem::OrderName: return Command::OrderName;
    case MenuItem::OrderTime: return Command::OrderTime;
    case MenuItem::ShowHiddenFiles: return Command::ShowHiddenFiles;
    case MenuItem::IncludeSubfolders: return Command::IncludeSubfolders;
    case MenuItem::UndoExtraction: return Command::UndoExtraction;
    }
    return Command::Quit;
}

}  // namespace

MainFrame::MainFrame(Win32Services& services, SkinLibrary& skin, Globals& globals)
    : services_(services), skin_(skin), globals_(globals), dpi_(ScreenDpi()), fonts_(dpi_) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(instance, &MainFrame::Proc);
    MenuHandle menuBar = BuildMenuBar();
    const int sizedFor = dpi_;
    const RECT place = CentredOnScreen(OuterSize(sizedFor));
    const std::wstring title = Wide(std::string(kTitlePrefix) + kMakerSite);
    // Every control is made and the created event runs inside this call (WM_CREATE).
    if (CreateWindowExW(0, kWindowClass, title.c_str(), kWindowStyle, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, nullptr, menuBar.Get(), instance,
                        this)) {
        menuBar.Release();  // the window's now
        // The screen's DPI is the one at sign-in; the monitor's may have changed since.
        if (dpi_ != sizedFor) MoveWindowTo(window_, CentredOnScreen(OuterSize(dpi_)));
    }
}

MainFrame::~MainFrame() {
    if (window_) DestroyWindow(window_);
}

void MainFrame::Show(int how) const {
    ShowWindow(window_, how);
    UpdateWindow(window_);
}

bool MainFrame::HandleKey(const MSG& message) const {
    return window_ && HandleWindowKey(message, window_, tabOrder_);
}

NativeHandle MainFrame::WindowHandle() const { return reinterpret_cast<NativeHandle>(window_); }

void MainFrame::PopupMenu(TopMenu menu) { PopUpAtCursor(window_, menu); }

void MainFrame::SetMenuItemVisible(MenuItem item, bool visible) { ShowMenuItem(window_, CommandOf(item), visible); }

void MainFrame::SetMenuItemChecked(MenuItem item, bool checked) { CheckMenuItemOf(window_, CommandOf(item), checked); }

void MainFrame::SetMenuItemEnabled(MenuItem item, bool enabled) {
    EnableMenuItem(GetMenu(window_), static_cast<UINT>(CommandOf(item)), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainFrame::ShowRecentFolders(const std::vector<std::string>& folders) {
    FillRecentFolders(window_, folders);
    menuTip_.SetFolders(folders);
}

void MainFrame::CloseMainWindow() {
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK MainFrame::Proc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainFrame*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = handle;
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainFrame*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
    return self ? self->HandleMessage(message, wParam, lParam) : DefWindowProcW(handle, message, wParam, lParam);
}

bool MainFrame::Settled() const { return !(actions_ && actions_->Working()) && liveList_.Idle(); }

LRESULT MainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND handle = window_;
    if (liveList_.OnMessage(message, wParam)) return 0;
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case kBackgroundNews:
        runner_->Woken();
        Raise(SourceId(Source::MainWindow), Event::BackgroundNews);
        return 0;
    case WM_TIMER:
        if (sign_.OnTimer(wParam) || writeSign_.OnTimer(wParam)) return 0;
        break;
    case WM_SETCURSOR:
        if (sign_.SetCursorOf() || writeSign_.SetCursorOf()) return TRUE;
        break;
    case WM_COMMAND:
        if (!Reflect(message, wParam, lParam)) OnCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case kDriveLabelsRead:
        if (const auto result = Reflect(message, wParam, lParam)) return *result;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return ControlColour(message, wParam, lParam);
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kGetDpiScaledSize:
        *reinterpret_cast<SIZE*>(lParam) = OuterSize(static_cast<int>(wParam));
        return TRUE;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_PASTE:
        OnPaste();
        return 0;
    case WM_INITMENUPOPUP:
        Raise(SourceId(Source::MainWindow), Event::MenuOpening);
        break;
    case WM_MENUSELECT:
        menuTip_.OnMenuSelect(wParam, lParam);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) RememberFocus();
        break;
    case WM_SETFOCUS:
        // Back to the control that had the focus when the window was left.
        if (lastFocus_ && IsWindow(lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (actions_) actions_->StopWork();
        liveList_.Stop();
        services_.SetMessageOwner(nullptr);
        window_thread::Unmark();
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        window_ = nullptr;
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

void MainFrame::OnCreate() {
    if (const int dpi = WindowDpi(window_); dpi != dpi_) {
        dpi_ = dpi;
        fonts_ = FontSet(dpi_);
    }
    CreateControls();
    sign_.Attach(window_, HandleOf(ControlId::分组框文件名提取目录框));
    writeSign_.Attach(window_, HandleOf(ControlId::分组框实行操作框));
    menuTip_.Attach(window_);
    ConnectLogic();
    DragAcceptFiles(window_, TRUE);
    services_.SetMessageOwner(window_);
    // From the start on the disk is the workers', but for the settings the
    // start reads before the window shows.
    window_thread::Mark();
    Raise(SourceId(Source::MainWindow), Event::Created);
}

void MainFrame::CreateControls() {
    for (const ControlRow& row : ControlTable()) {
        const HWND parent = row.container ? HandleOf(*row.container) : window_;
        windows_.emplace_back(CreateControl(row, parent), &row);
    }
    // Some controls lie on the window within a group box's frame: they must be drawn above it.
    for (const auto& box : groupBoxes_) {
        SetWindowPos(box->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (ControlId id : kTabOrder) tabOrder_.push_back(HandleOf(id));
    lastFocus_ = HandleOf(kFirstFocus);
}

HWND MainFrame::CreateControl(const ControlRow& row, HWND parent) {
    const HFONT font = fonts_.For(row.font);
    const ControlRow placed = AtDpi(row, dpi_);
    switch (row.kind) {
    case ControlKind::DriveBox:
        driveBox_ = std::make_unique<DriveBoxControl>(parent, placed, font, SinkOf(row.id));
        hosted_.push_back(driveBox_.get());
        return driveBox_->Handle();
    case ControlKind::DirectoryBox:
        directoryBox_ = std::make_unique<DirectoryBoxControl>(parent, placed, font, SinkOf(row.id));
        hosted_.push_back(directoryBox_.get());
        return directoryBox_->Handle();
    case ControlKind::CheckList:
        checkList_ = std::make_unique<CheckListControl>(parent, placed, font, SinkOf(row.id));
        hosted_.push_back(checkList_.get());
        return checkList_->Handle();
    case ControlKind::GroupBox: {
        const HWND handle = CreateChildWindow(placed, parent, font);
        groupBoxes_.push_back(std::make_unique<GroupBox>(handle, dpi_));
        return handle;
    }
    case ControlKind::EditBox: {
        const HWND handle = CreateChildWindow(placed, parent, font);
        numberEdits_.push_back(std::make_unique<NumberEdit>(handle));
        return handle;
    }
    default:
        return CreateChildWindow(placed, parent, font);
    }
}

SIZE MainFrame::OuterSize(int dpi) const { return OuterSizeAt({kWindowWidth, kWindowHeight}, kWindowStyle, dpi); }

void MainFrame::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    MoveWindowTo(window_, suggested);
    RelayoutControls();
}

void MainFrame::RelayoutControls() {
    FontSet fonts(dpi_);
    for (const auto& [handle, row] : windows_) {
        const ControlRow placed = AtDpi(*row, dpi_);
        const RECT place{placed.left, placed.top, placed.left + placed.width, placed.top + placed.height};
        const HFONT font = fonts.For(row->font);
        if (ChildControl* hosted = HostedOf(handle)) {
            hosted->Relayout(place, font);
        } else {
            PlaceChildWindow(handle, place, font);
        }
    }
    for (const auto& box : groupBoxes_) box->SetDpi(dpi_);
    fonts_ = std::move(fonts);  // the old ones go now that no control uses them
}

void MainFrame::OnDropFiles(HDROP drop) {
    if (const std::optional<std::string> path = TakeDroppedPath(drop)) ShowHandedFolder(*path);
}

// A drop names something by the system's own hand; a path pasted as text
// may not, and is told when it names nothing.
void MainFrame::OnPaste() {
    const std::optional<PastedPath> pasted = PathOnClipboard(window_);
    if (pasted && actions_) actions_->PastePath(pasted->absolute, pasted->path);
}

void MainFrame::ShowHandedFolder(const std::string& path) {
    if (actions_) actions_->DropFolder(path);
}

void MainFrame::ConnectLogic() {
    countText_.emplace(HandleOf(ControlId::编辑框参数2));
    storageText_.emplace(HandleOf(ControlId::标签存放路径));
    forward_.emplace(HandleOf(ControlId::单选框正序));
    reverse_.emplace(HandleOf(ControlId::单选框逆序));
    controls_.emplace(Controls{
        .驱动器框文件名提取 = *driveBox_,
        .目录框文件名提取 = *directoryBox_,
        .选择列表框文件列表 = *checkList_,
        .编辑框参数2 = *countText_,
        .单选框正序 = *forward_,
        .单选框逆序 = *reverse_,
        .标签存放路径 = *storageText_,
    });
    runner_.emplace(window_, kBackgroundNews);
    actions_.emplace(services_, *controls_, *this, skin_, globals_, *runner_);
}

void MainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        if (HIWORD(wParam) == 0) Raise(LOWORD(wParam), Event::Chosen);  // a menu item, from the bar or a context menu
        return;
    }
    const ControlRow* row = RowOfWindow(reinterpret_cast<HWND>(lParam));
    if (row && HIWORD(wParam) == BN_CLICKED) Raise(SourceId(row->id), Event::Clicked);
}

std::optional<LRESULT> MainFrame::Reflect(UINT message, WPARAM wParam, LPARAM lParam) {
    for (ChildControl* control : hosted_) {
        LRESULT result = 0;
        if (IsFrom(control->Handle(), message, lParam) && control->OnReflectedMessage(message, wParam, lParam, result)) {
            return result;
        }
    }
    return std::nullopt;
}

ChildControl* MainFrame::HostedOf(HWND handle) const {
    for (ChildControl* control : hosted_) {
        if (control->Handle() == handle) return control;
    }
    return nullptr;
}

LRESULT MainFrame::ControlColour(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto result = Reflect(message, wParam, lParam)) return *result;
    const LRESULT system = DefWindowProcW(window_, message, wParam, lParam);
    const ControlRow* row = RowOfWindow(reinterpret_cast<HWND>(lParam));
    if (!row) return system;
    return reinterpret_cast<LRESULT>(
        colours_.Apply(*row, reinterpret_cast<HDC>(wParam), reinterpret_cast<HBRUSH>(system)));
}

void MainFrame::RememberFocus() {
    const HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
}

void MainFrame::Raise(int source, Event event) {
    if (actions_) Dispatch(*actions_, source, event);
}

EventSink MainFrame::SinkOf(ControlId id) {
    return [this, id](Event event) { Raise(SourceId(id), event); };
}


HWND MainFrame::HandleOf(ControlId id) const {
    for (const auto& [handle, row] : windows_) {
        if (row->id == id) return handle;
    }
    return nullptr;
}

const ControlRow* MainFrame::RowOfWindow(HWND handle) const {
    for (HWND part = handle; part && part != window_; part = GetParent(part)) {
        for (const auto& [known, row] : windows_) {
            if (known == part) return row;
        }
    }
    // The drive box's dropped list is a window of its own, outside the box.
    for (const auto& [known, row] : windows_) {
        if (row->kind == ControlKind::DriveBox && IsDroppedListOf(known, handle)) return row;
    }
    return nullptr;
}

}  // namespace quillory::win32
