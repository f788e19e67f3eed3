#include "imagelib/px_interpolation_kernels.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

double CubePositive(double u) {
    return u > 0.0 ? u * u * u : 0.0;
}

double Sinc(double x) {
    return x == 0.0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
}

double BesselJ1(double x) {
    const double magnitude = std::cyl_bessel_j(1.0, std::fabs(x));
    return x < 0.0 ? -magnitude : magnitude;
}

} // namespace

int PxKernelTaps(int method) {
    if (method == 2)
        return 2;
    if (method == 6)
        return 12;
    return 4;
}

double PxInterpolationKernel(int method, double t) {
    const double a = std::fabs(t);
    switch (method) {
    case 3: // cubic B-spline
        if (a > 2.0)
            return 0.0;
        return (CubePositive(t + 2) - 4 * CubePositive(t + 1) + 6 * CubePositive(t) -
                4 * CubePositive(t - 1)) /
               6.0;
    case 4: // sharp bicubic
        if (a < 1.0)
            return 1 - 2 * a * a + a * a * a;
        if (a < 2.0)
            return 4 - 8 * a + 5 * a * a - a * a * a;
        return 0.0;
    case 5: { // bicubic with parameter -0.5
        const double p = -0.5;
        if (a < 1.0)
            return a * a * a * (p + 2) - a * a * (p + 3) + 1;
        if (a < 2.0)
            return p * a * a * a - 5 * p * a * a + 8 * p * a - 4 * p;
        return 0.0;
    }
    case 6: // Lanczos, radius 6
        if (t == 0.0)
            return 1.0;
        if (a > 6.0)
            return 0.0;
        return Sinc(t / 6.0) * Sinc(t);
    case 7: // box
        return (t >= -0.5 && t < 0.5) ? 1.0 : 0.0;
    case 8: // Hermite
        return a < 1.0 ? 2 * a * a * a - 3 * a * a + 1 : 0.0;
    case 9: // damped Hermite
        return a < 1.0 ? 0.92 * (2 * a * a * a - 3 * a * a) + 1 : 0.0;
    case 10: // sinc
        return Sinc(t);
    case 11: // Blackman
        return 0.42 + 0.5 * std::cos(kPi * t) + 0.08 * std::cos(2 * kPi * t);
    case 12: // Bessel
        if (t == 0.0)
            return kPi / 4.0;
        return BesselJ1(kPi * t) / (2.0 * t);
    case 13: // Gaussian
        return std::exp(-2.0 * t * t) * std::sqrt(2.0 / kPi);
    case 14: // quadratic B-spline
        if (a < 0.5)
            return 0.75 - t * t;
        if (a < 1.5)
            return 0.5 * (a - 1.5) * (a - 1.5);
        return 0.0;
    case 15: // Mitchell, B = C = 1/3
        if (a < 1.0)
            return 1.1666666 * a * a * a - 2 * a * a + 0.8888889;
        if (a < 2.0)
            return -0.3888889 * a * a * a + 2 * a * a - 3.3333333 * a + 1.7777778;
        return 0.0;
    case 16: // Catmull-Rom
        if (a < 1.0)
            return (3 * a * a * a - 5 * a * a + 2) / 2.0;
        if (a < 2.0)
            return (-a * a * a + 5 * a * a - 8 * a + 4) / 2.0;
        return 0.0;
    default: // bilinear (as a tent)
        return a < 1.0 ? 1.0 - a : 0.0;
    }
}
