#include "control/JpegEncoder.h"
#include "tests/control/JpegInspect.h"

#include <QPainter>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Four flat quadrants: large enough areas that JPEG keeps their colours close.
QImage quadrants(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h / 2, QColor(200, 30, 30));
    p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(30, 180, 40));
    p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(20, 40, 210));
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(240, 240, 240));
    return image;
}

bool near(QColor a, QColor b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class JpegEncoderSizes : public ::testing::TestWithParam<QSize> {};

TEST_P(JpegEncoderSizes, BaselineColourAtQuality90)
{
    const QSize size = GetParam();
    const QImage source = quadrants(size.width(), size.height());
    QString error;
    const QByteArray jpeg = control::EncodeJpeg(source, 90, &error);
    ASSERT_FALSE(jpeg.isEmpty()) << error.toStdString();

    const auto frame = jpeginspect::readFrame(jpeg);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->sofMarker, 0xC0);
    EXPECT_EQ(frame->components, 3);
    EXPECT_EQ(QSize(frame->width, frame->height), size);

    const auto decoded = jpeginspect::decode(jpeg);
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->progressive);
    EXPECT_EQ(decoded->components, 3);
    ASSERT_EQ(decoded->image.size(), size);
    ASSERT_TRUE(decoded->quant[0] && decoded->quant[1]);
    EXPECT_EQ(*decoded->quant[0], jpeginspect::standardTable(false, 90));
    EXPECT_EQ(*decoded->quant[1], jpeginspect::standardTable(true, 90));

    // The centre of each quadrant, away from the edges where colours bleed.
    for (const QPoint p : {QPoint(size.width() / 4, size.height() / 4),
                           QPoint(3 * size.width() / 4, size.height() / 4),
                           QPoint(size.width() / 4, 3 * size.height() / 4),
                           QPoint(3 * size.width() / 4, 3 * size.height() / 4)})
        EXPECT_TRUE(near(decoded->image.pixelColor(p), source.pixelColor(p)))
            << p.x() << "," << p.y();
}

// Odd sizes exercise partial blocks; the larger one outgrows the first output buffer.
INSTANTIATE_TEST_SUITE_P(Sizes, JpegEncoderSizes,
                         ::testing::Values(QSize(64, 48), QSize(37, 23), QSize(1001, 703)));

TEST(JpegEncoder, QualityDecidesTheTables)
{
    const QImage source = quadrants(32, 32);
    for (int quality : {25, 50, 75, 100}) {
        const auto decoded = jpeginspect::decode(control::EncodeJpeg(source, quality));
        ASSERT_TRUE(decoded) << quality;
        EXPECT_EQ(*decoded->quant[0], jpeginspect::standardTable(false, quality)) << quality;
    }
}

TEST(JpegEncoder, NoisyPictureStillRoundTrips)
{
    QImage noise(300, 200, QImage::Format_RGB888);
    std::srand(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width() * 3; ++x)
            noise.scanLine(y)[x] = static_cast<uchar>(std::rand());
    const QByteArray jpeg = control::EncodeJpeg(noise, 90);
    const auto decoded = jpeginspect::decode(jpeg);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->image.size(), noise.size());
}

TEST(JpegEncoder, RefusalsSayWhy)
{
    struct Case {
        const char *name;
        QImage image;
        int quality;
    };
    const Case cases[] = {{"Null", QImage(), 90},
                          {"QualityZero", quadrants(8, 8), 0},
                          {"QualityAbove100", quadrants(8, 8), 101}};
    for (const Case &c : cases) {
        QString error;
        EXPECT_TRUE(control::EncodeJpeg(c.image, c.quality, &error).isEmpty()) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
    }
}

} // namespace
