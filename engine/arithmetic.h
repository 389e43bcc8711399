#pragma once
// Checked arithmetic of the engine. A floating-point fault never lets NaN or infinity flow
// on: it raises ArithmeticError carrying the classic run-time error number, which the
// selection windows report ("Errore generico : " and the number).

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace tarvello {

// Classic run-time error numbers.
enum ArithmeticErrorNumber : int {
    kInvalidProcedureCall = 5, // logarithm of a non-positive number, invalid power
    kOverflow = 6,             // result too large for its type, also 0/0
    kDivisionByZero = 11,      // non-zero number divided by zero
};

class ArithmeticError : public std::runtime_error {
public:
    explicit ArithmeticError(int number);
    int number() const { return number_; }

private:
    int number_;
};

// a / b; 0/0 is an overflow, x/0 a division by zero.
inline double Divide(double a, double b)
{
    if (b == 0.0)
        throw ArithmeticError(a == 0.0 ? kOverflow : kDivisionByZero);
    const double q = a / b;
    if (!std::isfinite(q))
        throw ArithmeticError(kOverflow);
    return q;
}

// Natural logarithm of a strictly positive number.
inline double Ln(double x)
{
    if (!(x > 0.0))
        throw ArithmeticError(kInvalidProcedureCall);
    return std::log(x);
}

// e^x, overflow raised rather than returning infinity.
inline double Exp(double x)
{
    const double r = std::exp(x);
    if (!std::isfinite(r))
        throw ArithmeticError(kOverflow);
    return r;
}

// base^exponent: a negative base needs a whole exponent, zero a non-negative one.
inline double Power(double base, double exponent)
{
    if (base < 0.0 && exponent != std::floor(exponent))
        throw ArithmeticError(kInvalidProcedureCall);
    if (base == 0.0 && exponent < 0.0)
        throw ArithmeticError(kDivisionByZero);
    const double r = std::pow(base, exponent);
    if (!std::isfinite(r))
        throw ArithmeticError(kOverflow);
    return r;
}

// Stores a double-precision intermediate as a single-precision value.
inline float ToSingle(double x)
{
    if (!std::isfinite(x) || std::fabs(x) > std::numeric_limits<float>::max())
        throw ArithmeticError(kOverflow);
    return static_cast<float>(x);
}

// Nearest integer, halves to the even neighbour (the rounding of the classic runtime).
inline double RoundHalfEven(double x)
{
    return std::nearbyint(x); // default rounding mode: to nearest, ties to even
}

// Nearest 16-bit integer, halves to even; out of range is an overflow.
inline int16_t ToInt16(double x)
{
    const double r = RoundHalfEven(x);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw ArithmeticError(kOverflow);
    return static_cast<int16_t>(r);
}

} // namespace tarvello
