#pragma once
// Resource and string ids of the program's user interface (ui/res/*.rc).
#include "framework/stdids.h"

// ---- resources
#define IDD_ABOUTBOX 100            // "About KORVELTA-PRINT", also the start-up splash
#define IDC_ABOUT_VERSION 1122      // "Version %d.%d.%d.%d"
#define IDC_ABOUT_LINK 2233         // the maker's web address
#define IDR_MAINFRAME 128           // main frame: title string, accelerators
#define IDR_PROJECTTYPE 130         // the project document template's seven fields
#define IDR_STYLE_MENU 200          // the "Style" button's menu of looks
#define IDR_CONTEXT_EDIT 119
#define IDR_CONTEXT_EXPLORER 174
#define IDR_CONTEXT_DESIGN 322
#define IDR_CONTEXT_TABLE 323
#define IDR_CONTEXT_PREVIEW 324
#define IDB_APP_BUTTON 112
#define IDB_PANEL_IMAGES 113
#define IDR_MENU_IMAGES 179         // the menu pictures: toolbar (commands) and bitmap strip
#define IDB_MENU_IMAGES_HC 180      // the same pictures for displays of more than 256 colours

// ---- strings
#define IDS_OLE_INIT_FAILED 100
#define IDS_SOCKETS_INIT_FAILED 104
#define IDS_WINDOWS_DIALOG 132      // "&Windows..."
#define IDS_RIBBON_FILE 260
#define IDS_RIBBON_NEW 262
#define IDS_RIBBON_OPEN 263
#define IDS_RIBBON_SAVE 264
#define IDS_RIBBON_SAVE_AS 265
#define IDS_RIBBON_PRINT 266
#define IDS_RIBBON_PRINT_SETUP 270
#define IDS_RIBBON_CLOSE 271
#define IDS_RIBBON_RECENT_DOCS 272
#define IDS_RIBBON_EXIT 273
#define IDS_RIBBON_HOME 274
#define IDS_RIBBON_SEND_TO 280
#define IDS_RIBBON_STYLE 286
#define IDS_RIBBON_STYLE_TIP 287
#define IDS_RIBBON_STYLE_DESC 288
#define IDS_RIBBON_LABEL 291
#define IDS_RIBBON_OPTIONS 292
#define IDS_RIBBON_EDIT 299
#define IDS_CONTEXT_EXPLORER 305
#define IDS_CONTEXT_EDIT 306
#define IDS_CONTEXT_DESIGN 307
#define IDS_CONTEXT_TABLE 308
#define IDS_CONTEXT_PREVIEW 309
#define IDS_RIBBON_PAGE 364
#define IDS_RIBBON_LABEL_INFO 365
#define IDS_RIBBON_DRAW 366
#define IDS_RIBBON_FINE_TUNE 367
#define IDS_RIBBON_FORMAT 368
#define IDS_RIBBON_TABLE 369
#define IDS_RIBBON_OTHER_COLOR 435
#define IDS_FIELD_DELIMITER_NONE 539    // 539..541: "None", "Space", "Line break"
#define IDS_DATE_FORMAT_FIRST 638       // 638..642: "Short" .. "Week number"
#define IDS_RIBBON_OTHER 662
#define IDS_RIBBON_NEW_PROJECT 678
#define IDS_RIBBON_NEW_TEMPLATE 679
#define IDS_RIBBON_NEW_TABLE 680
#define IDS_RIBBON_CREATE_PROJECT 681
#define IDS_RIBBON_ADD_TO_PROJECT 682
#define IDS_RIBBON_IMAGE 683
#define IDS_RIBBON_UNDO 684
#define IDS_RIBBON_ABOUT 706            // "About %s"
#define IDS_CHARSET_FIRST 905           // 905..923: the character set names
#define IDS_CHARSET_LAST 923
#define IDS_QR_ENCODING_8BIT 1076
#define IDS_QR_ENCODING_KANJI 1077
#define IDS_RIBBON_REDO 1124
#define IDS_APP_TITLE AFX_IDS_APP_TITLE // 57344 "KORVELTA-PRINT"
