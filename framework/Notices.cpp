#include "framework/Notices.h"

namespace {
class SystemNotices : public Notices {
public:
    int Show(HWND owner, const std::string& text, const std::string& title, UINT flags) override {
        return MessageBoxA(owner, text.c_str(), title.c_str(), flags);
    }
    void Beep(UINT type) override { MessageBeep(type); }
};

SystemNotices g_system;
Notices* g_current = &g_system;
} // namespace

Notices& CurrentNotices() { return *g_current; }

Notices* SetNotices(Notices* notices) {
    Notices* previous = g_current;
    g_current = notices ? notices : &g_system;
    return previous;
}
