#include "tests/bench/robot/Robot.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include "tests/bench/RecordingNotices.h"

namespace {
const UINT kRunNow = WM_APP + 1;   // lParam: std::function<void()>*, run and return
const UINT kRunLater = WM_APP + 2; // lParam: heap std::function<void()>*, run and delete
const UINT kMenuGetHandle = 0x01E1; // MN_GETHMENU
const DWORD kPollMs = 15;
const char* const kHelperClass = "VlsmRobotHelper";

// A window's title without sending it a message, so a busy dialog thread cannot block the robot.
std::string TitleOf(HWND window) {
    WCHAR wide[512] = L"";
    int length = InternalGetWindowText(window, wide, 512);
    char text[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Window enumeration callbacks must be named stdcall functions on i686.
BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
} // namespace

Robot::Robot(DWORD timeoutMs) : timeoutMs_(timeoutMs) {}

Robot::~Robot() {
    if (helper_) DestroyWindow(helper_);
}

LRESULT CALLBACK Robot::HelperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunNow) {
        (*reinterpret_cast<std::function<void()>*>(lParam))();
        return 1;
    }
    if (msg == kRunLater) {
        std::unique_ptr<std::function<void()>> action(reinterpret_cast<std::function<void()>*>(lParam));
        (*action)();
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Robot::Run(const std::function<void()>& showDialog, const std::function<void()>& script) {
    static ATOM registered = [] {
        WNDCLASSA helperClass = {};
        helperClass.lpfnWndProc = HelperProc;
        helperClass.hInstance = GetModuleHandleA(nullptr);
        helperClass.lpszClassName = kHelperClass;
        return RegisterClassA(&helperClass);
    }();
    (void)registered;
    dialogThread_ = GetCurrentThreadId();
    dialogDone_ = false;
    helper_ = CreateWindowExA(0, kHelperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    std::atomic<bool> robotDone{false};
    std::thread robot([&] {
        script();
        CloseAll();
        robotDone = true;
    });
    showDialog();
    dialogDone_ = true;
    // Keep answering the robot until it has noticed: it may be sending to the helper right now.
    while (!robotDone) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    robot.join();
    // Actions posted for later but never reached are dropped with the helper.
    DestroyWindow(helper_);
    helper_ = nullptr;
}

bool Robot::Poll(const std::function<bool()>& condition, const std::string& what) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (dialogDone_) {
            ADD_FAILURE() << "robot: the dialog closed while waiting for " << what;
            return false;
        }
        if (GetTickCount() - start > timeoutMs_) {
            ADD_FAILURE() << "robot: timed out waiting for " << what;
            return false;
        }
        Sleep(kPollMs);
    }
}

HWND Robot::FindOwnWindow(const std::function<bool(HWND)>& match) {
    for (HWND window : TopLevelWindows()) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) && match(window)) return window;
    }
    return nullptr;
}

LRESULT Robot::SendToDialog(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_NORMAL, timeoutMs_, &result)) return 0;
    return static_cast<LRESULT>(result);
}

HWND Robot::WaitForWindow(const std::string& title) {
    HWND found = nullptr;
    Poll(
        [&] {
            found = FindOwnWindow([&](HWND window) { return TitleOf(window) == title; });
            return found != nullptr;
        },
        "the window \"" + title + "\"");
    return found;
}

bool Robot::WaitUntilGone(HWND window) {
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > timeoutMs_) {
            ADD_FAILURE() << "robot: timed out waiting for a window to close";
            return false;
        }
        Sleep(kPollMs);
    }
    return true;
}

bool Robot::OnDialogThread(const std::function<void()>& action) {
    if (dialogDone_ || !helper_) return false;
    std::function<void()> copy = action;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(helper_, kRunNow, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, timeoutMs_,
                               &result) != 0;
}

bool Robot::Settle() {
    // Posted messages are handled in order, so a posted marker comes after the earlier posts.
    auto reached = std::make_shared<std::atomic<bool>>(false);
    auto* marker = new std::function<void()>([reached] { *reached = true; });
    if (!PostMessageA(helper_, kRunLater, 0, reinterpret_cast<LPARAM>(marker))) {
        delete marker;
        return false;
    }
    return Poll([&] { return reached->load(); }, "the dialog thread to handle its posted messages");
}

bool Robot::WaitUntil(const std::function<bool()>& condition) {
    return Poll(
        [&] {
            bool holds = false;
            OnDialogThread([&] { holds = condition(); });
            return holds;
        },
        "a condition on the dialog thread");
}

bool Robot::WaitForNotices(const RecordingNotices& notices, size_t count) {
    return WaitUntil([&] { return notices.shown.size() >= count; });
}

std::string Robot::Text(HWND window, int id) {
    HWND control = id ? GetDlgItem(window, id) : window;
    if (!control) return "<no control " + std::to_string(id) + ">";
    LRESULT length = SendToDialog(control, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = SendToDialog(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void Robot::SetText(HWND window, int id, const std::string& text) {
    SendToDialog(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Robot::IsChecked(HWND window, int id) { return SendToDialog(GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool Robot::IsEnabled(HWND window, int id) { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }

void Robot::Click(HWND window, int id) { PostMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); }

void Robot::Post(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) { PostMessageA(window, msg, wParam, lParam); }

void Robot::PressEscape(HWND window) {
    // Through the dialog's keyboard handling, from the control that has the focus.
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND target = window;
    if (GetGUIThreadInfo(dialogThread_, &info) && info.hwndFocus && IsChild(window, info.hwndFocus))
        target = info.hwndFocus;
    PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0000001);
}

std::vector<std::string> Robot::ChildTexts(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&children));
    std::vector<std::string> texts;
    for (HWND child : children) texts.push_back(Text(child, 0));
    return texts;
}

std::vector<ListRow> Robot::ListRows(HWND window, int listId) {
    HWND list = GetDlgItem(window, listId);
    HWND header = reinterpret_cast<HWND>(SendToDialog(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendToDialog(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    int count = static_cast<int>(SendToDialog(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<ListRow> rows;
    for (int row = 0; row < count; ++row) {
        ListRow line;
        for (int column = 0; column < std::max(columns, 1); ++column) {
            char buffer[512] = "";
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            SendToDialog(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            line.texts.push_back(buffer);
        }
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        if (SendToDialog(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) line.image = item.iImage;
        rows.push_back(line);
    }
    return rows;
}

void Robot::SelectRow(HWND window, int listId, int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendToDialog(GetDlgItem(window, listId), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void Robot::DoubleClickRow(HWND window, int listId, int row) {
    SelectRow(window, listId, row);
    // Posted to the dialog thread: the double click may open a modal window.
    HWND list = GetDlgItem(window, listId);
    auto* action = new std::function<void()>([window, list, listId, row] {
        NMITEMACTIVATE activate = {};
        activate.hdr.hwndFrom = list;
        activate.hdr.idFrom = static_cast<UINT_PTR>(listId);
        activate.hdr.code = NM_DBLCLK;
        activate.iItem = row;
        SendMessageA(window, WM_NOTIFY, static_cast<WPARAM>(listId), reinterpret_cast<LPARAM>(&activate));
    });
    if (!PostMessageA(helper_, kRunLater, 0, reinterpret_cast<LPARAM>(action))) delete action;
}

bool Robot::PickFromDropMenu(HWND window, int buttonId, UINT command) {
    Click(window, buttonId);
    HWND menuWindow = nullptr;
    if (!Poll([&] { return (menuWindow = FindOwnWindow([](HWND w) { return ClassOf(w) == "#32768"; })) != nullptr; },
              "the drop menu of button " + std::to_string(buttonId)))
        return false;
    HMENU menu = reinterpret_cast<HMENU>(SendToDialog(menuWindow, kMenuGetHandle, 0, 0));
    int position = -1;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        if (GetMenuItemID(menu, i) == command) position = i;
    }
    if (position < 0) {
        ADD_FAILURE() << "robot: the drop menu has no command " << command;
        PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        return false;
    }
    for (int i = 0; i <= position; ++i) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

bool Robot::AnswerMessageBox(const std::string& title, int buttonId, MessageBoxSeen& seen) {
    HWND box = nullptr;
    bool found = Poll(
        [&] {
            box = FindOwnWindow([&](HWND w) {
                return ClassOf(w) == "#32770" && TitleOf(w) == title && GetDlgItem(w, 0xFFFF) != nullptr;
            });
            return box != nullptr;
        },
        "the message box \"" + title + "\"");
    if (!found) return false;
    seen.title = title;
    seen.text = Text(box, 0xFFFF);
    Click(box, buttonId);
    return WaitUntilGone(box);
}

void Robot::CloseAll() {
    const DWORD start = GetTickCount();
    while (!dialogDone_ && GetTickCount() - start < timeoutMs_) {
        OnDialogThread([] { EndMenu(); });
        std::vector<HWND> windows;
        EnumThreadWindows(dialogThread_, CollectWindow, reinterpret_cast<LPARAM>(&windows));
        // Only the enabled ones: a window under a modal one closes after it.
        for (HWND window : windows) {
            if (IsWindowVisible(window) && IsWindowEnabled(window) && ClassOf(window) != TOOLTIPS_CLASSA)
                PostMessageA(window, WM_CLOSE, 0, 0);
        }
        Sleep(50);
    }
}
