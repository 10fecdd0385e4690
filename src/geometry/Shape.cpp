#include "geometry/Shape.h"

#include "geometry/Features.h"
#include "geometry/FuzzySet.h"

CShape::CShape(bool rotated)
    : m_openRule(std::make_unique<CFuzzyRule>(
          CCondition{LengthPerHullPerimeter, 0.2, 0.3, 0.83, 0.93},
          CCondition{HullPerimeterPerMeanStroke, 5, 10, CFuzzySet::kOpen, CFuzzySet::kOpen})),
      m_closedRule(std::make_unique<CFuzzyRule>(
          CCondition{LengthPerHullPerimeter, 0.83, 0.93, CFuzzySet::kOpen, CFuzzySet::kOpen})),
      m_rotated(rotated)
{
}

double CShape::Evaluate(CStrokeGroup& group)
{
    m_degree = m_rule ? m_rule->Degree(group) : 0.0;
    if (m_degree == 0.0) {
        return 0.0;
    }
    ComputeShape(group);
    if (m_closedRule->Degree(group) == 0.0) {
        m_degree = m_degree * m_openRule->Degree(group);
    }
    return m_degree;
}
