#include "gdi/alpha_rows.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define LV_ALPHA_ROWS_X86 1
#endif

namespace lv::gdi {
namespace {

// x / 255 rounded, for x up to 255 * 255: ((x + 128) + ((x + 128) >> 8)) >> 8, which stays
// within 16 bits.
inline unsigned div255(unsigned x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

void blend_bytes(const Pixel* in, Pixel* out, int count, unsigned alpha) {
    const unsigned inverse = 255 - alpha;
    const auto* s = reinterpret_cast<const std::uint8_t*>(in);
    auto* d = reinterpret_cast<std::uint8_t*>(out);
    for (int i = 0; i < count * 4; ++i)
        d[i] = static_cast<std::uint8_t>(div255(s[i] * alpha + d[i] * inverse));
}

#ifdef LV_ALPHA_ROWS_X86

// Sixteen bytes of 16-bit lanes: s * a + d * (255 - a), rounded and divided by 255. With
// y = x + 128, (y + (y >> 8)) >> 8 equals the high half of y * 257.
inline __m128i blend_lanes_128(__m128i s, __m128i d, __m128i a, __m128i ia, __m128i half) {
    const __m128i y =
        _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, ia)), half);
    return _mm_mulhi_epu16(y, _mm_set1_epi16(257));
}

// The baseline instruction set: four pixels per step.
void blend_sse2(const Pixel* in, Pixel* out, int count, unsigned alpha) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
    const __m128i ia = _mm_set1_epi16(static_cast<short>(255 - alpha));
    const __m128i half = _mm_set1_epi16(128);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i));
        const __m128i lo =
            blend_lanes_128(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), a, ia, half);
        const __m128i hi =
            blend_lanes_128(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), a, ia, half);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
    }
    blend_bytes(in + i, out + i, count - i, alpha);
}

// Eight pixels per step where the processor has 256-bit integer vectors; the vectors stay
// inside these functions, so no caller without the instructions ever sees one.
__attribute__((target("avx2"))) inline void blend_lanes_256(const Pixel* in, Pixel* out,
                                                            unsigned alpha) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i a = _mm256_set1_epi16(static_cast<short>(alpha));
    const __m256i ia = _mm256_set1_epi16(static_cast<short>(255 - alpha));
    const __m256i half = _mm256_set1_epi16(128);
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out));
    // Unpacking and packing work within each 128-bit half, so the order comes out right.
    __m256i lo =
        _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(s, zero), a),
                                          _mm256_mullo_epi16(_mm256_unpacklo_epi8(d, zero), ia)),
                         half);
    __m256i hi =
        _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(s, zero), a),
                                          _mm256_mullo_epi16(_mm256_unpackhi_epi8(d, zero), ia)),
                         half);
    lo = _mm256_mulhi_epu16(lo, _mm256_set1_epi16(257));
    hi = _mm256_mulhi_epu16(hi, _mm256_set1_epi16(257));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_packus_epi16(lo, hi));
}

__attribute__((target("avx2"))) void blend_avx2(const Pixel* in, Pixel* out, int count,
                                                unsigned alpha) {
    int i = 0;
    for (; i + 8 <= count; i += 8)
        blend_lanes_256(in + i, out + i, alpha);
    blend_sse2(in + i, out + i, count - i, alpha);
}

// Sixteen pixels per step with 512-bit byte and word instructions.
__attribute__((target("avx512f,avx512bw"))) inline void blend_lanes_512(const Pixel* in, Pixel* out,
                                                                        unsigned alpha) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i a = _mm512_set1_epi16(static_cast<short>(alpha));
    const __m512i ia = _mm512_set1_epi16(static_cast<short>(255 - alpha));
    const __m512i half = _mm512_set1_epi16(128);
    const __m512i s = _mm512_loadu_si512(in);
    const __m512i d = _mm512_loadu_si512(out);
    __m512i lo =
        _mm512_add_epi16(_mm512_add_epi16(_mm512_mullo_epi16(_mm512_unpacklo_epi8(s, zero), a),
                                          _mm512_mullo_epi16(_mm512_unpacklo_epi8(d, zero), ia)),
                         half);
    __m512i hi =
        _mm512_add_epi16(_mm512_add_epi16(_mm512_mullo_epi16(_mm512_unpackhi_epi8(s, zero), a),
                                          _mm512_mullo_epi16(_mm512_unpackhi_epi8(d, zero), ia)),
                         half);
    lo = _mm512_mulhi_epu16(lo, _mm512_set1_epi16(257));
    hi = _mm512_mulhi_epu16(hi, _mm512_set1_epi16(257));
    _mm512_storeu_si512(out, _mm512_packus_epi16(lo, hi));
}

__attribute__((target("avx512f,avx512bw"))) void blend_avx512(const Pixel* in, Pixel* out,
                                                              int count, unsigned alpha) {
    int i = 0;
    for (; i + 16 <= count; i += 16)
        blend_lanes_512(in + i, out + i, alpha);
    blend_avx2(in + i, out + i, count - i, alpha);
}

using RowBlend = void (*)(const Pixel*, Pixel*, int, unsigned);

RowBlend pick_row_blend() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw"))
        return blend_avx512;
    return __builtin_cpu_supports("avx2") ? blend_avx2 : blend_sse2;
}

#endif

} // namespace

void blend_constant_row(const Pixel* in, Pixel* out, int count, unsigned alpha) {
#ifdef LV_ALPHA_ROWS_X86
    static const RowBlend blend = pick_row_blend();
    blend(in, out, count, alpha);
#else
    blend_bytes(in, out, count, alpha);
#endif
}

} // namespace lv::gdi
