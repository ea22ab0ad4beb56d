#pragma once
// String table ids of the design commands' messages (document/res/designstrings.rc).
#define IDS_SEND_NEEDS_SAVE 924            // "The file has to be saved before it can be sent."
#define IDS_PDF_FILTER 929                 // "PDF files |*.pdf||"
#define IDS_IMPORT_LABEL_CAPTION 930       // "Import file for label definition."
#define IDS_IMPORT_REPLACE_FILE 931        // "The file %s%s already exists in the label library. ..."
#define IDS_IMPORT_SELECT_LABEL 932        // "The label %s has been imported into the label library. ..."
// Shared with the label model's strings.
#define IDS_LABEL_FILE_FILTER 881          // "Label files (*.label)|*.label||"
#define IDS_IMAGE_FILE_FILTER 884          // "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||"
