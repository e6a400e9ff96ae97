#include "hive/ProgressDialog.h"
#include "progressbar/ProgressBar.h"

namespace {

const char* const kCaption = "Vexar Lumen Scheme Manager";

// Nothing can be cancelled half way.
class DialogSteps : public ProgressDisplay::Steps {
public:
    DialogSteps(HWND owner, int steps, const char* text)
        : bar_(owner, 0, steps, 1, text, kCaption, "Cancel", 0) {
        bar_.SetAllowCancel(FALSE);
    }
    void Step() override { bar_.Step(); }

private:
    CProgressBar bar_;
};

} // namespace

ProgressDialog::ProgressDialog(HWND owner) : owner_(owner), previous_(SetProgressDisplay(this)) {}

ProgressDialog::~ProgressDialog() { SetProgressDisplay(previous_); }

std::unique_ptr<ProgressDisplay::Steps> ProgressDialog::Open(int steps, const char* text) {
    return std::make_unique<DialogSteps>(owner_, steps, text);
}
