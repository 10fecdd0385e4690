#include "geometry/FuzzySet.h"

bool CFuzzySet::IsValid(double coreStart, double coreEnd, double leftWidth, double rightWidth)
{
    return coreStart <= coreEnd && leftWidth >= 0 && rightWidth >= 0;
}

void CFuzzySet::Set(double coreStart, double coreEnd, double leftWidth, double rightWidth)
{
    if (!IsValid(coreStart, coreEnd, leftWidth, rightWidth)) {
        return;
    }
    m_coreStart = coreStart;
    m_coreEnd = coreEnd;
    m_leftWidth = leftWidth;
    m_rightWidth = rightWidth;
}

double CFuzzySet::Degree(double x) const
{
    const double a = m_coreStart;
    const double b = m_coreEnd;
    const double l = m_leftWidth;
    const double r = m_rightWidth;
    if (x < a - l) {
        return 0.0;
    }
    if (x > b + r) {
        return 0.0;
    }
    if (a <= x && x <= b) {
        return 1.0;
    }
    if (b < x && x <= b + r) {
        return 1 - (x - b) / r;
    }
    if (a - l <= x && x < a) {
        return (x - a) / l + 1;
    }
    return 0.0;
}
