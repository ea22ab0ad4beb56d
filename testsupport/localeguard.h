#pragma once
// NumericLocaleGuard: LC_NUMERIC set for one test and put back to "C" when the test ends, also after
// a failed assertion. The checks beside it make a run under another locale prove that it got it.
#include <gtest/gtest.h>
#include <string>

class NumericLocaleGuard {
public:
    explicit NumericLocaleGuard(const char* name);   // "" for the user's locale
    ~NumericLocaleGuard();
    NumericLocaleGuard(const NumericLocaleGuard&) = delete;
    NumericLocaleGuard& operator=(const NumericLocaleGuard&) = delete;

    bool ok() const { return m_ok; }

private:
    bool m_ok;
};

// True when ctest registered this run under a locale with a decimal comma (LC_ALL, else LANG).
bool RunWantsDecimalComma();

// The decimal separator of the C runtime's current locale is the one the run was registered for:
// a comma under sv_SE or de_DE, a point otherwise. A Swedish run that silently got English fails.
::testing::AssertionResult DecimalSeparatorMatchesTheRun();

// "sv_SE", "en_US", ...: the first five characters of the run's LC_ALL (else LANG).
std::string RunLocaleName();
