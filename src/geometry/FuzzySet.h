#pragma once

// A trapezoidal fuzzy set: degree 1 on the core [coreStart, coreEnd], rising
// linearly over leftWidth below it and falling over rightWidth above it.
// Written as corner values (a, b, c, d): 0 below a, 1 from b to c, 0 above
// d. kOpen as c and d leaves the upper end open.
class CFuzzySet {
public:
    static constexpr double kOpen = 1e30;

    CFuzzySet() = default;
    // From corner values a <= b <= c <= d.
    CFuzzySet(double a, double b, double c, double d) { Set(b, c, b - a, d - c); }

    static bool IsValid(double coreStart, double coreEnd, double leftWidth, double rightWidth);
    // Stores the four values when they are valid; otherwise keeps the old ones.
    void Set(double coreStart, double coreEnd, double leftWidth, double rightWidth);
    double Degree(double x) const;

    double CoreStart() const { return m_coreStart; }
    double CoreEnd() const { return m_coreEnd; }
    double LeftWidth() const { return m_leftWidth; }
    double RightWidth() const { return m_rightWidth; }

private:
    double m_coreStart = 0.0;
    double m_coreEnd = 0.0;
    double m_leftWidth = 0.0;
    double m_rightWidth = 0.0;
};
