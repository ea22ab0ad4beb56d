// The fast number texts of the Excel import must be byte for byte what the C runtime prints, under
// the point and under the comma locale (this suite also runs under sv_SE).
#include "document/excelnumbers.h"

#include "testsupport/localeguard.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<double> Values()
{
    std::vector<double> values = {0.0, -0.0, 1, -1, 7, 10, 99, 100, 12345, -4711, 999999999, 1e9,
                                  1e9 + 1, 2147483647.0, 2147483648.0, 4294967295.0, 4294967296.0,
                                  4006381333931.0, -4006381333931.0, 999999999999999.0, 1e15,
                                  1e15 + 2, 9007199254740992.0, 1.5e20, 1e300, -1e300,
                                  0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 0.005, 1.005, 1.115, 2.675,
                                  0.045, -0.005, -0.004, -0.0049, 0.0001, 0.00012345, 9.99e-5,
                                  1e-5, 1e-7, 123.456, 3.14159, 3.14159265358979, 0.1, 0.2, 0.3,
                                  1.0 / 3, 2.0 / 3, 12345678.9, 1234567.89, 99999999.5, 0.99999999,
                                  0.999999995, 4.9406564584124654e-324, 2.2250738585072014e-308,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    for (int i = -1000; i <= 1000; ++i) {
        values.push_back(i / 7.0);
        values.push_back(i / 100.0);
        values.push_back(i * 0.001);
        values.push_back(i * 0.1 + 0.05);
        values.push_back(i / 8.0);
        values.push_back(i * 1234.5678);
    }
    // Spread over the magnitudes, and every RK form.
    uint32_t x = 12345;
    for (int i = 0; i < 6000; ++i) {
        x = x * 1103515245u + 12345u;
        const double mantissa = (x >> 8) / double(1u << 24);
        const int exponent = static_cast<int>(x % 41) - 20;
        values.push_back((x & 1 ? -1 : 1) * mantissa * std::pow(10.0, exponent));
        values.push_back(DecodeRk(x));
        values.push_back(static_cast<double>(x % 100000) / 100.0);
        values.push_back(static_cast<double>(x) / 1000.0);
    }
    return values;
}

} // namespace

TEST(ExcelNumberLocale, FastTextsEqualTheRuntimes)
{
    NumericLocaleGuard user("");
    ASSERT_TRUE(user.ok());
    ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
    const char point = *localeconv()->decimal_point;
    const ExcelNumberFormatter formatter;
    const char* formats[] = {"", "General", "0.00", "0.0", "0.000", "0.0000000000",
                             "0.00000000000000000000", "0.#", "0.", "0.00%", "#,##0.00", "00.0"};
    int differences = 0;
    for (double value : Values()) {
        for (const char* format : formats) {
            for (ExcelNumberKind kind : {ExcelNumberKind::kNumber, ExcelNumberKind::kRk}) {
                char expected[kExcelNumberBufferSize];
                char fast[kExcelNumberBufferSize];
                std::memset(fast, 'x', sizeof fast);
                const int expectedLength = FormatExcelNumber(value, format, kind, expected);
                const int fastLength = formatter.Format(value, format, kind, fast);
                if ((fastLength != expectedLength || std::strcmp(expected, fast) != 0) &&
                    differences++ < 20)
                    ADD_FAILURE() << "value " << value << " format '" << format << "' kind "
                                  << static_cast<int>(kind) << ": runtime '" << expected
                                  << "' fast '" << fast << "'";
            }
        }
    }
    EXPECT_EQ(0, differences);
    // The checks above meant something: the locale's separator is in the texts.
    char text[kExcelNumberBufferSize];
    formatter.Format(3.14159, "0.00", ExcelNumberKind::kNumber, text);
    EXPECT_EQ(std::string("3") + point + "14", text);
    formatter.Format(12.5, "", ExcelNumberKind::kRk, text);
    EXPECT_EQ(std::string("12") + point + "5", text);
}
