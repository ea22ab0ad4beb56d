#pragma once
// String table ids of the text contents (labelmodel/res/strings.rc).

// Separator names offered by the ribbon and stored nowhere: the separator itself is stored.
#define IDS_SEPARATOR_NONE 539          // "None"
#define IDS_SEPARATOR_SPACE 540         // "Space"
#define IDS_SEPARATOR_LINEBREAK 541     // "Line break"

// Date formats of a date content, in the order of their part index.
#define IDS_DATEPART_SHORT 638          // "Short"
#define IDS_DATEPART_YEAR 639           // "Year (YY)"
#define IDS_DATEPART_MONTH 640          // "Month (MM)"
#define IDS_DATEPART_DAY 641            // "Day (DD)"
#define IDS_DATEPART_WEEK 642           // "Week number"

// The line a new multi-line fixed text starts with.
#define IDS_TEXT_DEFAULT 901            // "Enter text here"
