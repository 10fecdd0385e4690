#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

#include <array>
#include <memory>

class CMainHub;
class CMemSurface;
class CResImage;

// The left part of the top bar: one button per pen kind plus the eraser. A
// press picks the tool; pressing the current pen's button again switches
// between its single-colour and multicolour variants, and the stamp button
// then opens the symbol picker instead. The stamp button shows the current
// stamp symbol in the stamp's colour, sized after the stamp's width.
//
// The panel repaints whenever the hub announces a state change, whatever
// caused it.
class CPenPanel : public QWidget {
    Q_OBJECT

public:
    enum Button { Solid, Fill, Trans, DotDot, Maobi, Gangbi, Char, Eraser, kButtonCount };

    explicit CPenPanel(CMainHub& hub, QWidget* parent = nullptr);
    ~CPenPanel() override;

    // The background image's size, which is the panel's.
    QSize GetSize() const;
    QRect ButtonRect(Button button) const { return m_rects[button]; }

    // Shown and repainted while the picture exists, hidden otherwise.
    void RefreshPanel();

    // Font height of the stamp glyph (negative: the character height), which
    // grows with the stamp's width up to a cap that still fits the button.
    int StampFontHeight() const;

    // Paints the panel into its cache from the hub's state and returns it.
    const QImage& Render();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Faces {
        std::unique_ptr<CResImage> normal;
        std::unique_ptr<CResImage> selected;
    };

    bool IsCurrent(Button button) const;
    void DrawStampGlyph();
    void Press(Button button);

    CMainHub& m_hub;
    int m_listener = 0;
    std::unique_ptr<CResImage> m_pBkgd;
    std::array<Faces, kButtonCount> m_faces;
    std::array<QRect, kButtonCount> m_rects;
    std::unique_ptr<CMemSurface> m_pCache;
};
