#include "engine/arithmetic.h"

#include <string>

namespace tarvello {

namespace {

const char* describe(int number)
{
    switch (number) {
    case kInvalidProcedureCall:
        return "invalid procedure call";
    case kOverflow:
        return "overflow";
    case kDivisionByZero:
        return "division by zero";
    default:
        return "arithmetic error";
    }
}

} // namespace

ArithmeticError::ArithmeticError(int number)
    : std::runtime_error(std::string(describe(number)) + " (" + std::to_string(number) + ")"),
      number_(number)
{
}

} // namespace tarvello
