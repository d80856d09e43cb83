#include "client/workspaces/ui/image_to_format.h"

#include "support/temp_dir.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace {

using namespace workspaces;

// A 24x16 picture of four flat quarters, encoded as PNG.
QImage quarters(bool with_transparent_corner = false)
{
    QImage image(24, 16, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 12 ? (y < 8 ? qRgb(255, 0, 0) : qRgb(0, 0, 255))
                                        : (y < 8 ? qRgb(0, 160, 0) : qRgb(255, 255, 255)));
    if (with_transparent_corner)
        image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return image;
}

std::string png_of(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes.toStdString();
}

struct Decoded {
    QByteArray format;
    QImage image;
};

Decoded decode(const std::string& bytes)
{
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Decoded out;
    out.format = reader.format();
    out.image = reader.read().convertToFormat(QImage::Format_ARGB32);
    return out;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

TEST(ImageToFormat, EachCodeUsesItsOwnEncoder)
{
    const struct {
        int code;
        const char* format;
        int tolerance;  // JPEG is lossy
    } cases[] = {{kBmp, "bmp", 0}, {kJpeg, "jpeg", 24}, {kGif, "gif", 0}, {kTiff, "tiff", 0},
                 {kPng, "png", 0}};
    const QImage source = quarters();
    const std::string input = png_of(source);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        std::string output;
        ASSERT_TRUE(image_to_format(input, c.code, "", output));
        const Decoded decoded = decode(output);
        EXPECT_EQ(decoded.format, QByteArray(c.format));
        ASSERT_EQ(decoded.image.size(), source.size());
        for (const QPoint p : {QPoint(3, 3), QPoint(20, 3), QPoint(3, 12), QPoint(20, 12)})
            EXPECT_TRUE(near(decoded.image.pixel(p), source.pixel(p), c.tolerance))
                << p.x() << "," << p.y();
    }
}

TEST(ImageToFormat, RefusesWhatIsNoImageAndLeavesTheOutputAlone)
{
    const std::string png = png_of(quarters());
    const struct {
        const char* label;
        std::string input;
        int code;
    } cases[] = {
        {"empty", "", kJpeg},
        {"two bytes", png.substr(0, 2), kJpeg},
        {"html error page", "<html><body>404 Not Found</body></html>", kJpeg},
        {"truncated header", png.substr(0, 20), kPng},
        {"unknown code 0", png, 0},
        {"unknown code 6", png, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::string output = "kept";
        EXPECT_FALSE(image_to_format(c.input, c.code, "", output));
        EXPECT_EQ(output, "kept");
    }
}

TEST(ImageToFormat, WritesTheFileOnlyWhenANameIsGiven)
{
    testsupport::TempDir dir;
    const std::string input = png_of(quarters());
    const std::string named = (dir.path() / "二维码.jpg").string();
    std::string output;
    ASSERT_TRUE(image_to_format(input, kJpeg, named, output));
    QFile file(QString::fromStdString(named));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), output);

    std::string blank_output;
    EXPECT_TRUE(image_to_format(input, kPng, "   ", blank_output));
    EXPECT_FALSE(blank_output.empty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("   ")));

    std::string unwritable = "kept";
    EXPECT_FALSE(image_to_format(input, kPng, (dir.path() / "missing" / "x.png").string(), unwritable));
    EXPECT_EQ(unwritable, "kept");
}

TEST(ImageToFormat, GifKeepsTransparencyAndCopesWithManyColours)
{
    std::string output;
    ASSERT_TRUE(image_to_format(png_of(quarters(true)), kGif, "", output));
    QImage decoded = decode(output).image;
    EXPECT_EQ(qAlpha(decoded.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(decoded.pixel(1, 0)), 255);
    EXPECT_EQ(decoded.pixel(1, 0), qRgb(255, 0, 0));

    // A smooth gradient has far more than 256 colours.
    QImage gradient(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            gradient.setPixel(x, y, qRgb(x * 2, y * 2, (x + y) % 256));
    ASSERT_TRUE(image_to_format(png_of(gradient), kGif, "", output));
    decoded = decode(output).image;
    ASSERT_EQ(decoded.size(), gradient.size());
    EXPECT_TRUE(near(decoded.pixel(64, 64), gradient.pixel(64, 64), 24));
}

TEST(ImageToFormat, JpegLaysTransparencyOnWhite)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 0));
    std::string output;
    ASSERT_TRUE(image_to_format(png_of(image), kJpeg, "", output));
    EXPECT_TRUE(near(decode(output).image.pixel(4, 4), qRgb(255, 255, 255), 8));
}

}  // namespace
