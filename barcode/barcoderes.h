#pragma once
// String ids of the symbologies (barcode/res/strings.rc).
#define IDS_QR_MODE_8BIT 1076
#define IDS_QR_MODE_KANJI 1077
