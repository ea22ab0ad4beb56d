#include "testsupport/localeguard.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

NumericLocaleGuard::NumericLocaleGuard(const char* name) : m_ok(std::setlocale(LC_NUMERIC, name) != nullptr)
{
}

NumericLocaleGuard::~NumericLocaleGuard()
{
    std::setlocale(LC_NUMERIC, "C");
}

std::string RunLocaleName()
{
    const char* all = std::getenv("LC_ALL");
    const char* value = (all && *all) ? all : std::getenv("LANG");
    return value ? std::string(value).substr(0, 5) : std::string();
}

bool RunWantsDecimalComma()
{
    const std::string name = RunLocaleName();
    return name == "sv_SE" || name == "de_DE";
}

::testing::AssertionResult DecimalSeparatorMatchesTheRun()
{
    const char want = RunWantsDecimalComma() ? ',' : '.';
    const char* point = std::localeconv()->decimal_point;
    if (point && point[0] == want && point[1] == '\0')
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the run's locale '" << RunLocaleName() << "' wants the decimal separator '" << want
           << "', the C runtime has '" << (point ? point : "(none)")
           << "': Wine did not take the locale from LC_ALL";
}
