#pragma once
// Resource, control and string ids of the table view's fill and filter dialogs and of the text
// import sheet (ui/res/tabledialogs.rc).

#define IDD_TABLE_SEQUENCE 318
#define IDD_TABLE_REPEAT 319
#define IDD_TABLE_FILTER 325
#define IDD_TEXTIMPORT_FORMAT 326
#define IDD_TEXTIMPORT_DELIMITER 327
#define IDD_TEXTIMPORT_FIXEDLENGTH 328
#define IDD_TEXTIMPORT_CHARSET 329

// Sequence
#define IDC_SEQ_DECIMAL 1010
#define IDC_SEQ_OCTAL 1011
#define IDC_SEQ_HEX 1012
#define IDC_SEQ_ALPHA 1013
#define IDC_SEQ_LEADINGZERO 1014
#define IDC_SEQ_REVERSE 1015
#define IDC_SEQ_INSERT 1016
#define IDC_SEQ_PREFIX 1017
#define IDC_SEQ_START 1019
#define IDC_SEQ_STOP 560
#define IDC_SEQ_SUFFIX 552
#define IDC_SEQ_STEP 1020
#define IDC_SEQ_COPIES 1021
#define IDC_SEQ_SETS 1022
#define IDC_SEQ_STEP_SPIN 1023
#define IDC_SEQ_COPIES_SPIN 1024
#define IDC_SEQ_SETS_SPIN 1025
#define IDC_SEQ_CELL 553

// Repeat
#define IDC_REP_COLUMN 1001
#define IDC_REP_ROW 1026
#define IDC_REP_ROW_SPIN 1027
#define IDC_REP_COPIES 1028
#define IDC_REP_COPIES_SPIN 1029
#define IDC_REP_TEXT 1030
#define IDC_REP_INSERT 1014

// Filter
#define IDC_FILTER_MARKING 1001
#define IDC_FILTER_SHOWALWAYS 1014
#define IDC_FILTER_GRID 1040

// Text import
#define IDC_TI_DELIMITED 1041
#define IDC_TI_FIXED 1042
#define IDC_TI_COMMA 1043
#define IDC_TI_TAB 1044
#define IDC_TI_OTHER 1045
#define IDC_TI_OTHER_TEXT 1046
#define IDC_TI_ANSI 1047
#define IDC_TI_OEM 1048
#define IDC_TI_GRID 1049

// Strings
#define IDS_FILTER_FUNCTION 867        // "Function"
#define IDS_FILTER_ARGUMENT 868        // "Argument"
#define IDS_FILTER_SHOW 869            // "Show column"
#define IDS_FILTER_TRIM 870            // "Remove leading blanks"
#define IDS_FILTER_STRIP 871           // "Remove leading character"
#define IDS_FILTER_INCLUDE 872         // "Include rows containing"
#define IDS_FILTER_EXCLUDE 873         // "Exclude rows containing"
#define IDS_TEXT_IMPORT 880            // "Text import"
#define IDS_NO_FILTER_YET 888          // "The table does not have a filter yet, ..."
#define IDS_FILL_NO_MEMORY 889         // "There is not enough memory ..."
