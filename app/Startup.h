#pragma once
// The guards that run before the main dialog opens, in this order: another copy, schemes present,
// the "Lock" policy, pictures present; then the default pictures are copied.
#include <functional>
#include "framework/Platform.h"

extern const char* const kProgramTitle;

// True when this program runs more than once (it counts itself).
bool AnotherInstanceRunning(ProcessSource& processes);
bool SchemesPresent();
bool PolicyAllowsUse();
bool PicturesPresent();
void CopyDefaultPictures();

// Runs the guards; when all pass, copies the default pictures and calls showMain.
void RunStartup(ProcessSource& processes, WindowFinder& windows, const std::function<void()>& showMain);
