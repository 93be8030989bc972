#pragma once
// Smooth scalar fields evaluated on a coarse lattice and interpolated, for soft noise pictures
// whose detail does not need every pixel evaluated.
#include <functional>
#include <vector>

namespace assetgen::screens {

class Field {
public:
    // Evaluates f(x, y) in pixel coordinates every `step` pixels over w × h.
    Field(int w, int h, int step, const std::function<double(double x, double y)>& f);
    // Bilinear value at pixel (x, y).
    double At(int x, int y) const;

private:
    int w_, h_, step_, cols_, rows_;
    std::vector<double> values_;
};

} // namespace assetgen::screens
