#pragma once
// Every resource and control id of the installer, in one place: the resource scripts, the
// payload's generated resource list and the C++ include this header. Plain macros, because the
// resource compiler understands nothing else.

// --- Embedded configuration -----------------------------------------------------------------
#define IDR_SETUP_CONFIG 260  // XML

// --- Payload: programs, scripts and archives ------------------------------------------------
#define IDR_UNINSTALLER 176  // EXE
#define IDR_SEVEN_ZIP 326    // EXE: 7za.exe
#define IDR_PELLOWAN 389     // EXE
#define IDR_CALDRY 390       // EXE
#define IDR_ICON_CACHE 1149  // EXE: ie4uinit.exe
#define IDR_NPF_REMOVAL 327  // BAT: delnpf.bat
#define IDR_NPF_PACKAGE 248  // ZIP
#define IDR_WEB_SERVER 250   // ZIP: Nginx and html

// Visual C++ runtime installers (EXE).
#define IDR_RUNTIME_2008_X86 286
#define IDR_RUNTIME_2008_X64 289
#define IDR_RUNTIME_2013_X86 287
#define IDR_RUNTIME_2013_X64 288
#define IDR_RUNTIME_2015_X86 290
#define IDR_RUNTIME_2015_X64 291
#define IDR_RUNTIME_2010_X86 1147

// Component archives (ZIP), named by component number.
#define IDR_PACKAGE_0 278
#define IDR_PACKAGE_1 253
#define IDR_PACKAGE_2 280
#define IDR_PACKAGE_3 246
#define IDR_PACKAGE_4 282
#define IDR_PACKAGE_5 237
#define IDR_PACKAGE_6 256
#define IDR_PACKAGE_7 244
#define IDR_PACKAGE_8 240
#define IDR_PACKAGE_9 251
#define IDR_PACKAGE_10 257
#define IDR_PACKAGE_11 239
#define IDR_PACKAGE_12 281
#define IDR_PACKAGE_13 369
#define IDR_PACKAGE_14 385
#define IDR_PACKAGE_15 371
#define IDR_PACKAGE_16 391
#define IDR_PACKAGE_101 279
#define IDR_PACKAGE_102 254
#define IDR_PACKAGE_103 283
#define IDR_PACKAGE_104 247
#define IDR_PACKAGE_106 284
#define IDR_PACKAGE_107 238
#define IDR_PACKAGE_108 255
#define IDR_PACKAGE_109 245
#define IDR_PACKAGE_110 241
#define IDR_PACKAGE_111 252
#define IDR_PACKAGE_112 285
#define IDR_PACKAGE_113 370
#define IDR_PACKAGE_114 386
#define IDR_PACKAGE_115 372

// Licence documents (RTF).
#define IDR_LICENSE_CHINESE 164
#define IDR_LICENSE_ENGLISH 323

// --- Dialog templates -----------------------------------------------------------------------
#define IDD_TIP 320          // one-button message
#define IDD_TIP_CERTAIN 321  // question with OK and Cancel
#define IDD_START 129
#define IDD_START_AC 304
#define IDD_LICENSE 163
#define IDD_DISK_SPACE 211
#define IDD_INSTALLING 102
#define IDD_UNINSTALLING 143
#define IDD_INSTALL_FINISH 132
#define IDD_INSTALL_STOP 276
#define IDD_UNINSTALL_FINISH 157
#define IDD_COMPONENT_FULL 205    // feature page, FULL in Chinese
#define IDD_COMPONENT_FULL_E 322  // feature page, FULL in English
#define IDD_COMPONENT_VS 305      // feature page, VS, SC and DP
#define IDD_SECOND_INSTALL 155    // maintenance page
#define IDD_UPDATA 167            // upgrade page

// --- Skin pictures ---------------------------------------------------------------------------
// PNG resources (type PNG), decoded into bitmaps when first shown (ui/framework/SkinPictures.h).
#define IDB_PAGE_BACKGROUND 275
#define IDB_LOWER_PANEL 271  // start, start/install and progress pages
#define IDB_END_PANEL 273    // end pages and the upgrade page
#define IDB_MAINTENANCE_PANEL 294
#define IDB_FEATURE_PANEL 203
#define IDB_DISK_SPACE_BACKGROUND 204
#define IDB_LICENCE_BACKGROUND 272
#define IDB_MESSAGE_BACKGROUND 361
#define IDB_FEATURE_HIGHLIGHT 363
#define IDB_BROWSE_SQUARE 362
#define IDB_INFO_MARK 295
#define IDB_SUCCESS_MARK 318
#define IDB_WARNING_MARK 319
#define IDB_QUESTION_MARK 360
#define IDB_LOGO_FULL 311
#define IDB_LOGO_AC 315
#define IDB_LOGO_VS 314
#define IDB_LOGO_SL 381  // not carried: the header stays empty
#define IDB_LOGO_SC 382  // not carried
#define IDB_LOGO_DP 383  // not carried
#define IDB_PAGE_CLOSE_HOVER 343
#define IDB_PAGE_CLOSE_NORMAL 344
#define IDB_PAGE_CLOSE_PRESSED 345
#define IDB_DIALOG_CLOSE_HOVER 357
#define IDB_DIALOG_CLOSE_NORMAL 358
#define IDB_DIALOG_CLOSE_PRESSED 359
#define IDB_CHECK_HOVER 340
#define IDB_CHECK_NORMAL 341
#define IDB_CHECK_CHECKED 342
#define IDB_MANDATORY_DISABLED 364
#define IDB_MANDATORY_HOVER 365
#define IDB_MANDATORY_NORMAL 366
#define IDB_MANDATORY_DISABLED_CHECKED 367
#define IDB_MANDATORY_CHECKED 368
#define IDB_FEATURE_DISABLED_CHECKED 346
#define IDB_FEATURE_DISABLED 347
#define IDB_RADIO_HOVER 348
#define IDB_RADIO_NORMAL 349
#define IDB_RADIO_SELECTED 350
#define IDB_BROWSE_HOVER 351
#define IDB_BROWSE_NORMAL 352
#define IDB_BROWSE_PRESSED 353
#define IDB_DROP_DOWN_HOVER 354
#define IDB_DROP_DOWN_NORMAL 355
#define IDB_DROP_DOWN_PRESSED 356

// --- Controls shared by the page frame and the message dialogs ------------------------------
#define IDC_PATH_BOX 1020
#define IDC_TIP_PICTURE 1111
#define IDC_LOGO 1116
#define IDC_TITLE 1117
#define IDC_CLOSE 1118
#define IDC_LOWER_PANEL 1119
#define IDC_NEXT 1120  // Next, Install or OK, bottom right
#define IDC_TIP_TITLE 1132

// --- Controls of the pages ------------------------------------------------------------------
// One number serves several pages; the name says its main role.
#define IDC_ACCEPT_TEXT 1000    // start pages; the stopped page's headline
#define IDC_PAGE_CANCEL 1003    // progress page Cancel, stopped page Close, drive drop-down
#define IDC_BROWSE 1004
#define IDC_DESKTOP_CHECK 1007
#define IDC_CLIENT_CHECK 1008
#define IDC_ACCEPT_CHECK 1011
#define IDC_DETAILS_TEXT 1015   // start pages; the stopped page's details
#define IDC_LICENSE_TEXT 1019   // rich edit of the licence page
#define IDC_LICENSE_LINK 1031   // start pages; the licence page's title
#define IDC_LICENSE_HINT 1032
#define IDC_PRINT 1044
#define IDC_FOLDER_LABEL 1091
#define IDC_NEED_SPACE_LABEL 1096
#define IDC_NEED_SPACE 1097
#define IDC_FREE_SPACE_LABEL 1098
#define IDC_FREE_SPACE 1099
#define IDC_DISK_SPACE_LINK 1102
#define IDC_DISK_SPACE_TITLE 1103
#define IDC_DRIVE_LABEL 1104
#define IDC_DRIVE_BOX 1105
#define IDC_UNINSTALL_TEXT 1108
#define IDC_PROGRESS 1121
#define IDC_INSTALLING_TEXT 1122
#define IDC_FINISH 1123
#define IDC_DESKTOP_TEXT 1127
#define IDC_CLIENT_TEXT 1128
#define IDC_STATUS_TEXT 1129
#define IDC_RESULT_MARK 1131
#define IDC_BROWSE_SQUARE 1136
#define IDC_DROP_DOWN_SQUARE 1137
#define IDC_PATH_STRIP 1144
// The maintenance page: its options (check-box image buttons) and their labels. Its headline is
// IDC_ACCEPT_TEXT, its details IDC_DETAILS_TEXT, Remove's label IDC_UNINSTALL_TEXT.
#define IDC_REPAIR_OPTION 1106
#define IDC_MODIFY_OPTION 1107
#define IDC_REMOVE_OPTION 1133
#define IDC_MODIFY_TEXT 1134
#define IDC_REPAIR_TEXT 1135
// The upgrade page's two lines.
#define IDC_UPGRADE_GUIDE 1125
#define IDC_UPGRADE_DETAILS 1126
// Labels that have no number of their own elsewhere; numbered so that a layout row and a test
// can name them.
#define IDC_RESULT_TEXT 1200         // "completed" headline of the finished pages
#define IDC_ACCEPT_LICENSE_TEXT 1201  // the licence page's accept text

// --- Feature pages ----------------------------------------------------------------------------
#define IDC_FEATURE_FRAME 1071   // grey frame around the rows
#define IDC_CHOOSE_LABEL 1072
#define IDC_INFO_MARK 1093
#define IDC_PREVIOUS 1101
#define IDC_FEATURE_DESCRIPTION 1111
#define IDC_FEATURE_STRIP 1138   // highlight behind the chosen row
// Rows: check box, name label, size label.
#define IDC_BASIC_CHECK 1007
#define IDC_BASIC_NAME 1075
#define IDC_BASIC_SIZE 1076
#define IDC_VIDEO_CHECK 1008
#define IDC_VIDEO_NAME 1077
#define IDC_VIDEO_SIZE 1078
#define IDC_ACCESS_CHECK 1009
#define IDC_ACCESS_NAME 1079
#define IDC_ACCESS_SIZE 1080
#define IDC_ATTENDANCE_CHECK 1081
#define IDC_ATTENDANCE_NAME 1082
#define IDC_ATTENDANCE_SIZE 1083
#define IDC_EMAP_CHECK 1084
#define IDC_EMAP_NAME 1085
#define IDC_EMAP_SIZE 1086
#define IDC_STATISTICS_CHECK 1073
#define IDC_STATISTICS_NAME 1087
#define IDC_STATISTICS_SIZE 1088
#define IDC_AI_CHECK 1074
#define IDC_AI_NAME 1089
#define IDC_AI_SIZE 1090
#define IDC_TOPOLOGY_CHECK 1110
#define IDC_TOPOLOGY_NAME 1103
#define IDC_TOPOLOGY_SIZE 1104
#define IDC_VISITOR_CHECK 1113
#define IDC_VISITOR_NAME 1145
#define IDC_VISITOR_SIZE 1146
#define IDC_CONSUMPTION_CHECK 1115
#define IDC_CONSUMPTION_NAME 1148
#define IDC_CONSUMPTION_SIZE 1151
#define IDC_BROADCAST_CHECK 1153
#define IDC_BROADCAST_NAME 1152
#define IDC_BROADCAST_SIZE 1154

// --- Page layouts ----------------------------------------------------------------------------
// Where each control of a dialog sits, what it says and how it is drawn: resources of type
// PAGELAYOUT, one row a control, read by ui/PageLayout. A dialog's own layout has the dialog's
// id; these are the parts a page applies only in some cases.
#define IDL_PAGE_HEADER 1     // logo, title and close button of the large pages
#define IDL_FEATURE_HEADER 2  // title and close button of the feature pages
#define IDL_START_AC_LICENCE 3
#define IDL_MAINTENANCE_THREE_OPTIONS 4
#define IDL_MAINTENANCE_TWO_OPTIONS 5

// A row: control id, LAYOUT_FIXED and one rectangle (x, y, width, height) or LAYOUT_BY_... and
// two (English then Chinese, or brand type 0 then 1), font, colour, LAYOUT_BRAND_TEXT when the
// text is a format with the brand name, then the text key as a string ending in \0 (only the \0
// when the page sets the text itself). Every number is 16 bits.
#define LAYOUT_FIXED 0
#define LAYOUT_BY_LANGUAGE 1
#define LAYOUT_BY_BRAND_TYPE 2
#define LAYOUT_NO_FONT 0
#define LAYOUT_TITLE_FONT 1
#define LAYOUT_BOLD_FONT 2
#define LAYOUT_TEXT_FONT 3
#define LAYOUT_DEFAULT_COLOUR 0
#define LAYOUT_WHITE 1
#define LAYOUT_GREY 2
#define LAYOUT_PLAIN_TEXT 0
#define LAYOUT_BRAND_TEXT 1
