#pragma once
// Drives a real dialog from a second thread. Run() shows the dialog under test on the calling
// (test) thread while the script runs on a robot thread; the robot finds windows of this process
// by title, reads and sets controls, clicks by posting, picks drop-menu items and answers message
// boxes. Every wait ends after the robot's timeout with a test failure, and when the script is
// over the robot closes whatever the dialog thread still shows, so a broken dialog fails fast.
#include <windows.h>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

class RecordingNotices;

struct ListRow {
    std::vector<std::string> texts; // by column
    int image = -1;
};

struct MessageBoxSeen {
    std::string title;
    std::string text;
};

class Robot {
public:
    explicit Robot(DWORD timeoutMs = 4000);
    ~Robot();
    Robot(const Robot&) = delete;
    Robot& operator=(const Robot&) = delete;

    // Calls `showDialog` here (it returns when the dialog closes) while `script` runs on the
    // robot thread. Returns once both are over.
    void Run(const std::function<void()>& showDialog, const std::function<void()>& script);
    // Shows `dialog` modally and runs `script` on its window once a window titled `title` is
    // shown; returns what DoModal returned (-2 when it never returned).
    template <class ModalDialog>
    INT_PTR RunModal(ModalDialog& dialog, const std::string& title, const std::function<void(HWND)>& script) {
        INT_PTR result = -2;
        Run([&] { result = dialog.DoModal(); },
            [&] {
                if (HWND window = WaitForWindow(title)) script(window);
            });
        return result;
    }

    // A visible top-level window of this process with exactly this title, or nullptr.
    HWND WaitForWindow(const std::string& title);
    bool WaitUntilGone(HWND window);
    // Polls `condition` on the dialog thread until it holds.
    bool WaitUntil(const std::function<bool()>& condition);
    bool WaitForNotices(const RecordingNotices& notices, size_t count);
    // Runs `action` on the dialog thread (between its messages) and waits for it.
    bool OnDialogThread(const std::function<void()>& action);
    // Waits until the dialog thread has handled everything posted to it so far.
    bool Settle();

    std::string Text(HWND window, int id);
    void SetText(HWND window, int id, const std::string& text); // sends: EN_CHANGE fires
    bool IsChecked(HWND window, int id);
    bool IsEnabled(HWND window, int id);
    void Click(HWND window, int id);  // posts BM_CLICK
    void Post(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    void PressEscape(HWND window);    // as the keyboard's Escape: IDCANCEL
    // Texts of the window's child controls, in z-order.
    std::vector<std::string> ChildTexts(HWND window);

    std::vector<ListRow> ListRows(HWND window, int listId);
    void SelectRow(HWND window, int listId, int row);
    void DoubleClickRow(HWND window, int listId, int row); // sends the list's NM_DBLCLK

    // Clicks the button whose drop menu opens, then picks the item with `command` from it.
    bool PickFromDropMenu(HWND window, int buttonId, UINT command);
    // Waits for a real message box with `title`, reads it and presses `buttonId`.
    bool AnswerMessageBox(const std::string& title, int buttonId, MessageBoxSeen& seen);

    // Ends every window the dialog thread still shows, innermost first.
    void CloseAll();

private:
    static LRESULT CALLBACK HelperProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT SendToDialog(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND FindOwnWindow(const std::function<bool(HWND)>& match);
    bool Poll(const std::function<bool()>& condition, const std::string& what);

    DWORD timeoutMs_;
    DWORD dialogThread_ = 0;
    HWND helper_ = nullptr;
    std::atomic<bool> dialogDone_{false};
};
