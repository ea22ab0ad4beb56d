#pragma once
// String ids of the sheet preview.
#define IDS_PREVIEW_NO_LABEL 875           // "Preview: No label selected"
