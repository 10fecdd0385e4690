#pragma once

#include <memory>
#include <string_view>

#include "geometry/FuzzyRule.h"

class CStrokeGroup;

// Root of the candidate shapes: a name and a degree of membership.
class CShapeBase {
public:
    virtual ~CShapeBase() = default;
    virtual std::string_view GetName() const { return {}; }
    virtual double Evaluate(CStrokeGroup& /*group*/) { return 0.0; }

protected:
    std::unique_ptr<CFuzzyRule> m_rule;  // the concrete shape's own rule
};

// A candidate shape with the rules every shape shares. A stroke whose length
// is close to its hull's perimeter (drawn once round, closed) keeps the
// degree of the shape's own rule; any other is scaled by the open rule.
class CShape : public CShapeBase {
public:
    explicit CShape(bool rotated);

    // Degree of the own rule on the group; when it is not 0 the shape fits
    // its points (ComputeShape) and an open stroke's degree is multiplied by
    // the open rule's.
    double Evaluate(CStrokeGroup& group) override;
    // Derives the shape's points from the group; the base does nothing.
    virtual void ComputeShape(CStrokeGroup& /*group*/) {}

    double GetDegree() const { return m_degree; }
    void SetDegree(double degree) { m_degree = degree; }
    double GetRank() const { return m_rank; }
    void SetRank(double rank) { m_rank = rank; }
    bool IsRotated() const { return m_rotated; }

protected:
    double m_degree = 0.0;
    std::unique_ptr<CFuzzyRule> m_openRule;
    std::unique_ptr<CFuzzyRule> m_closedRule;
    bool m_rotated = false;
    double m_rank = 0.0;  // 1 - clamped degree, written by the recogniser
};
