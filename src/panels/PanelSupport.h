#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>

class CMemSurface;
class CResImage;
class QImage;
class QMouseEvent;
class QWidget;

// Small helpers the tool panels share.

// A named button or panel image; a missing one keeps its 1 x 1 size and
// draws nothing, so the panel still works without it.
std::unique_ptr<CResImage> LoadPanelImage(const char* name);
std::unique_ptr<CResImage> LoadPanelImage(const QString& name);

// A rectangle of `size` from x `left`, centred vertically in a panel
// `panelHeight` high (truncating toward zero, so a taller element starts
// above the panel's top).
QRect CenteredRect(int left, const QSize& size, int panelHeight);

// The event's position in whole pixels (floored, so -0.5 is -1, not 0).
QPoint PanelPoint(const QMouseEvent& event);

// A panel's cache surface, made white at the panel's size on first use and
// kept, not cleared, between paints.
CMemSurface& PanelCache(std::unique_ptr<CMemSurface>& cache, const QSize& size);

// Copies a panel's cache to the panel in one piece, so nothing flickers.
void CopyToPanel(QWidget& panel, const QImage& image);
