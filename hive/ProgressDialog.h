#pragma once
// Ketterel's progress dialog for the saves and loads started while this object lives, owned by
// `owner`: it has no taskbar button of its own and cannot fall behind the owner.
#include <windows.h>
#include "hive/ProgressDisplay.h"

class ProgressDialog : public ProgressDisplay {
public:
    explicit ProgressDialog(HWND owner); // installs itself
    ~ProgressDialog() override;          // puts the previous display back
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    std::unique_ptr<Steps> Open(int steps, const char* text) override;

private:
    HWND owner_;
    ProgressDisplay* previous_;
};
