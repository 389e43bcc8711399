#include "least_squares.h"

#include <cmath>

namespace glycolfit {

void LeastSquaresProblem::addRow(const std::vector<double>& row, double rhs, double weight)
{
    for (int j = 0; j < unknowns_; ++j)
        matrix_.push_back(row[j] * weight);
    rhs_.push_back(rhs * weight);
}

std::vector<double> LeastSquaresProblem::solve() const
{
    const int m = rows();
    const int n = unknowns_;
    if (m < n)
        return {};
    // Column-major copy, each column scaled to unit norm: the columns multiply powers of t
    // up to t^5 and would otherwise span fifteen decades.
    std::vector<double> a(static_cast<size_t>(m) * n);
    std::vector<double> scale(n, 1.0);
    for (int j = 0; j < n; ++j) {
        double norm = 0;
        for (int i = 0; i < m; ++i)
            norm += matrix_[static_cast<size_t>(i) * n + j] * matrix_[static_cast<size_t>(i) * n + j];
        norm = std::sqrt(norm);
        if (norm == 0)
            return {};
        scale[j] = norm;
        for (int i = 0; i < m; ++i)
            a[static_cast<size_t>(j) * m + i] = matrix_[static_cast<size_t>(i) * n + j] / norm;
    }
    std::vector<double> b = rhs_;
    auto at = [&](int i, int j) -> double& { return a[static_cast<size_t>(j) * m + i]; };

    for (int k = 0; k < n; ++k) {
        double norm = 0;
        for (int i = k; i < m; ++i)
            norm += at(i, k) * at(i, k);
        norm = std::sqrt(norm);
        if (norm < 1e-13)
            return {};
        const double alpha = at(k, k) > 0 ? -norm : norm;
        at(k, k) -= alpha; // Householder vector v = column − alpha·e_k, stored in place
        double vNorm2 = 0;
        for (int i = k; i < m; ++i)
            vNorm2 += at(i, k) * at(i, k);
        for (int j = k + 1; j < n; ++j) {
            double dot = 0;
            for (int i = k; i < m; ++i)
                dot += at(i, k) * at(i, j);
            const double f = 2 * dot / vNorm2;
            for (int i = k; i < m; ++i)
                at(i, j) -= f * at(i, k);
        }
        double dot = 0;
        for (int i = k; i < m; ++i)
            dot += at(i, k) * b[i];
        const double f = 2 * dot / vNorm2;
        for (int i = k; i < m; ++i)
            b[i] -= f * at(i, k);
        at(k, k) = alpha; // the diagonal of R
    }
    std::vector<double> x(n);
    for (int k = n - 1; k >= 0; --k) {
        double sum = b[k];
        for (int j = k + 1; j < n; ++j)
            sum -= at(k, j) * x[j];
        x[k] = sum / at(k, k);
    }
    for (int j = 0; j < n; ++j)
        x[j] /= scale[j];
    return x;
}

} // namespace glycolfit
