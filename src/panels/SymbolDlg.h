#pragma once

#include <QDialog>
#include <QRawFont>
#include <QString>

#include <array>

// The pop-up grid of the stamp's 80 symbols (8 columns, 10 rows of 42-pixel
// cells on grey), the current character in red and the rest in yellow. A
// press on a cell ends with that symbol's code and face; a press anywhere
// else, also outside the pop-up, cancels. Every symbol is drawn through the
// same mapping to installed fonts as the stamp pen (pens/SymbolMap), so the
// grid shows what the stamp will draw.
class CSymbolDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 10;
    static constexpr int kCell = 42;
    static constexpr int kMargin = 10;
    static constexpr int kInset = 10;
    static constexpr int kWidth = kColumns * kCell + 2 * kMargin;   // 356
    static constexpr int kHeight = (5 * kCell + kMargin) * 2;      // 440
    static constexpr int kFontHeight = 32;

    // `current` is the stamp character now in use (highlighted if the table
    // has it). The pop-up is centred on `owner` when shown.
    explicit CSymbolDlg(char16_t current, QWidget* owner = nullptr);
    ~CSymbolDlg() override;

    // In: the current character; out: the chosen one.
    char16_t m_char = 0;
    // Out: the chosen symbol's face; empty until a cell is pressed.
    QString m_strFont;

    // The cell of entry i (0..79) in the pop-up.
    static QRect CellRect(int i);
    // The entry whose cell holds `p`, or -1.
    static int HitTest(QPoint p);

    // One entry as drawn: the font and glyph that draw it (glyph 0: none
    // found), where the top-left of its character cell goes, and the font's
    // ascent (the baseline's distance below that corner).
    struct DrawnSymbol {
        QRawFont font;
        quint32 glyph = 0;
        QPoint topLeft;
        int ascent = 0;
    };
    const DrawnSymbol& Drawn(int i) const { return m_drawn.at(static_cast<std::size_t>(i)); }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::array<DrawnSymbol, 80> m_drawn;  // resolved once per pop-up
};
