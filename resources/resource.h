// Resource ids of the program: dialog templates, controls, menus, icons and bitmaps.
// One block per folder; numbers are fixed (the shell's documentation and stored files refer to them).
#pragma once

// ---- app: main dialog, About, scheme creation and naming -------------------------------------
#define IDI_APP                 100
#define IDD_MAIN                165
#define IDD_SCHEME_NAME_PROBLEM 180
#define IDD_ABOUT               183
#define IDI_SCHEME              186
#define IDI_SCHEME_PROTECTED    187
#define IDI_HELP_ABOUT          188
#define IDR_HELP_MENU           190
#define IDD_SCHEME_CREATION     197
#define IDI_HELPER              225
#define IDI_ALLOCATE            226
#define IDD_WAIT_TURN           240

#define IDC_SCHEME_LIST         1021
#define IDC_CREATE              1014
#define IDC_DELETE              1015
#define IDC_EDIT                1016
#define IDC_LOAD_FROM_DISK      1034
#define IDC_SAVE_TO_DISK        1035
#define IDC_HELP_BUTTON         1110
#define IDC_ALLOCATE_SCHEMES    1124
#define IDC_CHOOSE_HELPER       1139
#define IDC_NEW_NAME            1101
#define IDC_COMPLETELY_NEW      1120
#define IDC_COPY_EXISTING       1121
#define IDC_COPY_LABEL          1122
#define IDC_COPY_LIST           1123
#define IDM_HELP                32771
#define IDM_ABOUT               32772
// In the main dialog's system menu: a multiple of 16 below 0xF000, as system commands are.
#define IDM_UNDO_LOAD 32528

// ---- editor: property sheet, pages, Root Properties, Web Links, Icon Picker ------------------
#define IDD_GENERAL_PAGE        107
#define IDI_TAB_GENERAL         217
#define IDI_TAB_LINKS           218
#define IDI_LINKS               220
#define IDI_PROGRAMS            221
#define IDI_TAB_MY_FILES        223
#define IDI_MY_FILES            224

#define IDC_GENERAL_TAB         1023
#define IDC_GENERAL_DESCRIPTION 1028
#define IDC_GENERAL_NAME        1036
#define IDC_GENERAL_UNDO        1062
#define IDC_GENERAL_PRINT       1069
#define IDC_GENERAL_ICON_SIZE   1071
#define IDC_GENERAL_CUT_COPY_PASTE 1112
#define IDC_GENERAL_DELETE      1113
#define IDC_GENERAL_NEW_RENAME  1114
#define IDC_GENERAL_PROGRAMS    1131
#define IDC_GENERAL_MY_FILES    1132
#define IDC_GENERAL_LINKS       1133
#define IDC_GENERAL_SILENT      1136
#define IDC_GENERAL_TALKING     1137
#define IDC_GENERAL_VIEW        1138
#define IDC_GENERAL_MENUS_ON    1139
#define IDC_GENERAL_MENUS_OFF   1140
#define IDC_GENERAL_OPTIONS_ON  1145
#define IDC_GENERAL_OPTIONS_OFF 1146

// -- editor, pictures: Links and My Files pages, Root Properties, Web Links, Icon Picker
#define IDD_LINKS_PAGE          108
#define IDI_ARROW_DOWN          157
#define IDI_ARROW_UP            159
#define IDD_ROOT_PROPERTIES     160
#define IDD_ICON_PICKER         164
#define IDD_WEB_LINK            168
#define IDD_MY_FILES_PAGE       169
#define IDI_ARROW_UP_HOT        202
#define IDI_ARROW_DOWN_HOT      206

#define IDC_ITEM_ADD            1014
#define IDC_ITEM_REMOVE         1015
#define IDC_ITEM_EDIT           1016
#define IDC_LINK_LIST           1021
#define IDC_LINK_LONG_TIP       1025
#define IDC_LINK_SHORT_TIP      1026
#define IDC_MOVE_UP             1032
#define IDC_MOVE_DOWN           1033
#define IDC_ITEM_NAME           1036
#define IDC_ROOT_PATH           1037
#define IDC_ROOT_LEVELS_SPIN    1039
#define IDC_ROOT_LEVELS         1040
#define IDC_SELECTED_STANDARD   1041
#define IDC_SELECTED_CUSTOM     1042
#define IDC_UNSELECTED_STANDARD 1043
#define IDC_UNSELECTED_CUSTOM   1044
#define IDC_SELECTED_CHANGE     1045
#define IDC_UNSELECTED_CHANGE   1046
#define IDC_ROOT_GROUP          1047
#define IDC_SELECTED_PICTURE    1049
#define IDC_UNSELECTED_PICTURE  1050
#define IDC_ROOT_LIMIT_LEVELS   1051
#define IDC_PICKER_PICTURES     1054
#define IDC_LINK_URL            1088
#define IDC_LINK_CHANGE         1091
#define IDC_LINK_PICTURE        1094
#define IDC_ROOT_LIST           1099
#define IDC_ROOT_BROWSE         1130
#define IDC_DIALOG_CANCEL       1134

// ---- allocation: allocation dialog and scheme picker ------------------------------------------
#define IDD_ALLOCATION              207
#define IDD_SCHEME_PICKER           208
#define IDI_USER                    209
#define IDI_CLASS                   210

#define IDC_ALLOCATION_SCHEME_CHOICE 1023
#define IDC_ALLOCATION_LIST         1124
#define IDC_ALLOCATION_HINT         1125
#define IDC_ALLOCATION_CHANGE       1126
#define IDC_ALLOCATION_APPLY        1127
#define IDC_PICKER_LIST             1128
#define IDC_PER_USER_GROUP          1143
#define IDC_PER_USER_HINT           1144
#define IDC_PER_USER_LABEL          1145
#define IDC_ALLOCATION_GROUP        1147

// ---- helper_chooser ----------------------------------------------------------------------------
#define IDD_HELPER_CHOOSER      227
#define IDB_MERLIN_PRESSED      228
#define IDB_PEEDY_PRESSED       229
#define IDB_ROBBY_PRESSED       230
#define IDB_ROBBY_NORMAL        231
#define IDB_MERLIN_NORMAL       232
#define IDB_PEEDY_NORMAL        233
#define IDB_GENIE_NORMAL        234
#define IDB_GENIE_PRESSED       235
#define IDB_HELPER_SCALE_STEP   1000 // the pictures above at 125, 150 and 200 %: id + 1, 2, 3 steps

#define IDC_HELPER_LABEL        1122
#define IDC_PEEDY               1141
#define IDC_HELPER_NAME         1142
#define IDC_ROBBY               1143
#define IDC_MERLIN              1144
#define IDC_GENIE               1145
