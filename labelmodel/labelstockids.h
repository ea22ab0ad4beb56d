#pragma once
// String-table ids of the label stock and label library texts (labelmodel/res/strings.rc).
enum : unsigned {
    IDS_MARKING_ALL = 583,
    IDS_MARKING_WIRE = 584,
    IDS_MARKING_CABLE = 585,
    IDS_MARKING_COMPONENT = 586,
    IDS_MARKING_TERMINALBLOCK = 587,
    IDS_MARKING_PLC = 588,
    IDS_MARKING_OTHER = 589,
    IDS_PRINTERTYPE_ALL = 664,
    IDS_PRINTERTYPE_LASER = 665,
    IDS_PRINTERTYPE_THERMO = 667,
    IDS_PRINTERTYPE_THERMALTRANSFER = 668,
    IDS_PRINTERTYPE_OTHER = 670,
    IDS_FAMILY_ALL = 675,
    IDS_LABEL_FILE_FILTER = 881,
    IDS_STOCK_CANNOT_WRITE = 892,      // "Can not open file %s", the document's text for a file
    IDS_VERSION_CONFLICT_CAPTION = 933,
    IDS_VERSION_CONFLICT = 934,
    IDS_MARKING_MODULE = 1160,
};

