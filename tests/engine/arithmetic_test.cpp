#include "engine/arithmetic.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tarvello;

TEST(Arithmetic, FaultsCarryTheirClassicNumbers)
{
    const struct {
        const char* what;
        std::function<void()> run;
        int number;
    } cases[] = {
        {"1/0", [] { Divide(1, 0); }, kDivisionByZero},
        {"0/0", [] { Divide(0, 0); }, kOverflow},
        {"ln 0", [] { Ln(0); }, kInvalidProcedureCall},
        {"ln -1", [] { Ln(-1); }, kInvalidProcedureCall},
        {"exp 1000", [] { Exp(1000); }, kOverflow},
        {"(-8)^0.5", [] { Power(-8, 0.5); }, kInvalidProcedureCall},
        {"0^-1", [] { Power(0, -1); }, kDivisionByZero},
        {"1e39 as single", [] { ToSingle(1e39); }, kOverflow},
        {"1e300/1e-300", [] { Divide(1e300, 1e-300); }, kOverflow},
        {"40000 as 16-bit", [] { ToInt16(40000); }, kOverflow},
    };
    for (const auto& c : cases) {
        try {
            c.run();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ArithmeticError& e) {
            EXPECT_EQ(e.number(), c.number) << c.what;
        }
    }
}

TEST(Arithmetic, RoundingHalvesGoToEven)
{
    const struct {
        double x, expected;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {11.5, 12}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.x), c.expected) << c.x;
}

TEST(Arithmetic, PowersThatAreDefined)
{
    EXPECT_EQ(Power(0, 0), 1.0);   // a zero exponent gives 1 even for 0
    EXPECT_EQ(Power(-2, 3), -8.0); // whole exponent of a negative base
    EXPECT_EQ(Power(0, 0.33), 0.0);
}
