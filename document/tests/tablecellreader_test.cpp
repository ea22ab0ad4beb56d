#include "document/datatable.h"
#include "document/datatablemaps.h"
#include "labelmodel/tablesource.h"

#include <gtest/gtest.h>

// Text contents in the label model read cells through the reader this library installs.
TEST(TableCellReader, LabelModelReadsCellsOfARealTable)
{
    ASSERT_NE(nullptr, GetTableCellReader());
    CDataTableBase table;
    table.SetCellText(0, 0, "first");
    table.SetCellText(1, 2, "third column");
    CDataTableMap map;
    EXPECT_STREQ("first", ReadTableCell(&table, &map, 1, 0).GetString());
    EXPECT_STREQ("third column", ReadTableCell(&table, &map, 2, 2).GetString());
    EXPECT_STREQ("", ReadTableCell(&table, &map, 0, 0).GetString());
    EXPECT_STREQ("", ReadTableCell(&table, &map, 9, 0).GetString());
    EXPECT_STREQ("", ReadTableCell(nullptr, &map, 1, 0).GetString());
}
