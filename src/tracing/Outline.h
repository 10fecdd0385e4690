#pragma once

#include "geometry/PointArray.h"

#include <memory>
#include <vector>

// Closed contours traced from an ink stroke's mask. Each contour is a point
// array of pixel-corner coordinates (only x and y carry meaning). The outline
// owns its contours.
class COutline {
public:
    void Append(CPointArray contour) { m_contours.push_back(std::move(contour)); }
    int GetCount() const { return static_cast<int>(m_contours.size()); }
    const CPointArray& At(int i) const { return m_contours.at(static_cast<std::size_t>(i)); }
    CPointArray& At(int i) { return m_contours.at(static_cast<std::size_t>(i)); }
    // Moves every contour of `other` to the end of this outline; `other` is
    // left empty.
    void TakeAll(COutline& other);
    void RemoveAll() { m_contours.clear(); }

private:
    std::vector<CPointArray> m_contours;
};
