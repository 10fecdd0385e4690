#include "ArtSet.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <cstdio>

#include "Backgrounds.h"
#include "PanelArt.h"
#include "PenIcons.h"
#include "WelcomeArt.h"

namespace artgen {

QString ArtItem::FileName() const
{
    return name + (kind == Kind::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".png"));
}

namespace {

void AddButtonPair(std::vector<ArtItem>& items, const QString& name, const IconPainter& icon)
{
    items.push_back({"images", name, ArtItem::Kind::Png, MakeButton(ButtonState::Normal, icon)});
    items.push_back({"images", name + "_SELECTED", ArtItem::Kind::Png,
                     MakeButton(ButtonState::Selected, icon)});
}

void AddSwitch(std::vector<ArtItem>& items, const QString& name, const IconPainter& icon)
{
    AddButtonPair(items, name, icon);
    items.push_back(
        {"images", name + "_DISABLE", ArtItem::Kind::Png, MakeButton(ButtonState::Disabled, icon)});
}

}  // namespace

std::vector<ArtItem> BuildArtSet(const ArtFonts& fonts)
{
    using K = ArtItem::Kind;
    std::vector<ArtItem> items;
    // Pen panel.
    items.push_back({"images", "IDR_FUNC_BKGD", K::Png, panel::PenPanelBackground()});
    AddButtonPair(items, "IDR_FUNC_PENSOLID", icons::SolidPen);
    AddButtonPair(items, "IDR_FUNC_PENFILL", icons::FillPen);
    AddButtonPair(items, "IDR_FUNC_PENTRANS", icons::Marker);
    AddButtonPair(items, "IDR_FUNC_PENDOTDOT", icons::DottedPen);
    AddButtonPair(items, "IDR_FUNC_PENMAOBI", icons::WritingBrush);
    AddButtonPair(items, "IDR_FUNC_PENGANGBI", icons::FountainPen);
    items.push_back(
        {"images", "IDR_FUNC_PENCHAR", K::Png, MakeButton(ButtonState::Normal, icons::Stamp)});
    items.push_back({"images", "IDR_FUNC_PENCHAR_SELECTED", K::Png,
                     MakeButton(ButtonState::Selected, icons::StampFrame)});
    AddButtonPair(items, "IDR_FUNC_ERASERDELETE", icons::Eraser);
    // Pen-attribute panel.
    items.push_back({"images", "IDR_PENATTR_BKGD", K::Png, panel::AttrPanelBackground()});
    items.push_back(
        {"images", "IDR_PENATTR_COLOR", K::Png, panel::ColourButton(ButtonState::Normal)});
    items.push_back({"images", "IDR_PENATTR_COLOR_SELECTED", K::Png,
                     panel::ColourButton(ButtonState::Selected)});
    items.push_back({"images", "IDR_PENATTR_WIDTH", K::Png, panel::WidthScale()});
    items.push_back({"images", "IDR_PENATTR_WIDTHTHUMB", K::Png, panel::WidthThumb()});
    AddSwitch(items, "IDR_PENATTR_RECOG", icons::Recognition);
    AddSwitch(items, "IDR_PENATTR_MULTICOLOR", icons::Multicolour);
    // Command bar.
    items.push_back({"images", "IDR_VIEW_NEW", K::Png,
                     panel::CommandButton(QStringLiteral("新建"), fonts.cjk, false)});
    items.push_back({"images", "IDR_VIEW_SETUP", K::Png,
                     panel::CommandButton(QStringLiteral("设置"), fonts.cjk, false)});
    items.push_back({"images", "IDR_VIEW_SAVE", K::Png,
                     panel::CommandButton(QStringLiteral("保存"), fonts.cjk, false)});
    items.push_back({"images", "IDR_VIEW_EXIT", K::Png,
                     panel::CommandButton(QStringLiteral("退出"), fonts.cjk, true)});
    items.push_back({"images", "IDR_WELCOME", K::Png, WelcomePicture(fonts)});
    // Backgrounds and their thumbnails.
    for (int n = 0; n < backgrounds::kCount; ++n) {
        const QImage full = backgrounds::Paint(n);
        const QString number = QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
        items.push_back({"bkgd16", "IDR_BKGD16_" + number, K::Jpeg, full});
        items.push_back({"bkgdic", "IDR_BKGDIC_" + number, K::Jpeg, backgrounds::Thumbnail(full)});
    }
    // Program icon.
    for (const int size : {256, 128, 64, 48, 32, 16}) {
        items.push_back(
            {"icons", QStringLiteral("kolvane-%1").arg(size), K::PngAlpha, ProgramIcon(size)});
    }
    return items;
}

bool WriteArtSet(const std::vector<ArtItem>& items, const QString& resDir)
{
    bool ok = true;
    for (const ArtItem& item : items) {
        const QDir dir(resDir + "/" + item.folder);
        if (!dir.exists() && !QDir().mkpath(dir.path())) {
            std::fprintf(stderr, "kolvane-artgen: cannot create %s\n", qPrintable(dir.path()));
            return false;
        }
        const QString path = dir.filePath(item.FileName());
        const bool written = item.kind == ArtItem::Kind::Jpeg
                                 ? SaveJpeg(item.image, path, kJpegQuality)
                                 : SavePng(item.image, path, item.kind == ArtItem::Kind::PngAlpha);
        if (!written) {
            std::fprintf(stderr, "kolvane-artgen: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

namespace {

const ArtItem* Find(const std::vector<ArtItem>& items, const QString& name)
{
    for (const ArtItem& item : items) {
        if (item.name == name) {
            return &item;
        }
    }
    return nullptr;
}

// Draws an image the way the program's button drawing does: pure white
// pixels are left out.
void DrawKeyed(QPainter& p, int x, int y, const QImage& image)
{
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < keyed.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(row));
        for (int col = 0; col < keyed.width(); ++col) {
            if ((line[col] & 0x00FFFFFFu) == 0x00FFFFFFu) {
                line[col] = 0;
            }
        }
    }
    p.drawImage(x, y, keyed);
}

// The top bar of a 1024-wide window with tool 11 current, colour 1 chosen
// and the width thumb at width 12.
QImage ComposedBar(const std::vector<ArtItem>& items, const ArtFonts& fonts)
{
    QImage bar(1024, 46, QImage::Format_RGB32);
    bar.fill(palette::kBarGrey);
    QPainter p(&bar);
    const auto draw = [&](const char* name, int x, int y) {
        if (const ArtItem* item = Find(items, QString::fromLatin1(name))) {
            DrawKeyed(p, x, y, item->image);
        }
    };
    draw("IDR_FUNC_BKGD", 0, 0);
    const char* pens[] = {"IDR_FUNC_PENSOLID_SELECTED", "IDR_FUNC_PENFILL",  "IDR_FUNC_PENTRANS",
                          "IDR_FUNC_PENDOTDOT",         "IDR_FUNC_PENMAOBI", "IDR_FUNC_PENGANGBI"};
    for (int i = 0; i < 6; ++i) {
        draw(pens[i], 6 + 41 * i, 3);
    }
    // The stamp shows no face when not chosen, only its symbol.
    QFont symbol(fonts.serif);
    symbol.setPixelSize(26);
    p.setFont(symbol);
    p.setPen(QColor(255, 0, 0));
    p.drawText(QRect(252, 1, 40, 40), Qt::AlignCenter, QStringLiteral("\u2605"));
    draw("IDR_FUNC_ERASERDELETE", 293, 3);
    const int ax = 341;
    draw("IDR_PENATTR_BKGD", ax, 0);
    draw("IDR_PENATTR_WIDTH", ax + 129, -2);
    draw("IDR_PENATTR_WIDTHTHUMB", ax + 129 + 10 * 82 / 20, 5);
    const QColor swatches[3] = {QColor(0, 0, 0), QColor(0, 0, 255), QColor(255, 0, 0)};
    for (int i = 0; i < 3; ++i) {
        draw(i == 1 ? "IDR_PENATTR_COLOR_SELECTED" : "IDR_PENATTR_COLOR", ax + 6 + 40 * i, 3);
        p.fillRect(QRect(ax + 6 + 40 * i + 9, 12, 22, 22), swatches[i]);
    }
    draw("IDR_PENATTR_RECOG_SELECTED", ax + 211, 3);
    draw("IDR_PENATTR_MULTICOLOR", ax + 251, 3);
    draw("IDR_VIEW_NEW", 1024 - 240, 7);
    draw("IDR_VIEW_SETUP", 1024 - 180, 7);
    draw("IDR_VIEW_SAVE", 1024 - 120, 7);
    draw("IDR_VIEW_EXIT", 1024 - 60, 7);
    return bar;
}

}  // namespace

QImage ContactSheet(const std::vector<ArtItem>& items, const ArtFonts& fonts)
{
    constexpr int kSheetWidth = 1100;
    constexpr int kMargin = 10;
    constexpr int kLabel = 14;
    // Lay the items out in rows, small ones first as they come, wrapping at
    // the sheet's width; full-size backgrounds are shown at quarter size.
    struct Placed {
        const ArtItem* item;
        QRect rect;
    };
    std::vector<Placed> placed;
    int x = kMargin;
    int y = kMargin + 60;
    int rowHeight = 0;
    for (const ArtItem& item : items) {
        QSize size = item.image.size();
        if (item.folder == "bkgd16") {
            size /= 4;
        }
        const int cellWidth = std::max(size.width(), 150);
        if (x + cellWidth > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kLabel + kMargin;
            rowHeight = 0;
        }
        placed.push_back({&item, QRect(QPoint(x, y + kLabel), size)});
        x += cellWidth + kMargin;
        rowHeight = std::max(rowHeight, size.height());
    }
    const int height = y + rowHeight + kLabel + kMargin;
    QImage sheet(kSheetWidth, height, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter p(&sheet);
    p.drawImage(kMargin, kMargin, ComposedBar(items, fonts));
    QFont label(fonts.sans);
    label.setPixelSize(9);
    p.setFont(label);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Placed& pl : placed) {
        p.setPen(Qt::black);
        p.drawText(QPoint(pl.rect.left(), pl.rect.top() - 4),
                   pl.item->name.startsWith("IDR_") ? pl.item->name.mid(4) : pl.item->name);
        p.drawImage(pl.rect, pl.item->image);
    }
    return sheet;
}

}  // namespace artgen
