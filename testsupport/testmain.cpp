// The main of every test program: GoogleTest's, and one closing line when a test was skipped and
// none failed. ctest's skip expression (cmake/KorveltaTest.cmake) looks for that line, so a skipped
// test shows as "Skipped" and never as "Passed"; a failure beside a skip still fails.
#include <gtest/gtest.h>
#include <cstdio>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    const int skipped = ::testing::UnitTest::GetInstance()->skipped_test_count();
    if (result == 0 && skipped > 0) {
        std::printf("KORVELTA-SKIPPED: %d test(s) skipped, none failed\n", skipped);
        std::fflush(stdout);
    }
    return result;
}
