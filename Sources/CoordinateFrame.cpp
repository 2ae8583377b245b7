#include "CoordinateFrame.h"

#include <climits>
#include <cmath>
#include <utility>

namespace {

short saturate16(double v) {
    if (std::isnan(v)) return 0;
    v = std::trunc(v);
    if (v > SHRT_MAX) return SHRT_MAX;
    if (v < SHRT_MIN) return SHRT_MIN;
    return static_cast<short>(v);
}

std::int32_t saturate32(double v) {
    if (std::isnan(v)) return INT32_MIN;
    v = std::trunc(v);
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

} // namespace

Point toWindow(const Frame& f, vect p) {
    Point pt;
    pt.h = saturate16((p.x - f.xmin) * f.xScale);
    pt.v = saturate16((f.ymax - p.y) * f.yScale);
    return pt;
}

vect toPhysical(const Frame& f, Point pt) {
    return vect{pt.h / f.xScale + f.xmin, f.ymax - pt.v / f.yScale};
}

std::int32_t vertexH(const Frame& f, double x) { return saturate32((x - f.xmin) * f.xScale + 0.5); }

std::int32_t vertexV(const Frame& f, double y) { return saturate32((f.ymax - y) * f.yScale + 0.5); }

bool clipToFrameMargin(const Frame& f, vect& a, vect& b) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return false;
    const double w = f.xmax - f.xmin, h = f.ymax - f.ymin;
    const double lo[2] = {f.xmin - w, f.ymin - h};
    const double hi[2] = {f.xmax + w, f.ymax + h};
    const double p0[2] = {a.x, a.y};
    const double d[2] = {b.x - a.x, b.y - a.y};
    // Liang-Barsky: the part of the segment's parameter range inside the box.
    double t0 = 0, t1 = 1;
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0) {
            if (p0[k] < lo[k] || p0[k] > hi[k]) return false;
            continue;
        }
        double ta = (lo[k] - p0[k]) / d[k];
        double tb = (hi[k] - p0[k]) / d[k];
        if (ta > tb) std::swap(ta, tb);
        if (ta > t0) t0 = ta;
        if (tb < t1) t1 = tb;
        if (t0 > t1) return false;
    }
    const vect start = a;
    if (t0 > 0) a = vect{start.x + t0 * d[0], start.y + t0 * d[1]};
    if (t1 < 1) b = vect{start.x + t1 * d[0], start.y + t1 * d[1]};
    return true;
}
