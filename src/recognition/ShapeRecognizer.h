#pragma once

#include <memory>
#include <vector>

#include "geometry/Shape.h"

class CStrokeGroup;

// Fuzzy classifier over a stroke group: evaluates its candidate shapes and
// returns the one of highest degree. Without candidates of its own it uses
// the six standard shapes; RecognizeLine / RecognizeTriangle give it a single
// candidate instead.
class CShapeRecognizer {
public:
    // A candidate is accepted only when its degree is strictly greater than
    // `threshold`.
    explicit CShapeRecognizer(double threshold) : m_threshold(threshold) {}
    CShapeRecognizer(const CShapeRecognizer&) = delete;
    CShapeRecognizer& operator=(const CShapeRecognizer&) = delete;

    // The best candidate, fitted to the group, or null. Equal degrees keep
    // the candidates' order. An empty group is never classified: it gives
    // null. The result stays valid until the next Recognize or destruction.
    CShape* Recognize(CStrokeGroup& group);
    // Adds one line (triangle) candidate, then recognises.
    CShape* RecognizeLine(CStrokeGroup& group);
    CShape* RecognizeTriangle(CStrokeGroup& group);

    // The candidates in evaluation order, with the degrees of the last pass.
    const std::vector<std::unique_ptr<CShape>>& Shapes() const { return m_shapes; }
    void AddShape(std::unique_ptr<CShape> shape) { m_shapes.push_back(std::move(shape)); }

private:
    std::vector<std::unique_ptr<CShape>> m_shapes;
    double m_threshold;
};
