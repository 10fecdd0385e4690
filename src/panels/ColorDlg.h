#pragma once

#include "gfx/Color.h"

#include <QDialog>
#include <QImage>

#include <array>

// The pop-up palette of 64 colours opened from a colour button: every
// combination of the levels 0, 85, 170 and 255, red changing slowest, in 16
// columns and 4 rows. A press on a cell chooses its colour and accepts; a
// press anywhere else, inside the window or outside it, and Esc cancel.
//
// Run it with exec(), m_color preset; after Accepted m_color is the choice.
class CColorDlg : public QDialog {
    Q_OBJECT

public:
    explicit CColorDlg(COLORREF initial, QWidget* owner = nullptr);

    static constexpr int kColumns = 16;
    static constexpr int kRows = 4;
    static constexpr int kCellWidth = 42;
    static constexpr int kCellHeight = 34;
    static constexpr int kMargin = 10;
    static constexpr int kCellGap = 10;  // inside a cell, around its swatch
    static constexpr int kCount = kColumns * kRows;

    // Palette entry i (0..63).
    static COLORREF Entry(int i);
    // The cell whose hit rectangle holds (x, y), or -1.
    static int HitCell(int x, int y);
    static QRect HitRect(int i);
    // The painted swatch of cell i (the hit rectangle less the gap).
    static QRect SwatchRect(int i);

    // The palette as it is painted, the current colour marked.
    QImage Render() const;

    COLORREF m_color;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
