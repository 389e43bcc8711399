// The allowance helper of the pinned runs: what passes, what fails and what a failure says.
#include "tolerance.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarvello {
namespace {

using testing::Allowance;
using testing::withinAllowance;

TEST(Allowance, PassesWithinAndFailsBeyond)
{
    struct Case {
        double expected;
        double actual;
        Allowance allowance;
        bool passes;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {100, 100, {0, 0}, true},       {100, 100.5, {1, 0}, true},    {100, 101.5, {1, 0}, false},
        {100, 101.5, {1, 0.01}, true},  {-100, -102, {1, 0.01}, true}, {-100, -102.5, {1, 0.01}, false},
        {0, 1e-9, {0, 0.5}, false},     {nan, nan, {0, 0}, true},      {nan, 1, {1, 1}, false},
        {1, nan, {1, 1}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bool(withinAllowance("value", c.expected, c.actual, c.allowance, "inputs")), c.passes)
            << c.expected << " against " << c.actual;
}

TEST(Allowance, AFailureTellsInputsExpectedActualAndAllowance)
{
    const ::testing::AssertionResult result =
        withinAllowance("KXA 20 capacity_W", 2350, 2360, {0.5, 0.001}, "line 0, cooling, speed 3");
    ASSERT_FALSE(result);
    const std::string message = result.message();
    for (const char* part : {"KXA 20 capacity_W", "line 0, cooling, speed 3", "expected:  2350", "actual:    2360",
                             "allowance: ±2.85", "off by 10"})
        EXPECT_NE(message.find(part), std::string::npos) << part << " missing in:\n" << message;
}

} // namespace
} // namespace tarvello
