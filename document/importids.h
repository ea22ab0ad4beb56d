#pragma once
// Resource ids of the import dialogs (document/res/excelimport.rc); plain defines for the
// resource compiler.

#define IDD_EXCEL_SELECT_SHEET 336         // "Select Excel worksheet "
#define IDC_EXCEL_SHEET_LIST 1000
