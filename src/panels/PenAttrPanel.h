#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

#include <array>
#include <memory>

class CMainHub;
class CMemSurface;
class CResImage;

// The right part of the tool panels: the current tool's three colour
// buttons, its width slider, its recognition switch and the multicolour
// switch. Hidden while the eraser is current.
//
// The width changes only when the thumb is let go. A press on the thumb
// grabs the mouse until the release, so the release is seen wherever it
// happens and its position, clamped to the slider, sets the width.
class CPenAttrPanel : public QWidget {
    Q_OBJECT

public:
    explicit CPenAttrPanel(CMainHub& hub, QWidget* parent = nullptr);
    ~CPenAttrPanel() override;

    // The background image's size, which is the panel's.
    QSize GetSize() const;
    QRect ColorButtonRect(int i) const { return m_rcColor[static_cast<std::size_t>(i)]; }
    QRect ScaleRect() const { return m_rcScale; }
    QRect ThumbRect() const;
    QRect RecogRect() const { return m_rcRecog; }
    QRect MulticolorRect() const { return m_rcMulticolor; }
    bool IsDragging() const { return m_bDragging; }

    // Where the thumb's left edge goes for width w (kept on the scale), and
    // the width a pointer at x stands for (widths 2..16 on the program's
    // images).
    int ThumbLeftForWidth(int width) const;
    int WidthForX(int x) const;

    // Places the thumb for width w and repaints.
    void SetWidthThumb(int width);
    // Shown and repainted while the picture exists and a pen is current,
    // hidden otherwise.
    void RefreshPanel();

    // Paints the panel into its cache from the hub's state and returns it.
    const QImage& Render();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnStateChanged();
    void DrawColorButtons();
    void DrawSwitches();

    CMainHub& m_hub;
    int m_listener = 0;
    std::unique_ptr<CResImage> m_pBkgd;
    std::unique_ptr<CResImage> m_pColor, m_pColorSelected;
    std::unique_ptr<CResImage> m_pWidth, m_pThumb;
    std::unique_ptr<CResImage> m_pRecog, m_pRecogSelected;
    std::unique_ptr<CResImage> m_pMulticolor, m_pMulticolorSelected, m_pMulticolorDisable;
    std::array<QRect, 3> m_rcColor;
    QRect m_rcScale;
    QRect m_rcRecog;
    QRect m_rcMulticolor;
    int m_thumbLeft = 0;
    bool m_bDragging = false;
    std::unique_ptr<CMemSurface> m_pCache;
};
