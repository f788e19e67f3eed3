// Interpolation kernels of GetPixelColorInterpolated, by method number (3..16), as functions
// of the distance t from the sample point.
#pragma once

// Taps per axis that the method reads: 2 for bilinear, 12 for Lanczos, 4 for the others.
int PxKernelTaps(int method);
double PxInterpolationKernel(int method, double t);
