#pragma once
// Resource ids of printing: the print dialog template and its extra controls, the print
// messages, the reverse-order command.

#define IDD_PRINT_DIALOG 324

// Extra controls of the print dialog (the standard ones keep the ids of <dlgs.h>).
#define IDC_PRINT_REVERSE 2014             // "Reverse order"
#define IDC_PRINT_SORT_VERTICAL 1054       // "Sort vertical"
#define IDC_PRINT_TOP_COMPENSATION 2035
#define IDC_PRINT_LEFT_COMPENSATION 1036
#define IDC_PRINT_REPEAT 2037              // copies: a number or a column letter
#define IDC_PRINT_FIRST_LABEL 2038
#define IDC_PRINT_FIRST_LABEL_SPIN 1027
#define IDC_PRINT_SETS 2039
#define IDC_PRINT_SETS_SPIN 1029
#define IDC_PRINT_PAGE_BREAK 1067          // "Page break on new set"
#define IDC_PRINT_HIDDEN 1086              // the collate picture, hidden

#define IDS_PAPER_NOT_SUPPORTED 687
#define IDS_NO_LABEL_POSITIONS 1999

#ifndef ID_PRINT_REVERSE_ORDER
#define ID_PRINT_REVERSE_ORDER 831
#endif
