// Reference values of the vertical stress under uniformly loaded areas on an
// elastic half-space, made without any of settle's code: Boussinesq's
// point-load solution integrated over the loaded area by Boost.Math's adaptive
// Gauss-Kronrod quadrature, and the classical closed forms. All in double
// precision; every result is the stress divided by the surface pressure q.
#pragma once

#include <span>

namespace verification {

struct PlanPoint {
  double x = 0.0;
  double y = 0.0;
};

// Boussinesq (1885): vertical stress / load at depth `z` and horizontal
// distance `r` from a point load P at the surface, times P: 3 z^3 / (2 pi R^5)
// with R^2 = r^2 + z^2. REQUIRES: z > 0.
double point_load_kernel(double r, double z);

// Stress / q at depth `z` below `point` of the simple polygon `corners`
// (in order round the outline, either way; convex or not) loaded by q, by
// integrating the point-load kernel over the polygon: x outside, y inside,
// both adaptive Gauss-Kronrod, with the intervals split at every vertex and
// where the kernel peaks. REQUIRES: z > 0, at least 3 corners, a simple outline.
double polygon_stress_ratio(std::span<const PlanPoint> corners, PlanPoint point, double z);

// The four corners of a rectangle with centre `centre`, side `x_length` turned
// counter-clockwise from the x axis by the angle whose tangent is `slope`, and
// side `y_length` at right angles to it. Corner 1 at local (-a, -b), then
// counter-clockwise.
struct RectangleCorners {
  PlanPoint corner[4];
};
RectangleCorners rectangle_corners(PlanPoint centre, double x_length, double y_length,
                                   double slope);

// Stress / q at depth `z` below `point` of a uniformly loaded circle of
// radius `radius` whose centre is at horizontal distance `r` from the point,
// by integrating the point-load kernel over the disk in polar coordinates
// about its centre. REQUIRES: z > 0, r >= 0. Next to the rim the kernel
// peaks ever more sharply as z falls: below z = 0.01 radius the quadrature
// takes seconds.
double circle_stress_ratio_numerical(double radius, double r, double z);

// The same stress by a different road, to check the integral above: from the
// point, each ray's share of the kernel in closed form (the idea of Newmark's
// influence chart, 1942) and the angle by adaptive Gauss-Kronrod to the
// relative `tolerance`. REQUIRES: z > 0, r >= 0.
double circle_stress_ratio_by_rays(double radius, double r, double z, double tolerance = 1.0e-9);

// Closed form on the axis of a uniformly loaded circle (Love 1929):
// 1 - (z^2 / (a^2 + z^2))^(3/2). REQUIRES: z > 0.
double circle_axis_closed_form(double radius, double z);

// Closed form under the corner of a uniformly loaded rectangle with sides
// `b` and `l` (Newmark 1935), with the arctangent taken in 0..pi.
// REQUIRES: z > 0.
double rectangle_corner_closed_form(double b, double l, double z);

// Closed form below the local position (u, v) of a uniformly loaded
// rectangle spanning -a..a along u and -b..b along v: the four signed
// quadrants of Newmark's corner solution superposed. REQUIRES: z > 0.
double rectangle_closed_form(double a, double b, double u, double v, double z);

// The 2:1 approximation: a total load spread over the area widened by half
// the depth on every side, Q / ((length_x + d) (length_y + d)), divided by the
// surface pressure Q / (length_x length_y); 0 outside the widened area.
// `d` is the depth below the level where the load acts and (u, v) the point
// relative to the area's centre. At d = 0 it is 1 on the area, edges included.
// REQUIRES: d >= 0.
double spread_2to1_ratio(double length_x, double length_y, double u, double v, double d);

// The strip (plane strain) as textbooks write it (e.g. Poulos and Davis 1974):
// q (alpha + sin(alpha) cos(alpha + 2 delta)) / pi, alpha the angle the width
// subtends at the point, delta the angle from the vertical to the edge on the
// side of negative offsets. Stress / q at depth `z`, `offset` from the centre
// line of a strip `half_width` either side of it. REQUIRES: z > 0.
double strip_closed_form(double half_width, double offset, double z);

// Osterberg (1957): the influence factor I of a half embankment, a crest of
// width `b` from the point's vertical and a side slope reaching `a` further,
// at depth `z`: I = [((a + b) / a)(alpha1 + alpha2) - (b / a) alpha2] / pi,
// alpha2 = atan(b / z), alpha1 = atan((a + b) / z) - alpha2; the stress under
// the middle of an infinitely long embankment of crest half width b is 2 I q.
// REQUIRES: a > 0, b >= 0, z > 0.
double osterberg_influence(double a, double b, double z);

// Stress / (the load under the crest) at depth `z` and `offset` across from
// the centre line of an infinitely long embankment (crest half width
// `crest_half_width`, each side slope reaching `side_width` to its toe), by
// integrating Flamant's line load 2 z^3 / (pi R^4) across it with adaptive
// Gauss-Kronrod. REQUIRES: z > 0, side_width > 0.
double embankment_plane_ratio_numerical(double crest_half_width, double side_width, double offset,
                                        double z);

// Stress / (the load under the crest) at depth `z` below the local position
// (`across`, `along`) of an embankment of length `length` from along = 0, with
// vertical ends: Boussinesq's point load integrated over the footprint,
// weighted by the fill's height. REQUIRES: z > 0, side_width > 0.
double embankment_ratio_numerical(double crest_half_width, double side_width, double length,
                                  double across, double along, double z);

}  // namespace verification
