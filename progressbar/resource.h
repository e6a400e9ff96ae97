// Resource ids of Ketterel.dll. The numbers are fixed: callers find the clock faces and
// controls of the progress dialog by them.
#pragma once

#define IDD_PROGRESS            130

// Clock faces: green 131..143 and red 144..156 (face without a hand, then the hand at 12, 1 .. 11),
// blue 158..169 (hand at 12, 1 .. 11; the animation) and 170 (blue face without a hand).
#define IDI_CLOCK_GREEN_FIRST   131
#define IDI_CLOCK_RED_FIRST     144
#define IDI_CLOCK_FIRST         158
#define IDI_CLOCK_BLANK         170
#define CLOCK_FACE_COUNT        12

#define IDC_PROGRESS_BAR        1000
#define IDC_BAR_TEXT            1001
#define IDC_LOWER_MARKER        1002
#define IDC_UPPER_MARKER        1003
#define IDC_CLOCK_FACE          1004

// System menu item of the progress dialog.
#define IDM_ALWAYS_ON_TOP       999
