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
    result.CopyPalette(*this);
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
        std::vector<double> blendedRow(static_cast<std::size_t>(width) * 3);
        for (LONG i = 0; i < newHeight; ++i) {
            if (m_info.cancel)
                return false;
            result.SetProgress(Percent(i, newHeight));
            // The kernel is separable: blend the four source rows first, then the columns.
            const CubicTaps& rt = rows[i];
            if (palette) {
                for (LONG x = 0; x < width; ++x) {
                    double blue = 0, green = 0, red = 0;
                    for (int n = 0; n < 4; ++n) {
                        const PxRgbQuad c = GetPixelColorUnchecked(x, rt.index[n]);
                        blue += rt.weight[n] * c.rgbBlue;
                        green += rt.weight[n] * c.rgbGreen;
                        red += rt.weight[n] * c.rgbRed;
                    }
                    blendedRow[3 * x] = blue;
                    blendedRow[3 * x + 1] = green;
                    blendedRow[3 * x + 2] = red;
                }
            } else {
                const BYTE* r0 = GetBits(static_cast<DWORD>(rt.index[0]));
                const BYTE* r1 = GetBits(static_cast<DWORD>(rt.index[1]));
                const BYTE* r2 = GetBits(static_cast<DWORD>(rt.index[2]));
                const BYTE* r3 = GetBits(static_cast<DWORD>(rt.index[3]));
                const double w0 = rt.weight[0], w1 = rt.weight[1], w2 = rt.weight[2],
                             w3 = rt.weight[3];
                const std::size_t bytes = static_cast<std::size_t>(width) * 3;
                for (std::size_t k = 0; k < bytes; ++k)
                    blendedRow[k] = w0 * r0[k] + w1 * r1[k] + w2 * r2[k] + w3 * r3[k];
            }
            BYTE* to = result.GetBits(static_cast<DWORD>(i));
            for (LONG j = 0; j < newWidth; ++j) {
                const CubicTaps& ct = columns[j];
                double blue = 0, green = 0, red = 0;
                for (int m = 0; m < 4; ++m) {
                    const double* p = &blendedRow[3 * static_cast<std::size_t>(ct.index[m])];
                    blue += ct.weight[m] * p[0];
                    green += ct.weight[m] * p[1];
                    red += ct.weight[m] * p[2];
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
        // Weights are kept in millionths (column thousandths x row thousandths), so the sums
        // are divided once per result pixel.
        const std::int64_t divisor = std::max<std::int64_t>(scale * kThousandths, 1);
        // Integer division of every sum by one divisor, through its reciprocal and an exact
        // correction step.
        const double reciprocal = 1.0 / static_cast<double>(divisor);
        const auto emitRow = [&](LONG row) {
            BYTE* to = result.GetBits(static_cast<DWORD>(row));
            for (std::size_t k = 0; k < static_cast<std::size_t>(newWidth) * 3; ++k) {
                const std::int64_t sum = current[k];
                std::int64_t q = static_cast<std::int64_t>(static_cast<double>(sum) * reciprocal);
                if (q * divisor > sum)
                    --q;
                else if ((q + 1) * divisor <= sum)
                    ++q;
                to[k] = static_cast<BYTE>(std::clamp<std::int64_t>(q, 0, 255));
            }
        };
        // Per result column: the source columns that lie wholly inside it, then the column
        // that straddles its right boundary and the thousandths of it that go on.
        struct ColumnSpan {
            LONG first = 0;
            LONG whole = 0; // end of the wholly covered columns
            LONG split = -1;
            std::int64_t carry = 0;
        };
        std::vector<ColumnSpan> spans(static_cast<std::size_t>(newWidth));
        {
            LONG u = 0;
            double boundary = sx - 1.0;
            for (LONG x = 0; x < width; ++x) {
                ColumnSpan& span = spans[u];
                if (x < boundary) {
                    span.whole = x + 1;
                    continue;
                }
                span.split = x;
                span.carry = static_cast<std::int64_t>((x - boundary) * kThousandths);
                boundary += sx;
                if (u + 1 == newWidth) // rounding: the rest stays in the last column
                    boundary = static_cast<double>(width) + 1.0;
                else
                    spans[++u] = ColumnSpan{x + 1, x + 1, -1, 0};
            }
        }
        const auto accumulate = [&](std::vector<std::int64_t>& into, const BYTE* from,
                                    std::int64_t rowWeight) {
            std::int64_t* at = into.data();
            const std::int64_t whole = kThousandths * rowWeight;
            for (const ColumnSpan& span : spans) {
                std::int64_t b = 0, g = 0, r = 0;
                for (LONG x = span.first; x < span.whole; ++x) {
                    b += from[3 * x];
                    g += from[3 * x + 1];
                    r += from[3 * x + 2];
                }
                at[0] += b * whole;
                at[1] += g * whole;
                at[2] += r * whole;
                if (span.split >= 0) {
                    const BYTE* p = from + 3 * span.split;
                    const std::int64_t keep = (kThousandths - span.carry) * rowWeight;
                    const std::int64_t on = span.carry * rowWeight;
                    at[0] += p[0] * keep;
                    at[1] += p[1] * keep;
                    at[2] += p[2] * keep;
                    at[3] += p[0] * on;
                    at[4] += p[1] * on;
                    at[5] += p[2] * on;
                }
                at += 3;
            }
        };
        LONG v = 0;
        double rowBoundary = sy - 1.0;
        for (LONG y = 0; y < height && v < newHeight; ++y) {
            if (m_info.cancel)
                return false;
            result.SetProgress(Percent(y, height));
            const BYTE* from = GetBits(static_cast<DWORD>(y));
            if (y < rowBoundary) {
                accumulate(current, from, kThousandths);
                continue;
            }
            const std::int64_t rowCarry =
                static_cast<std::int64_t>((y - rowBoundary) * kThousandths);
            rowBoundary += sy;
            accumulate(current, from, kThousandths - rowCarry);
            if (rowCarry)
                accumulate(next, from, rowCarry);
            emitRow(v++);
            current.swap(next);
            std::fill(next.begin(), next.end(), 0);
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
            if (!palette) {
                const BYTE* r0 = GetBits(static_cast<DWORD>(rt.index));
                const BYTE* r1 = GetBits(static_cast<DWORD>(rt.next));
                for (LONG j = 0; j < newWidth; ++j) {
                    const LinearTap& ct = columns[j];
                    const double dx = ct.fraction;
                    const std::size_t a = 3 * static_cast<std::size_t>(ct.index);
                    const std::size_t b = 3 * static_cast<std::size_t>(ct.next);
                    for (int k = 0; k < 3; ++k)
                        to[3 * j + k] =
                            Truncated(((1 - dy) * r0[a + k] + dy * r1[a + k]) * (1 - dx) +
                                      ((1 - dy) * r0[b + k] + dy * r1[b + k]) * dx);
                }
                continue;
            }
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
                result.SetPixelColorRef(j, i, RGB(red, green, blue));
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
