#pragma once

#include "geometry/StrokePoint.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The points of one stroke in capture order. The array owns its points;
// copies are deep. Points are stored by value, so appending never invalidates
// the values already read, only references into the array.
class CPointArray {
public:
    // Appends a point. A time of 0 means "now": the current tick count is
    // stored instead, as for a point recorded without an input event.
    void Add(std::int32_t x, std::int32_t y, std::uint32_t time = 0, std::int32_t tag = 0);
    // Appends a new point at the same position as `p` (time "now", tag 0).
    void AddCopy(const StrokePoint& p);
    // Appends `p` exactly as it is, every field kept.
    void AddRaw(const StrokePoint& p) { m_points.push_back(p); }

    StrokePoint& At(std::size_t i) { return m_points.at(i); }
    const StrokePoint& At(std::size_t i) const { return m_points.at(i); }
    StrokePoint& operator[](std::size_t i) { return m_points[i]; }
    const StrokePoint& operator[](std::size_t i) const { return m_points[i]; }
    void GetXY(std::size_t i, std::int32_t& x, std::int32_t& y) const;

    int GetCount() const { return static_cast<int>(m_points.size()); }
    bool IsEmpty() const { return m_points.empty(); }
    void RemoveAll() { m_points.clear(); }
    void Reserve(std::size_t n) { m_points.reserve(n); }

    std::vector<StrokePoint>::iterator begin() { return m_points.begin(); }
    std::vector<StrokePoint>::iterator end() { return m_points.end(); }
    std::vector<StrokePoint>::const_iterator begin() const { return m_points.begin(); }
    std::vector<StrokePoint>::const_iterator end() const { return m_points.end(); }
    const std::vector<StrokePoint>& Points() const { return m_points; }

private:
    std::vector<StrokePoint> m_points;
};
