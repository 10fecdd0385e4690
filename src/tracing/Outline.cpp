#include "tracing/Outline.h"

void COutline::TakeAll(COutline& other)
{
    if (&other == this) {
        return;
    }
    for (CPointArray& c : other.m_contours) {
        m_contours.push_back(std::move(c));
    }
    other.m_contours.clear();
}
