#pragma once
// The library's own module: its dialog template and clock faces are loaded from here, never from
// the program that uses it.
#include <windows.h>

HINSTANCE KetterelModule();
