#include "PenTestSupport.h"

#include "pens/DabPainter.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <random>
#include <string>

using namespace pentest;

TEST(DabPainterTest, AMaskedDabPaintsWhatThePaintersEllipseWouldPaint)
{
    // Round dabs of every width at random places over random pixels, with a
    // solid colour and with a texture, inside a clip of several rectangles:
    // blended from the kept mask they must give the painter's pixels, and
    // the smallest, whose coverage the painter varies with their place,
    // within a few levels of them.
    std::mt19937 rng(7u);
    QImage texture(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < texture.height(); ++y) {
        for (int x = 0; x < texture.width(); ++x) {
            texture.setPixel(x, y, 0xff000000u | (rng() & 0xffffffu));
        }
    }
    QRegion clip = QRegion(10, 10, 150, 60) + QRegion(40, 90, 200, 100) + QRegion(0, 150, 90, 60);
    int painted = 0;
    for (int width = kMinRoundDab; width <= 70; ++width) {
        SCOPED_TRACE("width " + std::to_string(width));
        for (const bool textured : {false, true}) {
            QImage background(240, 210, QImage::Format_RGB32);
            for (int y = 0; y < background.height(); ++y) {
                for (int x = 0; x < background.width(); ++x) {
                    background.setPixel(x, y, 0xff000000u | (rng() & 0xffffffu));
                }
            }
            const QBrush brush = textured ? QBrush(texture)
                                          : QBrush(QColor::fromRgb(rng() & 0xffffffu));
            QImage expected = background.copy();
            QImage actual = background.copy();
            const CDabPainter dabs(actual, &clip, brush);
            ASSERT_TRUE(dabs.IsReady());
            QPainter painter(&expected);
            painter.setClipRegion(clip);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(brush);
            for (int i = 0; i < 6; ++i) {
                const int x = static_cast<int>(rng() % 240) - width / 2;
                const int y = static_cast<int>(rng() % 210) - width / 2;
                painter.drawEllipse(QRectF(x, y, width, width));
                dabs.Paint(*RoundDab(width), x, y);
            }
            painter.end();
            painted += CountDiff(expected, background);
            ASSERT_LE(MaxChannelDiff(expected, actual, actual.rect()),
                      width < kExactRoundDab ? 12 : 0);
        }
    }
    EXPECT_GT(painted, 100000);
}
