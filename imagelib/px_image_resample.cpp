// Resizing: nearest neighbour, bicubic B-spline, area averaging and bilinear.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imagelib/px_image.h"
#include "imagelib/px_interpolation_kernels.h"

namespace {

constexpr int kNearest = 1;
constexpr int kBicubic = 2;
constexpr std::int64_t kThousandths = 1000;

DWORD Percent(LONG done, LONG total) {
    return static_cast<DWORD>(static_cast<std::int64_t>(done) * 100 / total);
}

// Source index of each result index for nearest-neighbour sampling.
std::vector<LONG> NearestIndices(LONG newSize, double scale, LONG limit) {
    std::vector<LONG> indices(static_cast<std::size_t>(newSize));
    for (LONG j = 0; j < newSize; ++j)
        indices[j] = std::min(static_cast<LONG>(j * scale), limit - 1);
    return indices;
}

struct CubicTaps {
    LONG index[4];
    double weight[4];
};

std::vector<CubicTaps> BicubicTaps(LONG newSize, double scale, LONG limit) {
    std::vector<CubicTaps> taps(static_cast<std::size_t>(newSize));
    for (LONG j = 0; j < newSize; ++j) {
        const double f = j * scale - 0.5;
        const double base = std::floor(f);
        const double d = f - base;
        for (int m = -1; m <= 2; ++m) {
            const LONG at = static_cast<LONG>(base) + m;
            taps[j].index[m + 1] = std::clamp<LONG>(at, 0, limit - 1);
            taps[j].weight[m + 1] = PxInterpolationKernel(3, m - d);
        }
    }
    return taps;
}

struct LinearTap {
    LONG index;
    LONG next;
    double fraction;
};

std::vector<LinearTap> BilinearTaps(LONG newSize, double scale, LONG limit) {
    std::vector<LinearTap> taps(static_cast<std::size_t>(newSize));
    for (LONG j = 0; j < newSize; ++j) {
        const double f = j * scale;
        const LONG index = std::min(static_cast<LONG>(f), limit - 1);
        taps[j] = {index, std::min(index + 1, limit - 1), f - index};
    }
    return taps;
}

BYTE Truncated(double value) {
    if (!(value > 0.0))
        return 0;
    return value >= 255.0 ? 255 : static_cast<BYTE>(value);
}

} // namespace

bool PxImage::Resample(LONG newWidth, LONG newHeight, int mode, PxImage* output) {
    if (!m_dib || newWidth <= 0 || newHeight <= 0)
        return false;
    if (output == this)
        output = nullptr;
    const LONG width = m_head.biWidth;
    const LONG height = m_head.biHeight;
    if (newWidth == width && newHeight == height) {
        if (output)
            return output->Copy(*this);
        return true;
    }

    const double sx = static_cast<double>(width) / newWidth;
    const double sy = static_cast<double>(height) / newHeight;
    PxImage result;
    result.CopyInfo(*this);
    if (!result.Create(newWidth, newHeight, m_head.biBitCount, m_info.format))
        return false;
    if (HasPalette())
        result.SetPalette(GetPalette(), 256);
    const bool palette = HasPalette();

    if (mode == kNearest) {
        const std::vector<LONG> columns = NearestIndices(newWidth, sx, width);
        for (LONG i = 0; i < newHeight; ++i) {
            if (m_info.cancel)
                return false;
            result.SetProgress(Percent(i, newHeight));
            const LONG row = std::min(static_cast<LONG>(i * sy), height - 1);
            const BYTE* from = GetBits(static_cast<DWORD>(row));
            BYTE* to = result.GetBits(static_cast<DWORD>(i));
            if (palette) {
                for (LONG j = 0; j < newWidth; ++j)
                    result.SetPixelIndex(j, i, GetPixelIndexUnchecked(columns[j], row));
                continue;
            }
            for (LONG j = 0; j < newWidth; ++j) {
                const BYTE* p = from + 3 * columns[j];
                to[3 * j] = p[0];
                to[3 * j + 1] = p[1];
                to[3 * j + 2] = p[2];
            }
        }
    } else if (mode == kBicubic) {
        const std::vector<CubicTaps> columns = BicubicTaps(newWidth, sx, width);
        const std::vector<CubicTaps> rows = BicubicTaps(newHeight, sy, height);
        for (LONG i = 0; i < newHeight; ++i) {
            if (m_info.cancel)
                return false;
            result.SetProgress(Percent(i, newHeight));
            const CubicTaps& rt = rows[i];
            const BYTE* sourceRows[4];
            for (int n = 0; n < 4; ++n)
                sourceRows[n] = GetBits(static_cast<DWORD>(rt.index[n]));
            BYTE* to = result.GetBits(static_cast<DWORD>(i));
            for (LONG j = 0; j < newWidth; ++j) {
                const CubicTaps& ct = columns[j];
                double blue = 0, green = 0, red = 0;
                for (int n = 0; n < 4; ++n) {
                    for (int m = 0; m < 4; ++m) {
                        const double w = ct.weight[m] * rt.weight[n];
                        if (palette) {
                            const PxRgbQuad c = GetPixelColorUnchecked(ct.index[m], rt.index[n]);
                            blue += w * c.rgbBlue;
                            green += w * c.rgbGreen;
                            red += w * c.rgbRed;
                            continue;
                        }
                        const BYTE* p = sourceRows[n] + 3 * ct.index[m];
                        blue += w * p[0];
                        green += w * p[1];
                        red += w * p[2];
                    }
                }
                if (palette) {
                    result.SetPixelColorRef(j, i,
                                            RGB(Truncated(red), Truncated(green), Truncated(blue)));
                    continue;
                }
                to[3 * j] = Truncated(blue);
                to[3 * j + 1] = Truncated(green);
                to[3 * j + 2] = Truncated(red);
            }
        }
    } else if (newWidth < width && newHeight < height && m_head.biBitCount == 24) {
        // Area averaging: each source pixel adds its value, in thousandths of its area, to the
        // one or two result columns and rows that it overlaps.
        const std::int64_t scale = static_cast<std::int64_t>(sy * sx * kThousandths);
        const std::size_t accumulatorSize = (static_cast<std::size_t>(newWidth) + 1) * 3;
        std::vector<std::int64_t> current(accumulatorSize, 0), next(accumulatorSize, 0);
        const auto emitRow = [&](LONG row) {
            BYTE* to = result.GetBits(static_cast<DWORD>(row));
            for (std::size_t k = 0; k < static_cast<std::size_t>(newWidth) * 3; ++k)
                to[k] = static_cast<BYTE>(std::min<std::int64_t>(current[k] / scale, 255));
        };
        // Column split of each source column: destination column and thousandths that go on.
        std::vector<LONG> columnOf(static_cast<std::size_t>(width));
        std::vector<std::int64_t> carryOf(static_cast<std::size_t>(width));
        {
            LONG u = 0;
            double boundary = sx - 1.0;
            for (LONG x = 0; x < width; ++x) {
                columnOf[x] = std::min(u, newWidth - 1);
                carryOf[x] = 0;
                if (x >= boundary) {
                    carryOf[x] = static_cast<std::int64_t>((x - boundary) * kThousandths);
                    boundary += sx;
                    ++u;
                }
            }
        }
        LONG v = 0;
        double rowBoundary = sy - 1.0;
        for (LONG y = 0; y < height && v < newHeight; ++y) {
            if (m_info.cancel)
                return false;
            result.SetProgress(Percent(y, height));
            std::int64_t rowCarry = 0;
            bool rowEnds = false;
            if (y >= rowBoundary) {
                rowCarry = static_cast<std::int64_t>((y - rowBoundary) * kThousandths);
                rowBoundary += sy;
                rowEnds = true;
            }
            const std::int64_t rowKeep = kThousandths - rowCarry;
            const BYTE* from = GetBits(static_cast<DWORD>(y));
            for (LONG x = 0; x < width; ++x) {
                const std::size_t at = static_cast<std::size_t>(columnOf[x]) * 3;
                const std::int64_t colCarry = carryOf[x];
                const std::int64_t colKeep = kThousandths - colCarry;
                for (int k = 0; k < 3; ++k) {
                    const std::int64_t value = from[3 * x + k];
                    current[at + k] += value * colKeep * rowKeep / kThousandths;
                    if (colCarry)
                        current[at + 3 + k] += value * colCarry * rowKeep / kThousandths;
                    if (rowCarry) {
                        next[at + k] += value * colKeep * rowCarry / kThousandths;
                        if (colCarry)
                            next[at + 3 + k] += value * colCarry * rowCarry / kThousandths;
                    }
                }
            }
            if (rowEnds) {
                emitRow(v++);
                current.swap(next);
                std::fill(next.begin(), next.end(), 0);
            }
        }
        if (v < newHeight)
            emitRow(v);
        // Rows that rounding left without any source row repeat the last one written.
        for (LONG row = v + 1; row < newHeight; ++row)
            std::memcpy(result.GetBits(static_cast<DWORD>(row)),
                        result.GetBits(static_cast<DWORD>(v)), result.GetRowStride());
    } else {
        const std::vector<LinearTap> columns = BilinearTaps(newWidth, sx, width);
        const std::vector<LinearTap> rows = BilinearTaps(newHeight, sy, height);
        for (LONG i = 0; i < newHeight; ++i) {
            if (m_info.cancel)
                return false;
            result.SetProgress(Percent(i, newHeight));
            const LinearTap& rt = rows[i];
            const double dy = rt.fraction;
            BYTE* to = result.GetBits(static_cast<DWORD>(i));
            for (LONG j = 0; j < newWidth; ++j) {
                const LinearTap& ct = columns[j];
                const double dx = ct.fraction;
                const PxRgbQuad c00 = GetPixelColorUnchecked(ct.index, rt.index);
                const PxRgbQuad c01 = GetPixelColorUnchecked(ct.index, rt.next);
                const PxRgbQuad c10 = GetPixelColorUnchecked(ct.next, rt.index);
                const PxRgbQuad c11 = GetPixelColorUnchecked(ct.next, rt.next);
                const auto mix = [&](BYTE PxRgbQuad::*channel) {
                    return Truncated(((1 - dy) * (c00.*channel) + dy * (c01.*channel)) * (1 - dx) +
                                     ((1 - dy) * (c10.*channel) + dy * (c11.*channel)) * dx);
                };
                const BYTE blue = mix(&PxRgbQuad::rgbBlue);
                const BYTE green = mix(&PxRgbQuad::rgbGreen);
                const BYTE red = mix(&PxRgbQuad::rgbRed);
                if (palette) {
                    result.SetPixelColorRef(j, i, RGB(red, green, blue));
                    continue;
                }
                to[3 * j] = blue;
                to[3 * j + 1] = green;
                to[3 * j + 2] = red;
            }
        }
    }

    if (m_alpha) {
        if (!result.AlphaCreate())
            return false;
        const std::vector<LONG> columns = NearestIndices(newWidth, sx, width);
        for (LONG i = 0; i < newHeight; ++i) {
            const LONG row = std::min(static_cast<LONG>(i * sy), height - 1);
            const BYTE* from = m_alpha + static_cast<std::size_t>(row) * width;
            BYTE* to = result.AlphaGetPointer(0, i);
            for (LONG j = 0; j < newWidth; ++j)
                to[j] = from[columns[j]];
        }
    }
    result.SetProgress(100);
    return (output ? *output : *this).Transfer(result);
}
