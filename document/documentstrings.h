#pragma once
// String table ids of the document's messages (document/res/strings.rc).

#define IDS_CANNOT_OPEN_FILE 892           // "Can not open file %s"
