#include "gfx/Color.h"
#include "gfx/ImageEncoders.h"
#include "gfx/ResImage.h"
#include "gfx/Surface.h"
#include "gfx/TextFont.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// QPainter on images and font lookups need a GUI application object.
class GfxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (QGuiApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "gfx_tests";
            static char* argv[] = {name, nullptr};
            static QGuiApplication app(argc, argv);
        }
    }
    QTemporaryDir m_dir;
};

QRgb Pixel(const CSurface& s, int x, int y)
{
    return s.Image().pixel(x, y) | 0xFF000000u;
}

TEST_F(GfxTest, ColourRefConvertsToOpaqueArgb)
{
    const COLORREF c = MakeRgb(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x00563412u);
    EXPECT_EQ(ToArgb(c), 0xFF123456u);
    EXPECT_EQ(FromArgb(0xFF123456u), c);
    EXPECT_EQ(ToQColor(c), QColor(0x12, 0x34, 0x56));
}

TEST_F(GfxTest, MemSurfaceFillsCopiesAndOrCombines)
{
    CMemSurface target(20, 10, MakeRgb(255, 255, 255));
    EXPECT_EQ(target.GetSize(), QSize(20, 10));
    EXPECT_EQ(Pixel(target, 19, 9), 0xFFFFFFFFu);

    target.Fill(QRect(0, 0, 5, 5), MakeRgb(0x10, 0x20, 0x40));
    EXPECT_EQ(Pixel(target, 4, 4), 0xFF102040u);
    EXPECT_EQ(Pixel(target, 5, 4), 0xFFFFFFFFu);

    CMemSurface source(4, 4, MakeRgb(0x01, 0x02, 0x80));
    target.CopyFrom(source, 10, 2);
    EXPECT_EQ(Pixel(target, 10, 2), 0xFF010280u);
    EXPECT_EQ(Pixel(target, 13, 5), 0xFF010280u);
    EXPECT_EQ(Pixel(target, 14, 5), 0xFFFFFFFFu);

    // OR of 0x102040 and 0x010280 is 0x1122C0, per channel.
    target.OrFrom(source, 0, 0);
    EXPECT_EQ(Pixel(target, 1, 1), 0xFF1122C0u);
    EXPECT_EQ(Pixel(target, 3, 3), 0xFF1122C0u);
    EXPECT_EQ(Pixel(target, 4, 3), 0xFF102040u);  // outside the source

    CMemSurface part(3, 3, MakeRgb(0, 0, 0));
    part.CopyFrom(target, QRect(9, 1, 3, 3), 0, 0);
    EXPECT_EQ(Pixel(part, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(part, 1, 1), 0xFF010280u);

    // A region of several rectangles, copied and ORed in place: its pixels
    // change and none around it.
    const QRegion area = QRegion(1, 1, 3, 2) | QRegion(12, 6, 4, 3) | QRegion(2, 7, 1, 1);
    CMemSurface grey(20, 10, MakeRgb(0x40, 0x40, 0x40));
    CMemSurface copied(20, 10, MakeRgb(0x01, 0x02, 0x04));
    copied.CopyFrom(grey, area);
    CMemSurface ored(20, 10, MakeRgb(0x01, 0x02, 0x04));
    ored.OrFrom(grey, area);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = area.contains(QPoint(x, y));
            EXPECT_EQ(Pixel(copied, x, y), inside ? 0xFF404040u : 0xFF010204u) << x << "," << y;
            EXPECT_EQ(Pixel(ored, x, y), inside ? 0xFF414244u : 0xFF010204u) << x << "," << y;
        }
    }
}

TEST_F(GfxTest, DirtyRectanglesAccumulateUntilTaken)
{
    CMemSurface s(10, 10, 0);
    EXPECT_TRUE(s.TakeDirty().isNull());
    s.AddDirty(QRect(1, 1, 2, 2));
    s.AddDirty(QRect(5, 5, 1, 1));
    EXPECT_EQ(s.TakeDirty(), QRect(1, 1, 5, 5));
    EXPECT_TRUE(s.TakeDirty().isNull());
}

TEST_F(GfxTest, MonoSurfacePacksInkMostSignificantBitFirst)
{
    CMonoSurface mask(40, 3);
    EXPECT_EQ(mask.GetRowPitch(), 8);  // rows rounded up to 32 pixels
    {
        QPainter p(&mask.Image());
        p.fillRect(QRect(0, 0, 1, 1), Qt::white);
        p.fillRect(QRect(9, 1, 1, 1), Qt::white);
        p.fillRect(QRect(39, 2, 1, 1), Qt::white);
    }
    const std::vector<unsigned char> bits = mask.PackBits();
    ASSERT_EQ(bits.size(), 24u);
    EXPECT_EQ(bits[0], 0x80);
    EXPECT_EQ(bits[8 + 1], 0x40);
    EXPECT_EQ(bits[16 + 4], 0x01);
    int setBits = 0;
    for (unsigned char b : bits) {
        setBits += __builtin_popcount(b);
    }
    EXPECT_EQ(setBits, 3);
    EXPECT_TRUE(mask.IsInk(9, 1));
    EXPECT_FALSE(mask.IsInk(8, 1));
    EXPECT_FALSE(mask.IsInk(-1, 0));
}

QByteArray EncodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    return path;
}

TEST_F(GfxTest, DrawTransparentDropsExactlyPureWhite)
{
    QImage button(4, 1, QImage::Format_RGB32);
    button.setPixel(0, 0, qRgb(255, 255, 255));  // transparent
    button.setPixel(1, 0, qRgb(254, 255, 255));  // near white: drawn
    button.setPixel(2, 0, qRgb(0, 0, 0));
    button.setPixel(3, 0, qRgb(255, 255, 254));  // near white: drawn
    CResImage image;
    ASSERT_TRUE(image.LoadFile(WriteFile(m_dir, "b.png", EncodePng(button))));
    EXPECT_EQ(image.GetSize(), QSize(4, 1));

    CMemSurface target(6, 3, MakeRgb(82, 82, 82));
    image.DrawTransparent(target, 1, 1);
    EXPECT_EQ(Pixel(target, 1, 1), qRgb(82, 82, 82));
    EXPECT_EQ(Pixel(target, 2, 1), qRgb(254, 255, 255));
    EXPECT_EQ(Pixel(target, 3, 1), qRgb(0, 0, 0));
    EXPECT_EQ(Pixel(target, 4, 1), qRgb(255, 255, 254));
    EXPECT_EQ(Pixel(target, 5, 1), qRgb(82, 82, 82));

    // A second draw (cached mask) gives the same result.
    CMemSurface again(6, 3, MakeRgb(82, 82, 82));
    image.DrawTransparent(again, 1, 1);
    EXPECT_EQ(again.Image(), target.Image());
}

TEST_F(GfxTest, DrawAtAndDrawInPlaceAndStretch)
{
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(qRgb(200, 0, 0));
    CResImage image;
    ASSERT_TRUE(image.LoadFile(WriteFile(m_dir, "r.png", EncodePng(red))));
    CMemSurface target(10, 10, MakeRgb(255, 255, 255));
    image.DrawAt(target, 3, 3);
    EXPECT_EQ(Pixel(target, 3, 3), qRgb(200, 0, 0));
    EXPECT_EQ(Pixel(target, 4, 4), qRgb(200, 0, 0));
    EXPECT_EQ(Pixel(target, 5, 5), qRgb(255, 255, 255));
    image.DrawIn(target, 0, 6, 8, 4);
    EXPECT_EQ(Pixel(target, 0, 6), qRgb(200, 0, 0));
    EXPECT_EQ(Pixel(target, 7, 9), qRgb(200, 0, 0));
}

TEST_F(GfxTest, MissingResourcesKeepTheInitialSize)
{
    CResImage image;
    EXPECT_EQ(image.GetSize(), QSize(1, 1));
    EXPECT_FALSE(image.LoadBackground(24));
    EXPECT_FALSE(image.LoadNamed(QStringLiteral("IDR_DOES_NOT_EXIST")));
    EXPECT_EQ(image.GetSize(), QSize(1, 1));
    EXPECT_FALSE(image.HasImage());
    CMemSurface target(2, 2, MakeRgb(1, 2, 3));
    image.DrawAt(target, 0, 0);
    image.DrawTransparent(target, 0, 0);
    EXPECT_EQ(Pixel(target, 0, 0), qRgb(1, 2, 3));
}

TEST_F(GfxTest, BrokenFilesLeaveNoImageOfSizeZero)
{
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(qRgb(10, 120, 30));
    const QByteArray png = EncodePng(picture);
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPEG");
    }

    const std::vector<std::pair<QString, QByteArray>> broken = {
        {"truncated.png", png.left(png.size() / 2)},
        {"truncated.jpg", jpeg.left(jpeg.size() - 40)},
        {"garbage.png", QByteArray(500, '\x5a')},
        {"empty.bmp", QByteArray()},
    };
    for (const auto& [name, data] : broken) {
        CResImage image;
        EXPECT_FALSE(image.LoadFile(WriteFile(m_dir, name, data))) << name.toStdString();
        EXPECT_EQ(image.GetSize(), QSize(0, 0)) << name.toStdString();
        EXPECT_FALSE(image.HasImage());
    }
    CResImage missing;
    EXPECT_FALSE(missing.LoadFile(m_dir.filePath("nothing-here.png")));
    EXPECT_EQ(missing.GetSize(), QSize(0, 0));

    CResImage good;
    EXPECT_TRUE(good.LoadFile(WriteFile(m_dir, "good.jpg", jpeg)));
    EXPECT_EQ(good.GetSize(), QSize(64, 64));
}

TEST_F(GfxTest, EnormousImagesAreRefusedBeforeDecoding)
{
    // A valid header that declares 60000 x 60000 pixels (3.6 gigapixels):
    // the loader must refuse it without trying to allocate the pixels.
    QByteArray bmp(54, '\0');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 60000);
    put32(22, 60000);
    bmp[26] = 1;
    bmp[28] = 24;
    CResImage image;
    EXPECT_FALSE(image.LoadFile(WriteFile(m_dir, "huge.bmp", bmp)));
    EXPECT_EQ(image.GetSize(), QSize(0, 0));
}

TEST_F(GfxTest, EncoderFoundByTheLastFourCharactersUpperCased)
{
    const CImageEncoders encoders;
    ASSERT_TRUE(encoders.FindByExtension(QStringLiteral("/tmp/a.jpg")).has_value());
    EXPECT_EQ(encoders.FindByExtension(QStringLiteral("/tmp/a.jpg"))->format, "jpeg");
    EXPECT_EQ(encoders.FindByExtension(QStringLiteral("/tmp/a.JPEG"))->format, "jpeg");
    EXPECT_EQ(encoders.FindByExtension(QStringLiteral("b.Png"))->format, "png");
    EXPECT_EQ(encoders.FindByExtension(QStringLiteral("c.bmp"))->format, "bmp");
    EXPECT_FALSE(encoders.FindByExtension(QStringLiteral("notes.txt")).has_value());
    EXPECT_FALSE(encoders.FindByExtension(QString()).has_value());
    // "a.jpeg" ends in "JPEG", found in the JPEG list; "x.peg" ends in ".PEG",
    // which no list holds.
    EXPECT_FALSE(encoders.FindByExtension(QStringLiteral("x.peg")).has_value());
}

TEST_F(GfxTest, SaveBitmapWritesByEndingAndReportsFailures)
{
    const CImageEncoders encoders;
    CMemSurface surface(30, 20, MakeRgb(0, 0, 255));

    const QString txt = m_dir.filePath("picture.txt");
    EXPECT_FALSE(encoders.SaveBitmap(surface.Image(), txt));
    EXPECT_FALSE(QFile::exists(txt));

    const QString jpg = m_dir.filePath("picture.jpg");
    ASSERT_TRUE(encoders.SaveBitmap(surface.Image(), jpg));
    QImageReader reader(jpg);
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage back = reader.read();
    EXPECT_EQ(back.size(), QSize(30, 20));
    EXPECT_LT(qRed(back.pixel(15, 10)), 8);
    EXPECT_GT(qBlue(back.pixel(15, 10)), 247);

    const QString png = m_dir.filePath("picture.png");
    ASSERT_TRUE(encoders.SaveBitmap(surface.Image(), png));
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), surface.Image());

    // An unwritable place is a failure, not a silent success.
    EXPECT_FALSE(encoders.SaveBitmap(surface.Image(), m_dir.filePath("no/such/folder/p.jpg")));
}

TEST_F(GfxTest, TextFontSelectsAndRestores)
{
    CMemSurface surface(10, 10, 0);
    QPainter painter(&surface.Image());
    const QFont before = painter.font();
    {
        CTextFont font(painter, FontDesc{QStringLiteral("DejaVu Sans"), -20});
        EXPECT_EQ(painter.font().pixelSize(), 20);
        EXPECT_EQ(font.Font().pixelSize(), 20);
    }
    EXPECT_EQ(painter.font(), before);
    // Height 0 is taken as -1; a positive height is the cell height.
    EXPECT_EQ(MakeFont(FontDesc{QStringLiteral("DejaVu Sans"), 0}).pixelSize(), 1);
    const QFont cell = MakeFont(FontDesc{QStringLiteral("DejaVu Sans"), 40});
    const QFontMetrics metrics(cell);
    EXPECT_NEAR(metrics.ascent() + metrics.descent(), 40, 2);
}

}  // namespace
