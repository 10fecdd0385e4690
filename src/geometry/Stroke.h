#pragma once

#include "geometry/PointList.h"

// One stroke handed to the shape recogniser: its points in drawing order,
// the length of the path through them and its mean speed.
class CStroke {
public:
    // Speed of a stroke whose points all carry the same time.
    static constexpr double kInstantSpeed = 1e30;

    CStroke() = default;
    CStroke(const CStroke&) = delete;
    CStroke& operator=(const CStroke&) = delete;

    void AddPoint(int x, int y, double time);

    CPointList& Points() { return m_points; }
    const CPointList& Points() const { return m_points; }
    int GetCount() const { return m_points.GetCount(); }
    double GetLength() const { return m_length; }
    double GetSpeed() const { return m_speed; }

private:
    CPointList m_points{true};
    double m_length = 0.0;
    double m_speed = 0.0;
    int m_lastX = 0;
    int m_lastY = 0;
    double m_firstTime = 0.0;
};
