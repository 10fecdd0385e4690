#include "recognition/EllipseOutline.h"

#include <cmath>
#include <cstddef>

#include "geometry/Planar.h"

std::vector<QuadrantPoint> EllipseQuadrant(double rx, double ry)
{
    const double rx2 = rx * rx;
    const double ry2 = ry * ry;
    std::vector<QuadrantPoint> records;
    records.reserve(static_cast<std::size_t>(std::fmin(rx + ry, 1e6)) + 4);

    int x = 0;
    int y = TruncToInt(ry);
    records.push_back({x, y});
    double p = ry2 - rx2 * ry + rx2 / 4;

    // Region 1: steps in x while the slope is shallow.
    if (rx2 * y > ry2) {
        do {
            if (p < 0) {
                p += ry2 * (2.0 * x + 3);
                x += 1;
            } else {
                p += ry2 * (2.0 * x + 3) + rx2 * (2 - 2.0 * y);
                x += 1;
                y -= 1;
            }
            records.push_back({x, y});
        } while (ry2 * (x + 1.0) < rx2 * y);
    }

    // Region 2: steps in y down to y = -2.
    const double xd = x;
    const double ym1 = y - 1.0;
    p = ry2 * (xd * xd) + rx2 * (ym1 * ym1) - rx2 * ry2;
    if (y >= -1) {
        do {
            if (p < 0) {
                p += ry2 * (2.0 * x + 2) + rx2 * (3 - 2.0 * y);
                x += 1;
            } else {
                p += rx2 * (3 - 2.0 * y);
            }
            y -= 1;
            records.push_back({x, y});
        } while (y >= -1);
    }
    return records;
}

std::unique_ptr<CPolygon> MakeEllipseOutline(const std::array<TimedPoint, 4>& p)
{
    const TimedPoint& p0 = p[0];
    const TimedPoint& p1 = p[1];
    const TimedPoint& p2 = p[2];
    const TimedPoint& p3 = p[3];
    const double rx = PointDistance(p1, p2) * 0.5;
    const double ry = PointDistance(p0, p1) * 0.5;
    const double theta = PointAngle(p0, p3);
    const double c = std::cos(theta);
    const double s = std::sin(theta);

    const std::vector<QuadrantPoint> q = EllipseQuadrant(rx, ry);
    const std::size_t n = q.size();

    auto outline = std::make_unique<CPolygon>();
    const auto emit = [&](double lx, double ly) {
        outline->Add(TimedPoint{TruncToInt(p1.x + lx * c - ly * s),
                                TruncToInt(p1.y + lx * s + ly * c), 0.0});
    };
    for (std::size_t i = 0; i < n; ++i) {
        emit(rx - q[n - 1 - i].x, ry + q[n - 1 - i].y);
    }
    for (std::size_t i = 0; i < n; ++i) {
        emit(rx + q[i].x, ry + q[i].y);
    }
    for (std::size_t i = 0; i < n; ++i) {
        emit(rx + q[n - 1 - i].x, ry - q[n - 1 - i].y);
    }
    for (std::size_t i = 0; i < n; ++i) {
        emit(rx - q[i].x, ry - q[i].y);
    }
    return outline;
}
