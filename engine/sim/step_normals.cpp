#include "sim/engine_state.h"
#include "sim/step_rows.h"

#include <cmath>
#include <immintrin.h>

namespace zb {

namespace {

// A property of the machine, not state of the engine.
bool processorHasAvx() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return has;
}

} // namespace

bool setWideKernels(bool wide) {
    gEngine.kernels = wide ? KernelWidth::FourLanes : KernelWidth::TwoLanes;
    return wideKernels();
}

bool wideKernels() {
    return gEngine.kernels != KernelWidth::TwoLanes && processorHasAvx();
}

namespace {

// One node. With dX = (ax, ay, az) and dZ = (bx, by, bz), where az and bx are the differences
// of equal coordinates, +0: N = dX x dZ in double, divided by its length (0 where the length is
// 0) and rounded to float.
inline void normalAt(Oscillator& o, float ax, float ay, float by, float bz) {
    const double az = 0.0, bx = 0.0;
    const double nx = double(ay) * double(bz) - az * double(by);
    const double ny = az * bx - double(ax) * double(bz);
    const double nz = double(ax) * double(by) - double(ay) * bx;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len == 0.0)
        o.normal = {0.0f, 0.0f, 0.0f};
    else
        o.normal = {float(nx / len), float(ny / len), float(nz / len)};
}

// The cache lines of four records at ahead that the update leaves out (it asks for every other
// one), so that memory is kept busy while the normals are computed too.
inline void prefetchOddLines(const Oscillator* ahead) {
    const char* p = reinterpret_cast<const char*>(ahead);
    __builtin_prefetch(p + 64);
    __builtin_prefetch(p + 192);
}

inline void scatterNormals(Oscillator* o, __m128 fx, __m128 fy, __m128 fz) {
    const __m128 xy01 = _mm_unpacklo_ps(fx, fy);
    const __m128 xy23 = _mm_unpackhi_ps(fx, fy);
    _mm_storel_pi(reinterpret_cast<__m64*>(&o[0].normal.x), xy01);
    _mm_storeh_pi(reinterpret_cast<__m64*>(&o[1].normal.x), xy01);
    _mm_storel_pi(reinterpret_cast<__m64*>(&o[2].normal.x), xy23);
    _mm_storeh_pi(reinterpret_cast<__m64*>(&o[3].normal.x), xy23);
    _mm_store_ss(&o[0].normal.z, fz);
    _mm_store_ss(&o[1].normal.z, _mm_shuffle_ps(fz, fz, 1));
    _mm_store_ss(&o[2].normal.z, _mm_shuffle_ps(fz, fz, 2));
    _mm_store_ss(&o[3].normal.z, _mm_shuffle_ps(fz, fz, 3));
}

// Two nodes in double lanes, the same operations as normalAt.
inline void normalisePair(__m128d ax, __m128d ay, __m128d by, __m128d bz, __m128& fx, __m128& fy,
                          __m128& fz) {
    const __m128d zero = _mm_setzero_pd();
    const __m128d nx = _mm_sub_pd(_mm_mul_pd(ay, bz), _mm_mul_pd(zero, by));
    const __m128d ny = _mm_sub_pd(_mm_mul_pd(zero, zero), _mm_mul_pd(ax, bz));
    const __m128d nz = _mm_sub_pd(_mm_mul_pd(ax, by), _mm_mul_pd(ay, zero));
    const __m128d len = _mm_sqrt_pd(
        _mm_add_pd(_mm_add_pd(_mm_mul_pd(nx, nx), _mm_mul_pd(ny, ny)), _mm_mul_pd(nz, nz)));
    const __m128d notFlat = _mm_cmpneq_pd(len, zero);
    fx = _mm_cvtpd_ps(_mm_and_pd(_mm_div_pd(nx, len), notFlat));
    fy = _mm_cvtpd_ps(_mm_and_pd(_mm_div_pd(ny, len), notFlat));
    fz = _mm_cvtpd_ps(_mm_and_pd(_mm_div_pd(nz, len), notFlat));
}

inline __m128d low(__m128 v) {
    return _mm_cvtps_pd(v);
}
inline __m128d high(__m128 v) {
    return _mm_cvtps_pd(_mm_movehl_ps(v, v));
}

// Interior nodes 1 .. end-1 in groups of four; returns where the groups stopped.
int64_t interiorNormals(Oscillator* row, int64_t end, const float* up, const float* here,
                        const float* down, const float* dx, float dz, const Oscillator* ahead) {
    const __m128d bz = _mm_set1_pd(double(dz));
    int64_t i = 1;
    for (; i + 4 <= end; i += 4) {
        prefetchOddLines(ahead + i);
        const __m128 ax = _mm_loadu_ps(dx + i);
        const __m128 ay = _mm_sub_ps(_mm_loadu_ps(here + i + 1), _mm_loadu_ps(here + i - 1));
        const __m128 by = _mm_sub_ps(_mm_loadu_ps(down + i), _mm_loadu_ps(up + i));
        __m128 x0, y0, z0, x1, y1, z1;
        normalisePair(low(ax), low(ay), low(by), bz, x0, y0, z0);
        normalisePair(high(ax), high(ay), high(by), bz, x1, y1, z1);
        scatterNormals(row + i, _mm_movelh_ps(x0, x1), _mm_movelh_ps(y0, y1),
                       _mm_movelh_ps(z0, z1));
    }
    return i;
}

__attribute__((target("avx"))) int64_t interiorNormalsWide(Oscillator* row, int64_t end,
                                                           const float* up, const float* here,
                                                           const float* down, const float* dx,
                                                           float dz, const Oscillator* ahead) {
    const __m256d zero = _mm256_setzero_pd();
    const __m256d bz = _mm256_set1_pd(double(dz));
    int64_t i = 1;
    for (; i + 4 <= end; i += 4) {
        prefetchOddLines(ahead + i);
        const __m256d ax = _mm256_cvtps_pd(_mm_loadu_ps(dx + i));
        const __m256d ay =
            _mm256_cvtps_pd(_mm_sub_ps(_mm_loadu_ps(here + i + 1), _mm_loadu_ps(here + i - 1)));
        const __m256d by =
            _mm256_cvtps_pd(_mm_sub_ps(_mm_loadu_ps(down + i), _mm_loadu_ps(up + i)));
        const __m256d nx = _mm256_sub_pd(_mm256_mul_pd(ay, bz), _mm256_mul_pd(zero, by));
        const __m256d ny = _mm256_sub_pd(_mm256_mul_pd(zero, zero), _mm256_mul_pd(ax, bz));
        const __m256d nz = _mm256_sub_pd(_mm256_mul_pd(ax, by), _mm256_mul_pd(ay, zero));
        const __m256d len = _mm256_sqrt_pd(_mm256_add_pd(
            _mm256_add_pd(_mm256_mul_pd(nx, nx), _mm256_mul_pd(ny, ny)), _mm256_mul_pd(nz, nz)));
        const __m256d notFlat = _mm256_cmp_pd(len, zero, _CMP_NEQ_UQ);
        scatterNormals(row + i, _mm256_cvtpd_ps(_mm256_and_pd(_mm256_div_pd(nx, len), notFlat)),
                       _mm256_cvtpd_ps(_mm256_and_pd(_mm256_div_pd(ny, len), notFlat)),
                       _mm256_cvtpd_ps(_mm256_and_pd(_mm256_div_pd(nz, len), notFlat)));
    }
    return i;
}

} // namespace

void storeNormals(Oscillator* row, int64_t nx, const float* up, const float* here,
                  const float* down, const float* dx, float dz, const Oscillator* ahead) {
    const int64_t end = nx - 1;
    normalAt(row[0], dx[0], here[end > 0 ? 1 : 0] - here[0], down[0] - up[0], dz);
    if (end == 0)
        return;
    int64_t i = wideKernels() ? interiorNormalsWide(row, end, up, here, down, dx, dz, ahead)
                              : interiorNormals(row, end, up, here, down, dx, dz, ahead);
    for (; i < end; ++i)
        normalAt(row[i], dx[i], here[i + 1] - here[i - 1], down[i] - up[i], dz);
    normalAt(row[end], dx[end], here[end] - here[end - 1], down[end] - up[end], dz);
}

} // namespace zb
