#pragma once

#include "gfx/ResImage.h"

#include <QDialog>
#include <QRect>

#include <array>

class QFontMetrics;
class QPushButton;

// The settings dialog "设置": the 24 built-in backgrounds as thumbnails in a
// 6 x 4 grid that the dialog paints itself, "确定" (default), "取消", and
// "图像文件", which closes with OK and m_nSel = -1 (an image file is to be
// chosen). A press on a thumbnail's press target selects it; a press in the
// gaps between targets changes nothing.
class CSetupDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kColumns = 6;
    static constexpr int kRows = 4;
    static constexpr int kBackgroundCount = kColumns * kRows;

    // `sel` is the background to mark at first (0..23).
    explicit CSetupDlg(int sel, QWidget* parent = nullptr);
    ~CSetupDlg() override;

    // Selected background 0..23, or -1: an image file is to be used.
    int m_nSel = 0;

    // Where the thumbnail grid lies in the dialog (in pixels).
    QRect GridRect() const { return m_gridRect; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QPushButton* ImageFileButton() const { return m_pImageFile; }

    // Grid geometry for a grid of `grid` pixels, background i in column
    // i mod 6 and row i / 6 (integer divisions truncate).
    static QRect PressTarget(int i, QSize grid);
    static QRect Cell(int i, QSize grid);
    static QRect ThumbnailArea(int i, QSize grid);
    // The background whose press target holds `p` (grid coordinates), or -1.
    static int HitTest(QPoint p, QSize grid);

    // Dialog units to pixels for a font: horizontal units are a quarter of
    // the font's average character width, vertical ones an eighth of its
    // height, rounded as the classic dialog templates convert them.
    static QRect DialogUnitsToPixels(const QRect& units, const QFontMetrics& metrics);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::array<CResImage, kBackgroundCount> m_thumbnails;  // decoded once per dialog
    QRect m_gridRect;
    QPushButton* m_pOk = nullptr;  // the buttons are children of the dialog
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pImageFile = nullptr;
};
