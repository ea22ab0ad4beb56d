#pragma once
// Command ids the project document handles or sends (the program's resource ids).
#include <windows.h>

#ifndef ID_STATUS_PANE_LABEL
#define ID_STATUS_PANE_LABEL 120
#define ID_STATUS_PANE_ROWS 121
#define ID_SELECT_LABEL 806
#define ID_TEMPLATE_GUIDE 838
#define ID_NEW_TEMPLATE 854
#define ID_NEW_TABLE 855
#define ID_DELETE_TEMPLATE 856
#define ID_DELETE_TABLE 857
#define ID_TEMPLATE_EXPORT 860
#define ID_DOC_DETACH_PATH 925
#define ID_SHOW_WINDOWS_STACKED 1122
#endif
#ifndef ID_FILE_SEND_TO
#define ID_FILE_SEND_TO 259
#endif
#ifndef ID_LABEL_IMPORT
#define ID_LABEL_IMPORT 926
#endif
#ifndef ID_LABEL_SAVE
#define ID_LABEL_SAVE 845
#define ID_LABEL_SAVE_AS 846
#endif
// Commands without a place in the ribbon's list.
#ifndef ID_DOC_TBF_OPENED
#define ID_DOC_TBF_OPENED 927
#define ID_DOC_RESERVED1 928
#define ID_DOC_RESERVED2 929
#endif
