#pragma once

#include <array>
#include <memory>

#include "geometry/CursorList.h"
#include "geometry/FuzzySet.h"

class CStrokeGroup;

// A feature function: one number measured on a stroke group.
using FeatureFunction = double (*)(CStrokeGroup&);

// One condition of a rule: a feature's value measured against a fuzzy set.
class CFeature {
public:
    CFeature(FeatureFunction function, std::unique_ptr<CFuzzySet> set)
        : m_set(std::move(set)), m_function(function)
    {
    }
    // 0 without a function or a set, else the set's degree of the value.
    double Degree(CStrokeGroup& group) const;

private:
    std::unique_ptr<CFuzzySet> m_set;
    FeatureFunction m_function;
};

// A condition as written in a rule: function and the set's corner values.
struct CCondition {
    FeatureFunction function;
    double a, b, c, d;
};

// A conjunction of up to five conditions; its degree is the minimum of the
// conditions' degrees, evaluated in order. A condition that gives exactly 0
// ends the evaluation, so later conditions (and the polygons they would
// compute) are never touched.
class CFuzzyRule {
public:
    explicit CFuzzyRule(const CCondition& c1);
    CFuzzyRule(const CCondition& c1, const CCondition& c2);
    CFuzzyRule(const CCondition& c1, const CCondition& c2, const CCondition& c3);
    CFuzzyRule(const CCondition& c1, const CCondition& c2, const CCondition& c3,
               const CCondition& c4, const CCondition& c5);
    CFuzzyRule(const CFuzzyRule&) = delete;
    CFuzzyRule& operator=(const CFuzzyRule&) = delete;

    double Degree(CStrokeGroup& group);
    int GetConditionCount() const { return m_conditions ? m_conditions->GetCount() : 0; }

private:
    void Append(const CCondition& c);

    std::unique_ptr<CCursorList<CFeature*>> m_conditions;
    std::array<std::unique_ptr<CFeature>, 5> m_slots;  // own what the list points to
};
