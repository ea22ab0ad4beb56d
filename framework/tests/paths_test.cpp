// File path helpers on the paths the program writes and the user types: either slash, names
// without or with several dots, names that start with a dot, empty and null input.
#include "framework/paths.h"

#include <gtest/gtest.h>

TEST(Paths, NamesExtensionsAndFolders)
{
    CString name, extension;
    SplitFileName("C:\\labels\\A4 sheet.v2.lbl", name, extension);
    EXPECT_STREQ(name, "A4 sheet.v2");
    EXPECT_STREQ(extension, ".lbl");
    SplitFileName("Z:/home/user/readme", name, extension);
    EXPECT_STREQ(name, "readme");
    EXPECT_STREQ(extension, "");
    SplitFileName("C:\\a.b\\c", name, extension);   // the folder's dot is no extension
    EXPECT_STREQ(name, "c");
    EXPECT_STREQ(extension, "");
    SplitFileName(nullptr, name, extension);
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(extension, "");

    EXPECT_STREQ(WithBackslash("C:\\labels"), "C:\\labels\\");
    EXPECT_STREQ(WithBackslash("C:\\labels\\"), "C:\\labels\\");
    EXPECT_STREQ(WithBackslash(""), "");
    EXPECT_STREQ(WithBackslash(nullptr), "");

    EXPECT_STREQ(FileTitleOf("C:\\work\\first.proj"), "first");
    EXPECT_STREQ(FileTitleOf("C:.hidden"), ".hidden");
    EXPECT_STREQ(FileTitleOf("archive.tar.gz"), "archive.tar");
    EXPECT_STREQ(FileTitleOf(nullptr), "");
    EXPECT_TRUE(HasExtension("C:\\x\\FIRST.PROJ", ".proj"));
    EXPECT_FALSE(HasExtension("proj", ".proj"));
    EXPECT_FALSE(HasExtension(nullptr, ".proj"));
}
