#pragma once
// Dialog and control ids of the label model's dialogs (labelmodel/res/dialogs.rc).
#define IDD_QR_TEXT 1074        // constant text of a QR Code symbol
#define IDC_QR_TEXT 1075        // its multi-line edit
