#include "geometry/FuzzyRule.h"

double CFeature::Degree(CStrokeGroup& group) const
{
    if (m_function == nullptr) {
        return 0.0;
    }
    const double x = m_function(group);
    if (!m_set) {
        return 0.0;
    }
    return m_set->Degree(x);
}

CFuzzyRule::CFuzzyRule(const CCondition& c1)
    : m_conditions(std::make_unique<CCursorList<CFeature*>>(true))
{
    Append(c1);
}

CFuzzyRule::CFuzzyRule(const CCondition& c1, const CCondition& c2) : CFuzzyRule(c1) { Append(c2); }

CFuzzyRule::CFuzzyRule(const CCondition& c1, const CCondition& c2, const CCondition& c3)
    : CFuzzyRule(c1, c2)
{
    Append(c3);
}

CFuzzyRule::CFuzzyRule(const CCondition& c1, const CCondition& c2, const CCondition& c3,
                       const CCondition& c4, const CCondition& c5)
    : CFuzzyRule(c1, c2, c3)
{
    Append(c4);
    Append(c5);
}

void CFuzzyRule::Append(const CCondition& c)
{
    const int slot = m_conditions->GetCount();
    m_slots[static_cast<std::size_t>(slot)] =
        std::make_unique<CFeature>(c.function, std::make_unique<CFuzzySet>(c.a, c.b, c.c, c.d));
    m_conditions->AddTail(m_slots[static_cast<std::size_t>(slot)].get());
}

double CFuzzyRule::Degree(CStrokeGroup& group)
{
    if (!m_conditions) {
        return 0.0;
    }
    double result = 1.0;
    for (const CFeature* feature : *m_conditions) {
        const double d = feature->Degree(group);
        if (d < result) {
            result = d;
        }
        if (result == 0.0) {
            return 0.0;
        }
    }
    return result;
}
