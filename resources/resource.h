// Every resource id of the two programs and the companion.
// String ids are the string-table numbers the programs address texts by.
// Icons, bitmaps, the wave and dialogs are separate resource types, so an icon
// and a bitmap (or a dialog) may share a number: 158 is both the "checking"
// tray icon and the cookie-folder picture, 193 both a bitmap and a dialog.
#pragma once

// Icons. Each holds a 16x16 and a 32x32 image with alpha.
#define IDI_PROGRAM 101
#define IDI_ITEM_DEFAULT 115        // list rows whose file has no icon of its own
#define IDI_TRAY_STARTUP 157        // first half of a sweep (startup programs)
#define IDI_TRAY_CHECKING 158       // second half of a sweep, IE helpers, hidden files, ActiveX
#define IDI_TRAY_CLASSIC 159        // the "original Tobbit" tray picture; the 9x default
#define IDI_TRAY_ALERT 161          // an alert is pending; also the hidden-file alert's picture
#define IDI_ALERT_IE_HELPER 162
#define IDI_ALERT_SERVICE 164
#define IDI_ALERT_STARTUP 165
#define IDI_ALERT_TASK 166
#define IDI_TAB_VELT 167
#define IDI_ALERT_ACTIVEX 171
#define IDI_TAB_SERVICES 173
#define IDI_TAB_STARTUP 174
#define IDI_TAB_ACTIVE_TASKS 176
#define IDI_TAB_FILE_TYPES 179
#define IDI_TAB_IE_HELPERS 180
#define IDI_TAB_OPTIONS 181
#define IDI_TAB_SCHEDULED_TASKS 182
#define IDI_TAB_COOKIES 183         // also every row of the cookie filter list
#define IDI_TAB_HIDDEN_FILES 198
#define IDI_DELAYED 200             // Delayed Start tab and the back-in-startup alert
#define IDI_TAB_ACTIVEX 212

// Picture-button bitmaps of the explorer's pages. Their background is the
// classic 3-D face grey (192,192,192); they are 24-bit without a colour table,
// so the explorer paints that grey in the page's colour itself when it loads them.
#define IDB_HELP 133
#define IDB_HELP_HOVER 134
#define IDB_HELP_PRESSED 135
#define IDB_MONITOR_OFF 154
#define IDB_MONITOR_HOVER 155
#define IDB_MONITOR_ON 156
#define IDB_MONITOR_REALTIME 193
#define IDB_FOLDER 158
#define IDB_FOLDER_HOVER 159
#define IDB_FOLDER_PRESSED 160

// Sound played when the user's scheme names no file for an alert.
#define IDR_ALERT_WAVE 170

// Strings, shared table
#define IDS_CLASS_NAME 1
#define IDS_CAPTION 2
#define IDS_HTTP_COMMAND_KEY 5
#define IDS_MOZILLA_CLASS 11
#define IDS_IE_APP_PATH_KEY 12
#define IDS_WININIT_TITLE 30
#define IDS_WININIT_EMPTY 59
#define IDS_INFO_BUTTON 301
#define IDS_CLOSE 304
#define IDS_WININIT_DELETE 614
#define IDS_EXPLORER_CAPTION 622
#define IDS_IE_MAIN_KEY 623
#define IDS_LANGUAGE_CODE 634
#define IDS_VELT_INFO_BUTTON 641
#define IDS_VERSION_LABEL 644
#define IDS_SERVICE_STOPPED 652    // 652..658: service states 1..7
#define IDS_SERVICE_START_AUTOMATIC 664
#define IDS_SERVICE_START_MANUAL 665
#define IDS_SERVICE_START_DISABLED 666
#define IDS_NEVER 686
#define IDS_WININIT_LEGEND 702
#define IDS_KILL_TASK_QUESTION 707
#define IDS_FILE_NOT_FOUND 730
#define IDS_WATCHED_FILE_TYPES 750
#define IDS_DELETE_BUTTON 925
#define IDS_COOKIE_FOLDER_NOT_FOUND 968
#define IDS_UPDATE_MODE_TITLE 1050  // 1050 + n: the text of update mode n
#define IDS_DEFAULT_PREFIX 1061
#define IDS_SIGNATURE_VALID 1400       // "%s" is the signer
#define IDS_SIGNATURE_INVALID 1401
#define IDS_SIGNATURE_UNSIGNED 1402

// Strings, monitor table
#define IDS_STARTUP_ALERT_TEXT 7
#define IDS_NEW_COOKIES_QUESTION 16
#define IDS_CONFIRM_EXIT 17
#define IDS_WININIT_QUESTION 28
#define IDS_MENU_ABOUT 501
#define IDS_MENU_STARTUP 503
#define IDS_MENU_ACTIVE_TASKS 504
#define IDS_MENU_COOKIES 505
#define IDS_MENU_RESTART_COMMANDS 507
#define IDS_MENU_EXIT 508
#define IDS_MENU_SERVICES 509
#define IDS_MENU_FILE_TYPES 510
#define IDS_MENU_OPTIONS 610
#define IDS_SERVICE_START_UNKNOWN 616
#define IDS_IE_START_PAGE_VALUE 624
#define IDS_START_PAGE_QUESTION 625
#define IDS_VERSION_LABEL_SHORT 630
#define IDS_DISABLE_BUTTON 633
#define IDS_IE_SEARCH_PAGE_VALUE 675
#define IDS_SEARCH_PAGE_QUESTION 676
#define IDS_MENU_SCHEDULED_TASKS 685
#define IDS_TASK_ALERT_TEXT 692
#define IDS_MENU_IE_HELPERS 697
#define IDS_IE_HELPER_ALERT_TEXT 701
#define IDS_ALERT_CAPTION 718
#define IDS_FILE_TYPE_ALERT_TEXT 756  // 756..759: the four texts of the file-type alert
#define IDS_FILE_TYPE_ALERT_CAPTION 760
#define IDS_STARTUP_WHERE_OTHER 765
#define IDS_STARTUP_WHERE_RUN_ONCE 766
#define IDS_STARTUP_WHERE_WIN_INI 767
#define IDS_STARTUP_WHERE_FOLDER 768
#define IDS_EXPLORER_MISSING 795
#define IDS_TRAY_IDLE 820
#define IDS_TRAY_STARTUP 821
#define IDS_TRAY_IE_HELPERS 822
#define IDS_TRAY_TASKS 823
#define IDS_TRAY_CHECKING 824
#define IDS_TRAY_SETTINGS 825
#define IDS_TRAY_COOKIES 826
#define IDS_TRAY_FILE_TYPES 827
#define IDS_TRAY_SYSTEM_FILES 828
#define IDS_TRAY_PAGES 829
#define IDS_TRAY_RESTORING 830
#define IDS_SERVICE_ALERT_TEXT 900
#define IDS_SERVICE_ALERT_STATUS 901
#define IDS_FILE_CHANGE_CAPTION 1000  // 1000..1010: the system-file change dialog
#define IDS_PROTECTED_REMOVE_QUESTION 1013
#define IDS_HIDDEN_ALERT_TEXT 1015
#define IDS_IE_DESKTOP_KEY 1016
#define IDS_DESKTOP_PAGE_QUESTION 1017
#define IDS_MENU_HIDDEN_FILES 1018
#define IDS_MENU_DELAYED 1020
#define IDS_DELAYED_BACK_TEXT 1022
#define IDS_DELAYED_BACK_CAPTION 1023
#define IDS_UPDATE_MODE_QUESTION 1055
#define IDS_PREFIX_TITLE 1060
#define IDS_PREFIX_QUESTION 1065
#define IDS_ACTIVEX_ALERT_TEXT 1066
#define IDS_MENU_ACTIVEX 1067
#define IDS_SIGNATURE_WARN_UNSIGNED 1404  // first line of an unsigned program's alert
#define IDS_SIGNATURE_WARN_INVALID 1405   // first line of a tampered program's alert

// Strings, explorer table: addressed by number; the few named here are the
// ones its entry needs before any page exists.
#define IDS_EXPLORER_CLASS_NAME 9
#define IDS_NO_SELECTION 57
#define IDS_DISABLED_MARKER 626
#define IDS_TASK_STATUS_READY 688
#define IDS_TASK_STATUS_RUNNING 689
#define IDS_TASK_STATUS_NOT_SCHEDULED 690
#define IDS_EXPLORER_LOADING 833
#define IDS_FILE_IN_USE 923
#define IDS_SYSTEM_ERROR 24
#define IDS_VELT_TEXT1 262
#define IDS_VELT_TEXT2 263
#define IDS_VERSION_CHECK 764
#define IDS_SEARCH_BUTTON 769
#define IDS_SEARCH_LABEL 770
#define IDS_HELP_LABEL 793
#define IDS_VERSION_PAGE 1149
#define IDS_VELT_NEWS 1183
#define IDS_SIGNATURE_COLUMN 1403

// Machine-wide actions that neither the monitor nor the elevated job could take.
#define IDS_JOB_FAILED 1410
#define IDS_JOB_UPDATE_MODE 1411
#define IDS_JOB_PREFIX 1412
#define IDS_JOB_STARTUP_REMOVE 1413
#define IDS_JOB_SERVICE_REJECT 1414
#define IDS_JOB_SYSTEM_FILE_RESTORE 1415
#define IDS_JOB_ACTIVEX_KILL 1416
#define IDS_JOB_IE_HELPER_REMOVE 1417
#define IDS_JOB_FILE_TYPE_RESTORE 1418
#define IDS_JOB_STARTUP_RESTORE 1419
#define IDS_JOB_UNDO_RESTORE 1420
#define IDS_UNDO_FOR_ACCOUNT 1421
#define IDS_JOB_POINT_REMOVE 1425

// Scheduled tasks page: a task the Task Scheduler would not disable.
#define IDS_TASK_DISABLE_FAILED 1330

// Alert dialogs of the monitor. The program alerts share their control ids; the file-type
// alert has its own below.
#define IDD_ALERT_STARTUP 131
#define IDD_ALERT_DELAYED_BACK 192
#define IDD_ALERT_TASK 138
#define IDD_ALERT_SERVICE 171
#define IDD_ALERT_IE_HELPER 140
#define IDD_ALERT_FILE_TYPE 143
#define IDD_ALERT_ACTIVEX 193
#define IDD_ALERT_HIDDEN 191
#define IDC_ALERT_NAME 100
#define IDC_ALERT_ICON_BUTTON 117         // flat button: the program's icon, or "No Icon"
#define IDC_ALERT_DONT_ASK 1014           // disabled and hidden in the startup alert
#define IDC_ALERT_COMMAND 1026
#define IDC_ALERT_VERSION 1029
#define IDC_ALERT_COMPANY 1030
#define IDC_ALERT_DESCRIPTION 1031
#define IDC_ALERT_COPYRIGHT 1032
#define IDC_ALERT_MESSAGE 1036
#define IDC_ALERT_INFO 1067
#define IDC_ALERT_VERSION_LABEL 1097
#define IDC_ALERT_SIGNATURE 1098          // the program's signature state, under its facts
#define IDC_ALERT_PICTURE 1130
#define IDC_ALERT_SERVICE_TEXT 1143
#define IDC_ALERT_SERVICE_STATUS 1144
#define IDC_FT_INTRO 1025
#define IDC_FT_CURRENT_LABEL 1026
#define IDC_FT_CHANGED_LABEL 1027
#define IDC_FT_QUESTION 1028
#define IDC_FT_OLD_NAME 1111
#define IDC_FT_OLD_ICON 1112
#define IDC_FT_OLD_COMMAND 1113
#define IDC_FT_OLD_COMPANY 1114
#define IDC_FT_OLD_INFO 1115
#define IDC_FT_NEW_ICON 1116
#define IDC_FT_NEW_COMMAND 1117
#define IDC_FT_NEW_NAME 1118
#define IDC_FT_NEW_COMPANY 1119
#define IDC_FT_NEW_INFO 1120
#define IDC_FT_EXTENSION 1121
#define IDC_FT_OLD_SIGNATURE 1122
#define IDC_FT_NEW_SIGNATURE 1123

// The system-file change dialog and the restart-commands viewer: dialogs of their own, not
// alert rows. The change dialog's texts are strings 1000..1010 in control order.
#define IDD_RESTART_VIEWER 130
#define IDD_SYSTEM_FILE 189
#define IDC_SYSFILE_PICTURE 1200
#define IDC_SYSFILE_INTRO 1201
#define IDC_SYSFILE_EXPECTED 1202
#define IDC_SYSFILE_UNEXPECTED 1203
#define IDC_SYSFILE_NAME_LABEL 1204
#define IDC_SYSFILE_PATH_LABEL 1205
#define IDC_SYSFILE_VIEW_NEW 1206
#define IDC_SYSFILE_VIEW_PREVIOUS 1207
#define IDC_SYSFILE_ACCEPT 1208
#define IDC_SYSFILE_REJECT 1209
#define IDC_SYSFILE_STOP_WATCHING 1210
#define IDC_SYSFILE_NAME 1211
#define IDC_SYSFILE_PATH 1212
#define IDC_SYSFILE_COMMENT 1213
#define IDC_RESTART_TEXT 1220
#define IDC_RESTART_LEGEND 1221
#define IDC_RESTART_DELETE 1222

// Commands between the programs. The page commands open a page of the explorer: the monitor
// hands them over as command-line switches, a second explorer start posts them to the frame.
#define ID_PAGE_STARTUP 6026
#define ID_PAGE_VELT 6027
#define ID_PAGE_COOKIES 6028
#define ID_PAGE_ACTIVE_TASKS 6029
#define ID_PAGE_OPTIONS 6033
#define ID_PAGE_SERVICES 6038
#define ID_PAGE_SCHEDULED_TASKS 6039
#define ID_PAGE_IE_HELPERS 6040
#define ID_PAGE_FILE_TYPES 6042
#define ID_PAGE_HIDDEN_FILES 6052
#define ID_PAGE_DELAYED 6055
#define ID_PAGE_ACTIVEX 6056
#define ID_CMD_STARTUP_STEP 6025         // monitor: add the tray icon and start the timer
#define ID_CMD_CLOSE 6030                // explorer: end; monitor: exit
#define ID_CMD_TOGGLE_AUTOSTART 6031
#define ID_CMD_RESTART_COMMANDS 6034
#define ID_CMD_COOKIE_VIEWER 6045        // explorer: Cookies page with the viewer open
#define ID_CMD_MONITOR 6046              // explorer: accepted, does nothing
#define ID_CMD_BLACKLIST 6047            // explorer: accepted, does nothing
#define ID_CMD_EXIT_REQUEST 6048
#define ID_MSG_RELAYOUT 6049             // sheet to active page after a size change
#define ID_STATUS_BAR 6050
#define ID_CMD_TRAY_VISIBILITY 6053      // explorer to monitor: lParam is the new HideTobbit

// Explorer dialogs: the pages of the tabbed window, in tab order, then the small dialogs.
#define IDD_PAGE_STARTUP 102
#define IDD_PAGE_DELAYED 197
#define IDD_PAGE_ACTIVEX 201
#define IDD_PAGE_IE_HELPERS 139
#define IDD_PAGE_SCHEDULED_TASKS 137
#define IDD_PAGE_SERVICES 132
#define IDD_PAGE_ACTIVE_TASKS 110
#define IDD_PAGE_COOKIES 108
#define IDD_PAGE_FILE_TYPES 142
#define IDD_PAGE_HIDDEN_FILES 195
#define IDD_PAGE_VELT 103
#define IDD_PAGE_OPTIONS 114
#define IDD_SWEEP_TIME 160
#define IDD_MESSAGE 184
#define IDD_PROTECTED_WARNING 194

// Controls every list page shares.
#define IDC_PAGE_LIST 1000
#define IDC_PAGE_CLOSE 1004
#define IDC_PAGE_INFO 1008
#define IDC_PAGE_HEADER 1047
#define IDC_PAGE_ICON 1130
#define IDC_HELP_PICTURE 1077
#define IDC_HELP_LABEL 1134
#define IDC_MONITOR_PICTURE 1112
#define IDC_MONITOR_LABEL 1135

// Startup page: buttons, check box and its menu's commands.
#define IDC_STARTUP_ENABLE 10
#define IDC_STARTUP_DISABLE 11
#define IDC_STARTUP_REMOVE 1003
#define IDC_STARTUP_SHOW_ALL 1014
#define IDC_STARTUP_ADD 1064
#define ID_MENU_LOG 9
#define ID_MENU_VELT_INFO 1067
#define ID_MENU_DELETE_ON_REBOOT 1144
#define ID_MENU_VIEW_NOTE 1164
#define ID_MENU_DELAY 1195
#define ID_MENU_EXPLORE_FOLDER 1201
#define ID_MENU_PROPERTIES 1202

// About (VELT) page.
#define IDC_VELT_NEWS 1021
#define IDC_VELT_TITLE 1041
#define IDC_VELT_SEARCH_TEXT 1075
#define IDC_VELT_SEARCH 1076
#define IDC_VELT_CHECK_VERSION 1123
#define IDC_VELT_TEXT1 1042
#define IDC_VELT_TEXT2 1043
#define IDC_VELT_SEARCH_LABEL 1044

// Sweep-time dialog.
#define IDC_SWEEP_MINUTES 1004
#define IDC_SWEEP_REALTIME 1014
#define IDC_SWEEP_TEXT 1131
#define IDC_SWEEP_UNIT 1132
#define IDC_SWEEP_HINT 1133
#define IDC_SWEEP_SLIDER 1142

// Message dialog and the protected-entry warning.
#define IDC_MESSAGE_TEXT 1040
#define IDC_WARNING_TITLE 1050
#define IDC_WARNING_TEXT 1051
#define IDC_WARNING_FILE 1052
#define IDC_WARNING_CONFIRM 1053

// Category pages: what several of them share, then each page's header lines, buttons and
// menu commands, and the small dialogs they open.
#define IDC_PAGE_ENABLE 10
#define IDC_PAGE_DISABLE 11
#define IDC_PAGE_REMOVE 1003
#define IDC_PAGE_REFRESH 1006
#define IDC_PAGE_KILL 1007
#define IDC_PAGE_CHECK 1014
#define IDC_PAGE_CHECK2 1015
#define IDC_PAGE_ADD 1064
#define IDC_DELAYED_HEADER 1187
#define IDC_DELAYED_HEADER2 1200
#define IDC_DELAYED_OPTIONS 1197
#define ID_MENU_LAUNCH 1065
#define ID_MENU_RESTORE_DELAYED 1198
#define IDC_ACTIVEX_HEADER 1185
#define IDC_IE_HEADER 1100
#define IDC_IE_HEADER2 1101
#define IDC_TASKS_HEADER 1095
#define IDC_TASKS_HEADER2 1096
#define IDC_SERVICES_HEADER 1047
#define IDC_SERVICES_HEADER2 1048
#define IDC_ACTIVE_HEADER 1052
#define IDC_ACTIVE_HEADER2 1053
#define IDC_TYPES_HEADER 1108
#define IDC_TYPES_HEADER2 1109
#define IDC_HIDDEN_HEADER 1178
#define IDC_HIDDEN_HEADER2 1179
#define ID_MENU_NOTEPAD 1180
#define ID_MENU_DELETE_FILE 1184
#define IDD_PROGRAM_TYPE 199
#define IDC_PROGRAM_TYPE_TEXT 1040
#define IDC_PROGRAM_TYPE_ALL 1041
#define IDC_PROGRAM_TYPE_USER 1042
#define IDD_DELAY_OPTIONS 196
#define IDC_DELAY_TEXT 1040
#define IDC_DELAY_MINUTES 1041
#define IDC_DELAY_SECONDS 1042
#define IDC_DELAY_STATE 1043
#define IDC_DELAY_PARAMETERS 1044
#define IDC_DELAY_TITLE 1045
#define IDC_DELAY_MINUTES_LABEL 1046
#define IDC_DELAY_SECONDS_LABEL 1047
#define IDC_DELAY_STATE_LABEL 1048
#define IDC_DELAY_TITLE_LABEL 1049
#define IDC_DELAY_PARAMETERS_LABEL 1050
#define IDD_ADD_FILE_TYPE 144
#define IDC_ADD_TYPE_TEXT 1102
#define IDC_ADD_TYPE_EXTENSION 1004

// Options page, its Hide Alerts dialog and the history dialog.
#define IDC_OPT_HEADER 1049
#define IDC_OPT_GROUP 1051
#define IDC_OPT_AUTOSTART 1017
#define IDC_OPT_SOUND 1020
#define IDC_OPT_HISTORY 1024
#define IDC_OPT_HIDE_TRAY 1025
#define IDC_OPT_LOCK_TYPES 1026
#define IDC_OPT_CONFIRM_EXIT 1027
#define IDC_OPT_TRAY_ICON 1201
#define IDC_OPT_VELT_FORMAT 1202
#define IDC_OPT_PAGES_PICTURE 1136
#define IDC_OPT_HOSTS_PICTURE 1137
#define IDC_OPT_WININIT_PICTURE 1138
#define IDC_OPT_WININIT_LABEL 1139
#define IDC_OPT_PAGES_LABEL 1140
#define IDC_OPT_HOSTS_LABEL 1141
#define IDC_OPT_VIEW_HISTORY 1104
#define IDC_OPT_VIEW_HOSTS 1105
#define IDC_OPT_RESTORE_DELAYED 1107
#define IDC_OPT_HIDE_ALERTS 1236
#define IDC_OPT_REPORT 1108
#define IDC_OPT_SCAN_LOG 1109
#define IDC_OPT_SPREADSHEET 1110
#define IDC_OPT_EXPORT_SETTINGS 1106
#define IDD_HIDE_ALERTS 213
#define IDC_HIDE_TEXT 1233
#define IDC_HIDE_ALLOW_HEAD 1212
#define IDC_HIDE_DENY_HEAD 1213
#define IDC_HIDE_STARTUP 1234
#define IDC_HIDE_STARTUP_ALLOW 1214
#define IDC_HIDE_STARTUP_DENY 1215
#define IDC_HIDE_IE_HELPERS 1235
#define IDC_HIDE_IE_HELPERS_ALLOW 1216
#define IDC_HIDE_IE_HELPERS_DENY 1217
#define IDC_HIDE_TASKS 1236
#define IDC_HIDE_TASKS_ALLOW 1218
#define IDC_HIDE_TASKS_DENY 1219
#define IDC_HIDE_SERVICES 1237
#define IDC_HIDE_SERVICES_ALLOW 1220
#define IDC_HIDE_SERVICES_DENY 1221
#define IDC_HIDE_ACTIVEX 1238
#define IDC_HIDE_ACTIVEX_ALLOW 1222
#define IDC_HIDE_ACTIVEX_DENY 1223
#define IDC_HIDE_HIDDEN 1239
#define IDC_HIDE_HIDDEN_ALLOW 1224
#define IDC_HIDE_HIDDEN_DENY 1225
#define IDC_HIDE_FILE_TYPES 1240
#define IDC_HIDE_FILE_TYPES_ALLOW 1231
#define IDC_HIDE_FILE_TYPES_DENY 1232
#define IDC_HIDE_SYSTEM_FILES 1241
#define IDC_HIDE_SYSTEM_FILES_ALLOW 1226
#define IDC_HIDE_SYSTEM_FILES_DENY 1227
#define IDC_HIDE_HOME_PAGES 1242
#define IDC_HIDE_HOME_PAGES_ALLOW 1228
#define IDC_HIDE_HOME_PAGES_DENY 1229
#define IDD_HISTORY 141
#define IDC_HISTORY_TEXT 1102
#define IDC_HISTORY_RESTORE 1104
#define IDC_HISTORY_CLEAR 1106

// Cookies page, its cookie viewer and the text viewer. The page's filter box is 1004, which
// is Close on the other pages: the page routes its own commands.
#define IDC_COOKIES_TEXT1 1124
#define IDC_COOKIES_TEXT2 1125
#define IDC_COOKIES_TEXT3 1126
#define IDC_COOKIES_FILTERS_LABEL 1160
#define IDC_COOKIES_ADD 1064
#define IDC_COOKIES_REMOVE 1003
#define IDC_COOKIES_VIEW 1129
#define IDC_COOKIES_ALWAYS_VIEW 1014
#define IDC_COOKIES_IE 1127
#define IDC_COOKIES_MOZILLA 1128
#define IDC_COOKIES_FILTER 1004
#define IDC_COOKIES_SELECTED 1105
#define IDC_COOKIES_FOLDER 1143
#define IDC_COOKIES_FOLDER_PICTURE 1131
#define IDD_COOKIE_VIEWER 145
#define IDC_VIEWER_TEXT1 1045
#define IDC_VIEWER_TEXT2 1046
#define IDC_VIEWER_VIEW 1008
#define IDC_VIEWER_REMOVE_UNCHECKED 1004
#define IDC_VIEWER_REMOVE_CHECKED 1103
#define IDC_VIEWER_FOLDER 1145
#define IDD_TEXT_VIEWER 109
#define IDC_TEXT_VIEW 1004
#define IDC_TEXT_PATH 1005

// Program info dialog.
#define IDD_INFO 121
#define IDC_INFO_KILL 3
#define IDC_INFO_RUN 4
#define IDC_INFO_EXPAND 5
#define IDC_INFO_APPLY 12
#define IDC_INFO_PRODUCT 100
#define IDC_INFO_COPYRIGHT_LABEL 1025
#define IDC_INFO_PATH 1026
#define IDC_INFO_VERSION 1029
#define IDC_INFO_COMPANY 1030
#define IDC_INFO_DESCRIPTION 1031
#define IDC_INFO_COPYRIGHT 1032
#define IDC_INFO_NOTE 1033
#define IDC_INFO_VERSION_LABEL 1034
#define IDC_INFO_COMPANY_LABEL 1037
#define IDC_INFO_CREATED_LABEL 1038
#define IDC_INFO_LOCATION 1039
#define IDC_INFO_SAVED_LABEL 1041
#define IDC_INFO_DETECTED_LABEL 1042
#define IDC_INFO_SIZE_LABEL 1043
#define IDC_INFO_STATUS 1010
#define IDC_INFO_CREATED 1011
#define IDC_INFO_SAVED 1013
#define IDC_INFO_DETECTED 1014
#define IDC_INFO_SIZE 1181
#define IDC_INFO_NOTE_BUTTON 1069
#define IDC_INFO_LOOKUP 1067
#define IDC_INFO_NEXT 1082
#define IDC_INFO_PREVIOUS 1083
#define IDC_INFO_START_TYPE 1090
#define IDC_INFO_START_LABEL 1091
#define IDC_INFO_STATUS_LABEL 1092
