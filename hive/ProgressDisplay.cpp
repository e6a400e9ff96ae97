#include "hive/ProgressDisplay.h"

namespace {

// Nothing is shown unless a display was installed: the program installs its progress dialog for
// each save and load, and the console tool its console line, so the tool never needs the dialog's
// library.
class NoDisplay : public ProgressDisplay {
    class NoSteps : public Steps {
    public:
        void Step() override {}
    };

public:
    std::unique_ptr<Steps> Open(int, const char*) override { return std::make_unique<NoSteps>(); }
};

NoDisplay g_none;
ProgressDisplay* g_current = &g_none;

} // namespace

ProgressDisplay& CurrentProgressDisplay() { return *g_current; }

ProgressDisplay* SetProgressDisplay(ProgressDisplay* display) {
    ProgressDisplay* previous = g_current;
    g_current = display ? display : &g_none;
    return previous;
}
