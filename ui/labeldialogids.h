#pragma once
// Resource ids of the label selection dialog and the template guide (ui/res/labeldialogs.rc).

#define IDD_SELECT_LABEL 317              // "Select label"
#define IDD_TEMPLATE_GUIDE 320            // "Template guide"

// Label selection
#define IDC_SELECT_LABEL_LIST 571         // "Labels": the report list
#define IDC_SELECT_MARKING_TYPE 572
#define IDC_SELECT_PRINTER_TYPE 573
#define IDC_SELECT_FAMILY 574
#define IDC_SELECT_SHOW_INFO 576          // "Show info"
#define IDC_SELECT_DELETE 1007            // "Delete"
#define IDC_SELECT_IMPORT 1080            // "Import"
#define IDC_SELECT_ARTICLE 1082           // "Article number"
#define IDC_SELECT_SEARCH 1089            // "Search"
#define IDC_SELECT_PREVIEW 3333           // the picture, window class "ImagePreview"

// Template guide
#define IDC_GUIDE_GRID 1031
#define IDC_GUIDE_FRAME 1014              // "Insert frame"
#define IDC_GUIDE_IMAGE 1015              // "Insert image"

#define IDS_GUIDE_TEXT_ROW 676            // "Text row"
#define IDS_GUIDE_DELIMITER 677           // "Delimiter"
#define IDS_DELETE_LABEL_QUESTION 879     // "Delete selected label, are you sure?"
