#include "recognition/ShapeRecognizer.h"

#include <algorithm>

#include "geometry/StrokeGroup.h"
#include "recognition/Shapes.h"

CShape* CShapeRecognizer::Recognize(CStrokeGroup& group)
{
    if (m_shapes.empty()) {
        m_shapes.push_back(std::make_unique<CLineShape>(true));
        m_shapes.push_back(std::make_unique<CTriangleShape>(true));
        m_shapes.push_back(std::make_unique<CRectangleShape>(true));
        m_shapes.push_back(std::make_unique<CCircleShape>(true));
        m_shapes.push_back(std::make_unique<CEllipseShape>(true));
        m_shapes.push_back(std::make_unique<CDiamondShape>(true));
    }
    for (const auto& shape : m_shapes) {
        shape->SetDegree(0.0);
    }
    if (group.IsEmpty()) {
        return nullptr;
    }

    std::vector<CShape*> ranked;
    for (const auto& shape : m_shapes) {
        double degree = shape->Evaluate(group);
        if (!(degree > m_threshold)) {
            continue;
        }
        degree = std::min(degree, 1.0);
        if (!(degree > m_threshold)) {
            continue;
        }
        shape->SetRank(1.0 - degree);
        const auto before = std::find_if(ranked.begin(), ranked.end(), [&](const CShape* other) {
            return other->GetRank() > shape->GetRank();
        });
        ranked.insert(before, shape.get());
    }
    return ranked.empty() ? nullptr : ranked.front();
}

CShape* CShapeRecognizer::RecognizeLine(CStrokeGroup& group)
{
    m_shapes.push_back(std::make_unique<CLineShape>(true));
    return Recognize(group);
}

CShape* CShapeRecognizer::RecognizeTriangle(CStrokeGroup& group)
{
    m_shapes.push_back(std::make_unique<CTriangleShape>(true));
    return Recognize(group);
}
