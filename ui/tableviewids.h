#pragma once
// Strings of the table view (ui/res/tableview.rc); 884 and 896/897 come with the labels and the
// document.
#define IDS_CANNOT_FIND_TEXT 688       // "Cannot find the text you're searching for."
#define IDS_TABLE_FILES_FILTER 883     // "Table files |*.tbl;*.tbf||"
