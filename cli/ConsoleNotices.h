#pragma once
// The tool's notices: every message the program would show in a box is one line on standard
// error, and no box ever opens (a start-up script has no one to click it). A question is
// answered with its safe choice (No or Cancel).
#include <ostream>
#include <string>
#include "framework/Notices.h"

class ConsoleNotices : public Notices {
public:
    explicit ConsoleNotices(std::ostream& err); // installs itself
    ~ConsoleNotices() override;                 // prints what is pending, puts the previous back
    ConsoleNotices(const ConsoleNotices&) = delete;
    ConsoleNotices& operator=(const ConsoleNotices&) = delete;

    int Show(HWND owner, const std::string& text, const std::string& title, UINT flags) override;
    void Beep(UINT) override {}
    void Explain(const std::string& detail) override;

    // The title of the first message shown, empty when none was.
    const std::string& FirstTitle() const { return firstTitle_; }

private:
    void PrintPending();

    std::ostream& err_;
    std::string firstTitle_;
    std::string pending_;
    Notices* previous_;
};
