#pragma once
// Dense linear least squares min ||A x − b|| by Householder QR with column scaling, enough for
// the few hundred unknowns and few thousand rows of the glycol fit.

#include <vector>

namespace glycolfit {

class LeastSquaresProblem {
public:
    explicit LeastSquaresProblem(int unknowns) : unknowns_(unknowns) {}

    // Adds one equation Σ row[j]·x[j] = rhs, both sides multiplied by weight.
    void addRow(const std::vector<double>& row, double rhs, double weight);

    // The solution; empty when the system is rank-deficient.
    std::vector<double> solve() const;

    int unknowns() const { return unknowns_; }
    int rows() const { return static_cast<int>(rhs_.size()); }

private:
    int unknowns_;
    std::vector<double> matrix_; // row-major
    std::vector<double> rhs_;
};

} // namespace glycolfit
