#include "art/screens/field.h"

#include <algorithm>

namespace assetgen::screens {

Field::Field(int w, int h, int step, const std::function<double(double x, double y)>& f)
    : w_(w), h_(h), step_(step), cols_(w / step + 2), rows_(h / step + 2), values_(size_t(cols_) * size_t(rows_)) {
    for (int j = 0; j < rows_; ++j)
        for (int i = 0; i < cols_; ++i) values_[size_t(j) * size_t(cols_) + size_t(i)] = f(double(i * step), double(j * step));
}

double Field::At(int x, int y) const {
    int i = std::min(x / step_, cols_ - 2), j = std::min(y / step_, rows_ - 2);
    double fx = double(x - i * step_) / step_, fy = double(y - j * step_) / step_;
    const double* row0 = &values_[size_t(j) * size_t(cols_)];
    const double* row1 = row0 + cols_;
    double a = row0[i] + (row0[i + 1] - row0[i]) * fx;
    double b = row1[i] + (row1[i + 1] - row1[i]) * fx;
    return a + (b - a) * fy;
}

} // namespace assetgen::screens
