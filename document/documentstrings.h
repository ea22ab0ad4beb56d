#pragma once
// String table ids of the document's messages (document/res/strings.rc).

#define IDS_CANNOT_OPEN_FILE 892           // "Can not open file %s"

// Projects and the project document.
#define IDS_TABLE_BASE_NAME 352            // "Table"
#define IDS_DESIGN_NO_LABEL 874            // "Design: Select a standard label or create a new one"
#define IDS_STATUS_LABEL 876               // "Label: "
#define IDS_CONFIRM_DELETE_TEMPLATE 878    // "Delete active template. Are you sure?"
#define IDS_CONFIRM_DELETE_TABLE 885       // "Delete active table. Are you sure?"
#define IDS_OBJECTS_OUTSIDE_LABEL 886
#define IDS_NO_LABEL_DEFINITION 887
#define IDS_CORRUPT_PROJECT_FILE 890       // "Corrupt project file"
#define IDS_AUTOINC_MUST_SAVE 893
#define IDS_TABLE_EMPTY 894
#define IDS_INCOMPATIBLE_VERSION 895       // "Incompatible file version"
#define IDS_ONE_ROW_SELECTED 896
#define IDS_ROWS_SELECTED 897              // "%d rows selected"
#define IDS_TEMPLATE_BASE_NAME 898         // "Template"
#define IDS_CHARSET_FIRST 905              // 905 .. 923: the character-set names
#define IDS_CHARSET_LAST 923
#define IDS_STANDARD_LABEL_MODIFIED 1081   // "The standard label %s in the family %s is modified. ..."
