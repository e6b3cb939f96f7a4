// The four influence functions. Each works in double precision inside and
// rounds its result to single precision once, when it returns it.
#include "loads/archived_influence.h"

#include <array>
#include <cmath>
#include <cstddef>

// On x86-64 the ordinates of an integral are also taken four at a time, on
// processors that have the wider registers (chosen at run time).
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SETTLE_AVX_ORDINATES 1
#include <immintrin.h>
#endif

namespace loads {
namespace {

// Single-precision constants, widened: the influence values are defined with
// these exact single values, and their last bits reach the printed digits
// (12.566370 is that decimal, not the single value of 4 pi).
constexpr double kWeddleFactor = static_cast<double>(0.3f);
constexpr double kCornerThreshold = static_cast<double>(1.0e-7f);
constexpr double kPiSingle = static_cast<double>(3.14159265f);
constexpr double kFourPiAsWritten = static_cast<double>(12.566370f);
constexpr double kAboveReference = static_cast<double>(1.0e-5f);
constexpr double kAboveTwoThirdsReference = static_cast<double>(-1.0e-9f);

// Substitute for the reciprocal of a zero ordinate (an infinite integrand).
constexpr double kInfiniteOrdinate = 1.0e35;

double pi() { return 4.0 * std::atan(1.0); }
double half_pi() { return 2.0 * std::atan(1.0); }

// The 13 ordinates of an integral take 16 slots (the last three unused), so
// that they can be taken two or four at a time.
constexpr std::size_t kSlots = 16;

// Weddle's rule 3h/10 [1 5 1 6 1 5 1] on the panels 0-6 and 6-12; the shared
// ordinate 6 counts twice.
double weddle(const std::array<double, kSlots>& y, double h) {
  const double sum = y[0] + y[2] + y[4] + 2.0 * y[6] + y[8] + y[10] + y[12] +
                     5.0 * (y[1] + y[5] + y[7] + y[11]) + 6.0 * (y[3] + y[9]);
  return kWeddleFactor * h * sum;
}

// The abscissae of the 13 ordinates over 0..phi, as the squares of their sines.
struct OrdinateAngles {
  double phi;
  double h;
  std::array<double, kSlots> sine_square;
};

OrdinateAngles ordinate_angles(double phi) {
  OrdinateAngles angles{phi, phi / 12.0, {}};
  // The abscissae are accumulated, not multiplied: the last one carries the
  // rounding of twelve additions, which the integrals at phi = pi/2 depend on.
  // The first abscissa is 0, whose sine is 0 exactly.
  double theta = angles.h;
  for (std::size_t i = 1; i <= 12; ++i) {
    const double s = std::sin(theta);
    angles.sine_square[i] = s * s;
    theta += angles.h;
  }
  return angles;
}

// The angles of the complete integral (phi = pi/2), worked out once. The
// amplitude passes through a volatile so that the sines are those of the
// run-time library, as for any other amplitude, and not the compiler's own.
const OrdinateAngles& complete_angles() {
  static const OrdinateAngles angles = [] {
    volatile double phi = half_pi();
    return ordinate_angles(phi);
  }();
  return angles;
}

// The ordinates sqrt(1 - m sin^2) and their reciprocals. Square roots and
// quotients are correctly rounded whether taken one or four at a time, so the
// grouped form gives the same bits as the plain loop, in fewer steps.
#if defined(SETTLE_AVX_ORDINATES)
[[gnu::target("avx")]] void ordinates_four_at_a_time(const OrdinateAngles& angles, double m,
                                                     double* ordinate, double* reciprocal) {
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d infinite = _mm256_set1_pd(kInfiniteOrdinate);
  const __m256d parameter = _mm256_set1_pd(m);
  for (std::size_t i = 0; i < kSlots; i += 4) {
    const __m256d sine_square = _mm256_loadu_pd(&angles.sine_square[i]);
    const __m256d y = _mm256_sqrt_pd(_mm256_sub_pd(one, _mm256_mul_pd(parameter, sine_square)));
    const __m256d is_zero = _mm256_cmp_pd(y, _mm256_setzero_pd(), _CMP_EQ_OQ);
    _mm256_storeu_pd(&ordinate[i], y);
    _mm256_storeu_pd(&reciprocal[i], _mm256_blendv_pd(_mm256_div_pd(one, y), infinite, is_zero));
  }
}

bool has_avx() {
  static const bool avx = __builtin_cpu_supports("avx") != 0;
  return avx;
}
#endif

EllipticIntegrals weddle_integrals(const OrdinateAngles& angles, double m) {
  std::array<double, kSlots> ordinate{};
  std::array<double, kSlots> reciprocal{};
#if defined(SETTLE_AVX_ORDINATES)
  if (has_avx()) {
    ordinates_four_at_a_time(angles, m, ordinate.data(), reciprocal.data());
    return {weddle(ordinate, angles.h), weddle(reciprocal, angles.h)};
  }
#endif
  for (std::size_t i = 0; i < kSlots; ++i) {
    ordinate[i] = std::sqrt(1.0 - m * angles.sine_square[i]);
    reciprocal[i] = ordinate[i] == 0.0 ? kInfiniteOrdinate : 1.0 / ordinate[i];
  }
  return {weddle(ordinate, angles.h), weddle(reciprocal, angles.h)};
}

// Reference depth of a spread area: option 2 is two thirds of the way down,
// rounded down to a multiple of 0.5 for positive depths.
double reference_level(std::int32_t option, double top_level, double bottom_level) {
  if (option == 1) return top_level;
  if (option == 3) return bottom_level;
  const double two_thirds = (bottom_level - top_level) * 2.0 / 3.0 + top_level;
  const double whole = std::trunc(two_thirds);
  return two_thirds - whole >= 0.5 ? whole + 0.5 : whole;
}

}  // namespace

EllipticIntegrals elliptic_integrals(double phi, double m) {
  // Every complete integral has the same abscissae: their sines come from the
  // table, the same values the loop below would give.
  const OrdinateAngles& complete = complete_angles();
  if (phi == complete.phi) return weddle_integrals(complete, m);
  return weddle_integrals(ordinate_angles(phi), m);
}

float circle_stress_ratio(float a_in, float r_in, float z_in) {
  const double a = static_cast<double>(a_in);
  const double r = static_cast<double>(r_in);
  const double z = static_cast<double>(z_in);
  const double pi_value = pi();

  if (r < 1.0e-6) {
    return static_cast<float>(1.0 - std::pow(z * z / (a * a + z * z), 1.5));
  }

  // R1 and R2: distances from the point to the nearest and farthest points
  // of the rim in the vertical plane through the centre.
  const double d = a - r;
  const double r1 = d == 0.0 ? z : std::sqrt(d * d + z * z);
  const double r2 = std::sqrt((a + r) * (a + r) + z * z);
  const double k_prime_sq = (r1 / r2) * (r1 / r2);
  const double k_sq = 1.0 - k_prime_sq;
  const EllipticIntegrals complete = elliptic_integrals(half_pi(), k_sq);

  if (r1 < 1.0e-6) return 0.5f;

  double beta = half_pi();
  if (r1 != z) {
    const double y = z / r1;
    beta = std::atan(y / std::sqrt(1.0 - y * y));
  }
  const EllipticIntegrals partial = elliptic_integrals(beta, k_prime_sq);

  // Heuman's lambda function (times pi/2), from which the solid angle follows.
  const double lambda = complete.f * partial.e - (complete.f - complete.e) * partial.f;
  double solid = lambda / pi_value;
  if (d > 0.0) {
    solid = 1.0 - lambda / pi_value;
  } else if (d == 0.0) {
    solid = 0.5;
  }
  const double ratio =
      solid - ((z * z - a * a + r * r) / (r1 * r2)) * z * complete.e / (pi_value * r1);
  return static_cast<float>(ratio);
}

float rectangle_corner_factor(float m_in, float n_in) {
  const double m = static_cast<double>(m_in);
  const double n = static_cast<double>(n_in);
  if (2.0 * m * n < kCornerThreshold) return 0.0f;

  const double mn_sq = m * m * n * n;
  const double v = m * m + n * n + 1.0;
  const double root_term = 2.0 * m * n * std::sqrt(v);
  const double t = root_term * (v + 1.0) / (v * (v + mn_sq));
  // Where V = m^2 n^2 the quotient is infinite and its arctangent pi/2.
  const double denominator = v - mn_sq;
  double theta = denominator == 0.0 ? half_pi() : std::atan(root_term / denominator);
  if (theta < 0.0) theta = theta + kPiSingle;
  return static_cast<float>((t + theta) / kFourPiAsWritten);
}

SpreadFootprint spread_footprint(std::int32_t option, float top_level, float bottom_level,
                                 float length_y, float length_x, float centre_x, float centre_y) {
  SpreadFootprint footprint;
  footprint.valid_option = option >= 1 && option <= 3;
  if (!footprint.valid_option) return footprint;
  footprint.reference = reference_level(option, top_level, bottom_level);
  // Option 2 counts the reference level itself as loaded; 1 and 3 do not.
  footprint.threshold = option == 2 ? kAboveTwoThirdsReference : kAboveReference;
  const double cx = centre_x;
  const double cy = centre_y;
  const double half_lx = static_cast<double>(length_x) / 2.0;
  const double half_ly = static_cast<double>(length_y) / 2.0;
  footprint.low_x = cx - half_lx;
  footprint.high_x = cx + half_lx;
  footprint.low_y = cy - half_ly;
  footprint.high_y = cy + half_ly;
  footprint.length_x = length_x;
  footprint.length_y = length_y;
  return footprint;
}

float spread_2to1_factor(const SpreadFootprint& footprint, float point_depth, float point_x,
                         float point_y) {
  if (!footprint.valid_option) return 0.0f;
  const double depth_below = static_cast<double>(point_depth) - footprint.reference;
  if (depth_below < footprint.threshold) return 0.0f;

  // The footprint is the area widened by half the depth on every side; its
  // edges belong to it.
  const double half_d = depth_below / 2.0;
  const double px = point_x;
  const double py = point_y;
  const bool inside = footprint.low_x - half_d <= px && px <= footprint.high_x + half_d &&
                      footprint.low_y - half_d <= py && py <= footprint.high_y + half_d;
  if (!inside) return 0.0f;
  return static_cast<float>(
      1.0 / ((depth_below + footprint.length_y) * (depth_below + footprint.length_x)));
}

float spread_2to1_factor(std::int32_t option, float top_level, float bottom_level, float length_y,
                         float length_x, float point_depth, float centre_x, float centre_y,
                         float point_x, float point_y) {
  return spread_2to1_factor(
      spread_footprint(option, top_level, bottom_level, length_y, length_x, centre_x, centre_y),
      point_depth, point_x, point_y);
}

}  // namespace loads
