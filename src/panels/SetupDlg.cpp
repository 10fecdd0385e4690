#include "panels/SetupDlg.h"

#include "geometry/PointHelpers.h"
#include "gfx/Surface.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <cmath>

namespace {
constexpr COLORREF kGridGrey = MakeRgb(128, 128, 128);
constexpr COLORREF kSelectedOlive = MakeRgb(128, 128, 0);
constexpr COLORREF kCellBlue = MakeRgb(208, 220, 240);
constexpr COLORREF kWhite = MakeRgb(255, 255, 255);

// The dialog's layout in dialog units: its client area, the grid, and the
// three buttons down the right-hand side.
constexpr QRect kClientUnits(0, 0, 430, 240);
constexpr QRect kGridUnits(13, 12, 339, 218);
constexpr QRect kOkUnits(368, 11, 50, 14);
constexpr QRect kCancelUnits(368, 39, 50, 14);
constexpr QRect kImageFileUnits(368, 215, 50, 14);

int Column(int i) { return i % CSetupDlg::kColumns; }
int Row(int i) { return i / CSetupDlg::kColumns; }
}  // namespace

CSetupDlg::CSetupDlg(int sel, QWidget* parent) : QDialog(parent), m_nSel(sel)
{
    setWindowTitle(QStringLiteral("设置"));
    const QFontMetrics metrics(font());
    const QRect client = DialogUnitsToPixels(kClientUnits, metrics);
    setFixedSize(client.size());
    m_gridRect = DialogUnitsToPixels(kGridUnits, metrics);

    const auto makeButton = [&](const QString& text, const QRect& units) {
        auto* button = new QPushButton(text, this);
        button->setGeometry(DialogUnitsToPixels(units, metrics));
        button->setAutoDefault(false);
        return button;
    };
    m_pOk = makeButton(QStringLiteral("确定"), kOkUnits);
    m_pOk->setDefault(true);
    m_pCancel = makeButton(QStringLiteral("取消"), kCancelUnits);
    m_pImageFile = makeButton(QStringLiteral("图像文件"), kImageFileUnits);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pImageFile, &QPushButton::clicked, this, [this] {
        m_nSel = -1;
        accept();
    });

    for (int i = 0; i < kBackgroundCount; ++i) {
        m_thumbnails[static_cast<std::size_t>(i)].LoadThumbnail(i);
    }
}

CSetupDlg::~CSetupDlg() = default;

QRect CSetupDlg::DialogUnitsToPixels(const QRect& units, const QFontMetrics& metrics)
{
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = std::max((metrics.horizontalAdvance(alphabet) / 26 + 1) / 2, 1);
    const int baseY = std::max(metrics.height(), 1);
    const auto x = [baseX](int v) { return static_cast<int>(std::lround(v * baseX / 4.0)); };
    const auto y = [baseY](int v) { return static_cast<int>(std::lround(v * baseY / 8.0)); };
    return QRect(x(units.x()), y(units.y()), x(units.width()), y(units.height()));
}

// The rectangles are given by their edges, right and bottom exclusive.
QRect CSetupDlg::PressTarget(int i, QSize grid)
{
    const int a = grid.width() / kColumns;
    const int b = grid.height() / kRows;
    return QRect(QPoint(a * Column(i) + 2, b * Row(i) + 2),
                 QPoint(a * (Column(i) + 1) - 6 - 1, b * (Row(i) + 1) - 6 - 1));
}

QRect CSetupDlg::Cell(int i, QSize grid)
{
    const int a = grid.width() / kColumns;
    const int b = grid.height() / kRows;
    return QRect(QPoint(a * Column(i) + 4, b * Row(i) + 4),
                 QPoint(a * Column(i) + a + 2 - 1, b * Row(i) + b + 2 - 1));
}

QRect CSetupDlg::ThumbnailArea(int i, QSize grid)
{
    const int a = grid.width() / kColumns;
    const int b = grid.height() / kRows;
    return QRect(QPoint(a * Column(i) + 7, b * Row(i) + 7),
                 QPoint(a * Column(i) + a - 3 - 1, b * Row(i) + b - 3 - 1));
}

int CSetupDlg::HitTest(QPoint p, QSize grid)
{
    for (int i = 0; i < kBackgroundCount; ++i) {
        if (PressTarget(i, grid).contains(p)) {
            return i;
        }
    }
    return -1;
}

void CSetupDlg::mousePressEvent(QMouseEvent* event)
{
    const QPoint p(static_cast<int>(std::floor(event->position().x())),
                   static_cast<int>(std::floor(event->position().y())));
    if (!m_gridRect.contains(p)) {
        QDialog::mousePressEvent(event);
        return;
    }
    const int hit = HitTest(p - m_gridRect.topLeft(), m_gridRect.size());
    if (hit >= 0) {
        m_nSel = hit;
        update();
    }
}

// The grid is composed off-screen and copied in one block: the cells, and in
// each a white area with its thumbnail fitted (never enlarged) and centred.
void CSetupDlg::paintEvent(QPaintEvent* /*event*/)
{
    const QSize grid = m_gridRect.size();
    CMemSurface surface(grid.width(), grid.height(), kGridGrey);
    const int a = grid.width() / kColumns;
    const int b = grid.height() / kRows;
    for (int i = 0; i < kBackgroundCount; ++i) {
        surface.Fill(Cell(i, grid), i == m_nSel ? kSelectedOlive : kCellBlue);
        CMemSurface area(std::max(a - 10, 0), std::max(b - 10, 0), kWhite);
        const CResImage& thumbnail = m_thumbnails[static_cast<std::size_t>(i)];
        FitPoint at;
        FitSize size;
        FitRect(thumbnail.GetSize().width(), thumbnail.GetSize().height(), area.GetWidth(),
                area.GetHeight(), at, size);
        thumbnail.DrawIn(area, at.x, at.y, size.cx, size.cy);
        surface.CopyFrom(area, ThumbnailArea(i, grid).left(), ThumbnailArea(i, grid).top());
    }
    QPainter p(this);
    p.drawImage(m_gridRect.topLeft(), surface.Image());
}
