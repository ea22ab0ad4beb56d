#include <windows.h>
#include <gtest/gtest.h>

// Every executable carries the program's string table; the start-up failure texts must be there as written.
TEST(Resources, StartupStringsAreInTheStringTable)
{
    char text[256] = {};
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), 104, text, sizeof text), 0);
    EXPECT_STREQ("Windows sockets initialization failed.", text);
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), 100, text, sizeof text), 0);
    EXPECT_STREQ("OLE initialization failed.  Make sure that the OLE libraries are the correct version.", text);
}
