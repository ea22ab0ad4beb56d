#pragma once
// String-table ids of the design canvas's messages (ui/res/designview.rc).
#define IDS_NEW_LABEL_DEFINITION_SURE 904  // "Create a new label definition, are you sure?"
