#pragma once
// Ids of the link-image dialog (an old-style open-file dialog on a template of ours).
#define IDD_LINK_IMAGE 331              // "Link image"
#define IDC_LINKIMAGE_OUTSIDE 335       // cursor while a dragged thumbnail is outside the dialog
#define IDS_LINKIMAGE_FILTER 884        // "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||"
#define IDS_LINKIMAGE_CLOSE 900         // "Close"
#define IDC_LINKIMAGE_IMAGES 1050
#define IDC_LINKIMAGE_BROWSER 1051
#define IDC_LINKIMAGE_LABEL1 1052       // .. 1055
#define IDC_LINKIMAGE_SLOT1 1056        // .. 1059
#define IDC_LINKIMAGE_ROWLABEL 1060
#define IDC_LINKIMAGE_ROW 1061
#define IDC_LINKIMAGE_PREVIOUS 1062
#define IDC_LINKIMAGE_NEXT 1063
