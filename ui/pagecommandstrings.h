#pragma once
// String-table ids of the page, stock and printer commands of the design canvas
// (ui/res/pagecommands.rc).
#define IDS_LABEL_FILES_DELETE_SURE 591     // "Remove image file and info file filenames for this label?"
#define IDS_TEMPLATE_FILE_FILTER 882        // "Template files(*.tpe)|*.tpe||"
#define IDS_DELETE_LABEL_DEFINITION_SURE 902  // "Delete the current label definition, are you sure?"
