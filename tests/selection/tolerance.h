#pragma once
// Comparing a value of the program's output with its pinned one within an allowance: a
// failure tells the run's inputs, the expected and actual values and the allowance.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace tarvello::testing {

// How far a value may lie from its pinned one: absolute plus a share of the pinned value.
struct Allowance {
    double absolute = 0;
    double relative = 0;

    double around(double expected) const { return absolute + relative * std::fabs(expected); }
};

// Whether `actual` lies within `allowance` of `expected`; `what` names the value and
// `inputs` the run that gave it.
inline ::testing::AssertionResult withinAllowance(const std::string& what, double expected, double actual,
                                                  const Allowance& allowance, const std::string& inputs)
{
    const double allowed = allowance.around(expected);
    const bool bothNaN = std::isnan(expected) && std::isnan(actual);
    if (bothNaN || std::fabs(actual - expected) <= allowed)
        return ::testing::AssertionSuccess();
    std::ostringstream message;
    message.precision(10);
    message << what << "\n  inputs:    " << inputs << "\n  expected:  " << expected << "\n  actual:    " << actual
            << "\n  allowance: ±" << allowed << " (" << allowance.absolute << " + " << allowance.relative
            << " × |expected|), off by " << actual - expected;
    return ::testing::AssertionFailure() << message.str();
}

} // namespace tarvello::testing
