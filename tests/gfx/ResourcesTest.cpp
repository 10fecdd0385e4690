// Checks the embedded artwork the way the program uses it: every image the
// panels, the command bar, the canvas and the settings dialog load must be
// there in its format and pixel size; button faces must be keyed on pure
// white exactly where they are meant to be see-through; backgrounds must stay
// pale enough to draw on.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <queue>
#include <vector>

#include "gfx/Color.h"
#include "gfx/ResImage.h"
#include "gfx/Surface.h"

namespace {

struct NamedSize {
    const char* name;
    int cx;
    int cy;
};

// 40 x 40 faces with a normal and a selected look.
const char* const kButtonPairs[] = {
    "IDR_FUNC_PENSOLID", "IDR_FUNC_PENFILL",   "IDR_FUNC_PENTRANS",      "IDR_FUNC_PENDOTDOT",
    "IDR_FUNC_PENMAOBI", "IDR_FUNC_PENGANGBI", "IDR_FUNC_PENCHAR",       "IDR_FUNC_ERASERDELETE",
    "IDR_PENATTR_COLOR", "IDR_PENATTR_RECOG",  "IDR_PENATTR_MULTICOLOR",
};

// The two switches that also have a disabled look.
const char* const kSwitches[] = {"IDR_PENATTR_RECOG", "IDR_PENATTR_MULTICOLOR"};

const NamedSize kOtherImages[] = {
    {"IDR_FUNC_BKGD", 340, 46},    {"IDR_PENATTR_BKGD", 296, 46},
    {"IDR_PENATTR_WIDTH", 82, 50}, {"IDR_PENATTR_WIDTHTHUMB", 24, 36},
    {"IDR_VIEW_NEW", 50, 32},      {"IDR_VIEW_SETUP", 50, 32},
    {"IDR_VIEW_SAVE", 50, 32},     {"IDR_VIEW_EXIT", 50, 32},
    {"IDR_WELCOME", 600, 397},
};

const char* const kCommandButtons[] = {"IDR_VIEW_NEW", "IDR_VIEW_SETUP", "IDR_VIEW_SAVE",
                                       "IDR_VIEW_EXIT"};

constexpr int kBackgrounds = 24;

bool IsPureWhite(QRgb c) { return (c & 0x00FFFFFFu) == 0x00FFFFFFu; }

double Luminance(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

QByteArray ResourceBytes(const char* type, const QString& name)
{
    QFile file(ResourcePath(type, name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsPng(const QByteArray& data) { return data.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8)); }

bool IsJpeg(const QByteArray& data)
{
    return data.size() > 3 && static_cast<uchar>(data[0]) == 0xFF &&
           static_cast<uchar>(data[1]) == 0xD8 && static_cast<uchar>(data[2]) == 0xFF;
}

QImage LoadNamedImage(const QString& name)
{
    CResImage res;
    if (!res.LoadNamed(name)) {
        ADD_FAILURE() << "missing image " << name.toStdString();
        return {};
    }
    return res.Image().convertToFormat(QImage::Format_RGB32);
}

QString BackgroundName(const char* prefix, int n)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(prefix)).arg(n, 3, 10, QLatin1Char('0'));
}

// Pure white pixels that cannot be reached from the border through other
// pure white pixels: holes the transparent drawing would punch into a face.
int CountEnclosedWhite(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<char> seen(static_cast<size_t>(w) * h, 0);
    std::queue<std::pair<int, int>> open;
    const auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) {
            return;
        }
        char& s = seen[static_cast<size_t>(y) * w + x];
        if (s || !IsPureWhite(image.pixel(x, y))) {
            return;
        }
        s = 1;
        open.emplace(x, y);
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!open.empty()) {
        const auto [x, y] = open.front();
        open.pop();
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
    }
    int enclosed = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (IsPureWhite(image.pixel(x, y)) && !seen[static_cast<size_t>(y) * w + x]) {
                ++enclosed;
            }
        }
    }
    return enclosed;
}

// Share of pixels whose colour differs by more than `threshold` in some
// channel; both images RGB32 of the same size.
double ShareDiffering(const QImage& a, const QImage& b, int threshold)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = rowA[x];
            const QRgb q = rowB[x];
            if (std::abs(qRed(p) - qRed(q)) > threshold ||
                std::abs(qGreen(p) - qGreen(q)) > threshold ||
                std::abs(qBlue(p) - qBlue(q)) > threshold) {
                ++differing;
            }
        }
    }
    return static_cast<double>(differing) / (a.width() * a.height());
}

struct ChannelStats {
    double meanLuminance = 0;
    double lowLuminance = 0;  // 1st percentile
    double lowBlue = 0;       // 5th percentile of the blue channel
    double mean[3] = {0, 0, 0};
};

ChannelStats Measure(const QImage& image)
{
    std::vector<double> lum;
    std::vector<int> blue;
    ChannelStats s;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            lum.push_back(Luminance(c));
            blue.push_back(qBlue(c));
            s.mean[0] += qRed(c);
            s.mean[1] += qGreen(c);
            s.mean[2] += qBlue(c);
        }
    }
    const double n = static_cast<double>(lum.size());
    for (double& m : s.mean) {
        m /= n;
    }
    for (const double l : lum) {
        s.meanLuminance += l / n;
    }
    const size_t k1 = lum.size() / 100;
    const size_t k5 = blue.size() / 20;
    std::nth_element(lum.begin(), lum.begin() + k1, lum.end());
    std::nth_element(blue.begin(), blue.begin() + k5, blue.end());
    s.lowLuminance = lum[k1];
    s.lowBlue = blue[k5];
    return s;
}

// ---------------------------------------------------------------------------
// Presence, format and size

TEST(ResourcesPresent, EveryButtonFaceIsA40By40Png)
{
    std::vector<QString> names;
    for (const char* base : kButtonPairs) {
        names.push_back(QString::fromLatin1(base));
        names.push_back(QString::fromLatin1(base) + "_SELECTED");
    }
    for (const char* base : kSwitches) {
        names.push_back(QString::fromLatin1(base) + "_DISABLE");
    }
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        CResImage image;
        ASSERT_TRUE(image.LoadNamed(name));
        EXPECT_EQ(image.GetSize(), QSize(40, 40));
        EXPECT_TRUE(IsPng(ResourceBytes("IMAGES", name)));
    }
}

TEST(ResourcesPresent, PanelsCommandButtonsAndWelcomeHaveTheirSizes)
{
    for (const NamedSize& item : kOtherImages) {
        SCOPED_TRACE(item.name);
        CResImage image;
        ASSERT_TRUE(image.LoadNamed(QString::fromLatin1(item.name)));
        EXPECT_EQ(image.GetSize(), QSize(item.cx, item.cy));
        EXPECT_TRUE(IsPng(ResourceBytes("IMAGES", QString::fromLatin1(item.name))));
    }
}

TEST(ResourcesPresent, BackgroundsAndThumbnailsAreJpegsOfTheirSizes)
{
    for (int n = 0; n < kBackgrounds; ++n) {
        SCOPED_TRACE(n);
        CResImage full;
        ASSERT_TRUE(full.LoadBackground(n));
        EXPECT_EQ(full.GetSize(), QSize(1024, 560));
        EXPECT_TRUE(IsJpeg(ResourceBytes("BKGD16", BackgroundName("IDR_BKGD16", n))));
        CResImage thumb;
        ASSERT_TRUE(thumb.LoadThumbnail(n));
        EXPECT_EQ(thumb.GetSize(), QSize(103, 56));
        EXPECT_TRUE(IsJpeg(ResourceBytes("BKGDIC", BackgroundName("IDR_BKGDIC", n))));
    }
}

TEST(ResourcesPresent, NumberTwentyFourDoesNotExist)
{
    CResImage full;
    EXPECT_FALSE(full.LoadBackground(kBackgrounds));
    EXPECT_FALSE(full.HasImage());
    EXPECT_EQ(full.GetSize(), QSize(1, 1));
    CResImage thumb;
    EXPECT_FALSE(thumb.LoadThumbnail(kBackgrounds));
    EXPECT_EQ(thumb.GetSize(), QSize(1, 1));
}

TEST(ResourcesPresent, ProgramIconComesInTheUsualSizesWithClearCorners)
{
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon(ResourcePath("ICONS", QStringLiteral("kolvane-%1").arg(size)));
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
}

// ---------------------------------------------------------------------------
// Button faces: keyed on pure white, states that differ at a glance

TEST(ResourcesButtons, CornersAreTransparentAndFacesHaveNoHoles)
{
    std::vector<QString> names;
    for (const char* base : kButtonPairs) {
        names.push_back(QString::fromLatin1(base));
        names.push_back(QString::fromLatin1(base) + "_SELECTED");
    }
    for (const char* base : kSwitches) {
        names.push_back(QString::fromLatin1(base) + "_DISABLE");
    }
    for (const char* name : kCommandButtons) {
        names.push_back(QString::fromLatin1(name));
    }
    names.push_back(QStringLiteral("IDR_PENATTR_WIDTH"));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = LoadNamedImage(name);
        ASSERT_FALSE(image.isNull());
        const int r = image.width() - 1;
        const int b = image.height() - 1;
        EXPECT_TRUE(IsPureWhite(image.pixel(0, 0)));
        EXPECT_TRUE(IsPureWhite(image.pixel(r, 0)));
        EXPECT_TRUE(IsPureWhite(image.pixel(0, b)));
        EXPECT_TRUE(IsPureWhite(image.pixel(r, b)));
        EXPECT_EQ(CountEnclosedWhite(image), 0);
    }
}

TEST(ResourcesButtons, WidthThumbIsARingWithAClearWindow)
{
    // The wedge under the thumb shows through its middle; only the ring and
    // its pointers are drawn.
    const QImage thumb = LoadNamedImage(QStringLiteral("IDR_PENATTR_WIDTHTHUMB"));
    ASSERT_FALSE(thumb.isNull());
    EXPECT_TRUE(IsPureWhite(thumb.pixel(0, 0)));
    EXPECT_TRUE(IsPureWhite(thumb.pixel(23, 35)));
    EXPECT_TRUE(IsPureWhite(thumb.pixel(12, 18)));
    EXPECT_FALSE(IsPureWhite(thumb.pixel(4, 18)));
    EXPECT_FALSE(IsPureWhite(thumb.pixel(19, 18)));
    EXPECT_FALSE(IsPureWhite(thumb.pixel(12, 6)));
}

TEST(ResourcesButtons, ButtonFacesAreOpaqueInTheMiddle)
{
    for (const char* base : kButtonPairs) {
        SCOPED_TRACE(base);
        const QImage normal = LoadNamedImage(QString::fromLatin1(base));
        ASSERT_FALSE(normal.isNull());
        EXPECT_FALSE(IsPureWhite(normal.pixel(20, 20)));
        EXPECT_FALSE(IsPureWhite(normal.pixel(5, 20)));
        EXPECT_FALSE(IsPureWhite(normal.pixel(20, 35)));
    }
}

TEST(ResourcesButtons, SelectedLookDiffersAtAGlance)
{
    for (const char* base : kButtonPairs) {
        SCOPED_TRACE(base);
        const QImage normal = LoadNamedImage(QString::fromLatin1(base));
        const QImage selected = LoadNamedImage(QString::fromLatin1(base) + "_SELECTED");
        ASSERT_EQ(normal.size(), selected.size());
        EXPECT_NE(normal, selected);
        // Not a few pixels: most of the face changes colour noticeably.
        EXPECT_GT(ShareDiffering(normal, selected, 24), 0.4);
    }
}

TEST(ResourcesButtons, DisabledLookIsGreyAndDiffersFromTheOthers)
{
    for (const char* base : kSwitches) {
        SCOPED_TRACE(base);
        const QString name = QString::fromLatin1(base);
        const QImage disabled = LoadNamedImage(name + "_DISABLE");
        const QImage normal = LoadNamedImage(name);
        const QImage selected = LoadNamedImage(name + "_SELECTED");
        EXPECT_GT(ShareDiffering(normal, disabled, 24), 0.2);
        EXPECT_GT(ShareDiffering(selected, disabled, 24), 0.4);
        int colourful = 0;
        for (int y = 0; y < disabled.height(); ++y) {
            for (int x = 0; x < disabled.width(); ++x) {
                const QRgb c = disabled.pixel(x, y);
                const int spread = std::max({qRed(c), qGreen(c), qBlue(c)}) -
                                   std::min({qRed(c), qGreen(c), qBlue(c)});
                colourful += spread > 12 ? 1 : 0;
            }
        }
        EXPECT_EQ(colourful, 0);
    }
}

TEST(ResourcesButtons, ChosenStampLeavesItsMiddleFreeForTheSymbol)
{
    // The panel draws the current symbol, up to 36 pixels high, over the
    // middle of the chosen stamp's face: nothing there may compete with it.
    const QImage face = LoadNamedImage(QStringLiteral("IDR_FUNC_PENCHAR_SELECTED"));
    ASSERT_FALSE(face.isNull());
    int darkest = 255;
    int lightest = 0;
    for (int y = 12; y < 28; ++y) {
        for (int x = 12; x < 28; ++x) {
            const int l = static_cast<int>(Luminance(face.pixel(x, y)));
            darkest = std::min(darkest, l);
            lightest = std::max(lightest, l);
        }
    }
    EXPECT_LT(lightest - darkest, 40);
    EXPECT_GT(darkest, 150);
}

TEST(ResourcesButtons, ColourButtonsLeaveTheSwatchRimVisible)
{
    // The panel fills (9, 9)-(31, 31) with the colour; the ring just outside
    // must contrast with a white swatch as well as with a black one.
    for (const char* name : {"IDR_PENATTR_COLOR", "IDR_PENATTR_COLOR_SELECTED"}) {
        SCOPED_TRACE(name);
        const QImage image = LoadNamedImage(QString::fromLatin1(name));
        for (int i = 8; i <= 31; ++i) {
            for (const QRgb c :
                 {image.pixel(i, 8), image.pixel(i, 31), image.pixel(8, i), image.pixel(31, i)}) {
                EXPECT_LT(Luminance(c), 90.0);
                EXPECT_FALSE(IsPureWhite(c));
            }
        }
    }
}

TEST(ResourcesButtons, CommandButtonsCarryALabel)
{
    for (const char* name : kCommandButtons) {
        SCOPED_TRACE(name);
        const QImage image = LoadNamedImage(QString::fromLatin1(name));
        int dark = 0;
        for (int y = 8; y < 24; ++y) {
            for (int x = 8; x < 42; ++x) {
                dark += Luminance(image.pixel(x, y)) < 110.0 ? 1 : 0;
            }
        }
        // Two bold characters cover a good part of the middle.
        EXPECT_GT(dark, 60);
    }
}

TEST(ResourcesButtons, DrawnOnTheTrayOnlyTheFaceChangesPixels)
{
    CResImage button;
    ASSERT_TRUE(button.LoadNamed(QStringLiteral("IDR_FUNC_PENSOLID_SELECTED")));
    const COLORREF tray = MakeRgb(10, 200, 30);
    CMemSurface surface(60, 60, tray);
    button.DrawTransparent(surface, 10, 10);
    EXPECT_EQ(surface.Image().pixel(10, 10) & 0xFFFFFFu, ToArgb(tray) & 0xFFFFFFu);
    EXPECT_EQ(surface.Image().pixel(49, 49) & 0xFFFFFFu, ToArgb(tray) & 0xFFFFFFu);
    EXPECT_NE(surface.Image().pixel(30, 30) & 0xFFFFFFu, ToArgb(tray) & 0xFFFFFFu);
}

// ---------------------------------------------------------------------------
// Panel backgrounds

TEST(ResourcesPanels, BackgroundsAreOpaqueSoEachPaintCoversTheLastOne)
{
    // The panels keep their paint surface between paints and draw the
    // background first; a see-through pixel would leave the previous
    // button state showing.
    for (const char* name : {"IDR_FUNC_BKGD", "IDR_PENATTR_BKGD", "IDR_WELCOME"}) {
        SCOPED_TRACE(name);
        const QImage image = LoadNamedImage(QString::fromLatin1(name));
        ASSERT_FALSE(image.isNull());
        int white = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                white += IsPureWhite(image.pixel(x, y)) ? 1 : 0;
            }
        }
        EXPECT_EQ(white, 0);
    }
}

TEST(ResourcesPanels, StampSymbolHasALightPadWhenTheStampIsNotChosen)
{
    // With another tool chosen the stamp button draws no face, only the
    // symbol, in colours that are mostly dark or saturated.
    const QImage panel = LoadNamedImage(QStringLiteral("IDR_FUNC_BKGD"));
    ASSERT_FALSE(panel.isNull());
    double sum = 0;
    for (int y = 12; y < 34; ++y) {
        for (int x = 262; x < 282; ++x) {
            sum += Luminance(panel.pixel(x, y));
        }
    }
    EXPECT_GT(sum / (22 * 20), 200.0);
}

TEST(ResourcesPanels, WidthScaleGrowsFromThinToThick)
{
    // The thumb's middle is at x = 12 for width 2 and x = 69 for width 16.
    const QImage scale = LoadNamedImage(QStringLiteral("IDR_PENATTR_WIDTH"));
    ASSERT_FALSE(scale.isNull());
    const auto inkHeight = [&](int x) {
        int rows = 0;
        for (int y = 14; y < 37; ++y) {
            rows += IsPureWhite(scale.pixel(x, y)) ? 0 : 1;
        }
        return rows;
    };
    EXPECT_LT(inkHeight(12), inkHeight(40));
    EXPECT_LT(inkHeight(40), inkHeight(69));
    EXPECT_GE(inkHeight(69), 12);
}

// ---------------------------------------------------------------------------
// Backgrounds

TEST(ResourcesBackgrounds, NumberZeroIsPlainWhite)
{
    CResImage full;
    ASSERT_TRUE(full.LoadBackground(0));
    const QImage image = full.Image().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            ASSERT_GE(Luminance(image.pixel(x, y)), 254.0) << x << "," << y;
        }
    }
}

TEST(ResourcesBackgrounds, OthersArePaleButNotBlank)
{
    for (int n = 1; n < kBackgrounds; ++n) {
        SCOPED_TRACE(n);
        CResImage full;
        ASSERT_TRUE(full.LoadBackground(n));
        const ChannelStats s = Measure(full.Image().convertToFormat(QImage::Format_RGB32));
        EXPECT_GE(s.meanLuminance, 215.0);
        EXPECT_GE(s.lowLuminance, 150.0);
        // A yellow line differs from the paper almost only in blue: keep
        // enough blue nearly everywhere (thin ruling aside) for a yellow
        // marker to show.
        EXPECT_GE(s.lowBlue, 170.0);
        EXPECT_LT(s.lowLuminance, 252.0);  // a picture, not another white sheet
    }
}

TEST(ResourcesBackgrounds, AllTwentyFourAreDifferent)
{
    // Two grids may share most of their paper; a copied or repeated picture
    // shares everything.
    std::vector<QImage> images;
    for (int n = 0; n < kBackgrounds; ++n) {
        CResImage full;
        ASSERT_TRUE(full.LoadBackground(n));
        images.push_back(full.Image().convertToFormat(QImage::Format_RGB32));
    }
    for (int a = 0; a < kBackgrounds; ++a) {
        for (int b = a + 1; b < kBackgrounds; ++b) {
            EXPECT_GT(ShareDiffering(images[a], images[b], 10), 0.01) << a << " vs " << b;
        }
    }
}

TEST(ResourcesBackgrounds, ThumbnailsShowTheirOwnBackground)
{
    for (int n = 0; n < kBackgrounds; ++n) {
        SCOPED_TRACE(n);
        CResImage full;
        CResImage thumb;
        ASSERT_TRUE(full.LoadBackground(n));
        ASSERT_TRUE(thumb.LoadThumbnail(n));
        const QImage shrunk = full.Image()
                                  .scaled(103, 56, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_RGB32);
        const QImage small = thumb.Image().convertToFormat(QImage::Format_RGB32);
        // Mostly the same picture, allowing for JPEG's rounding.
        EXPECT_LT(ShareDiffering(shrunk, small, 12), 0.02);
    }
}

}  // namespace
