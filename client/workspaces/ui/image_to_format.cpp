#include "client/workspaces/ui/image_to_format.h"

#include "client/workspaces/ui/gif_encoder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <optional>

namespace workspaces {

namespace {

std::optional<std::string> encode_with_qt(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return std::nullopt;
    return bytes.toStdString();
}

// JPEG has no alpha: transparent parts are laid on white, as a viewer shows
// them, rather than turning black.
QImage on_white(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

std::optional<std::string> encode(const QImage& image, int format)
{
    switch (format) {
    case kBmp: return encode_with_qt(image, "bmp");
    case kJpeg: return encode_with_qt(on_white(image), "jpeg");
    case kGif: return encode_gif(image);
    case kTiff: return encode_with_qt(image, "tiff");
    case kPng: return encode_with_qt(image, "png");
    default: return std::nullopt;
    }
}

bool write_file(const QString& name, const std::string& bytes)
{
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        return false;
    return file.commit();
}

}  // namespace

bool image_to_format(std::string_view image, int format, const std::string& file_name,
                     std::string& output)
{
    if (image.size() < 3)
        return false;
    QByteArray input = QByteArray::fromRawData(image.data(), static_cast<qsizetype>(image.size()));
    QBuffer source(&input);
    source.open(QIODevice::ReadOnly);
    QImageReader reader(&source);
    const QImage decoded = reader.read();
    if (decoded.isNull())
        return false;
    std::optional<std::string> encoded = encode(decoded, format);
    if (!encoded)
        return false;
    const QString target = QString::fromStdString(file_name);
    if (!target.trimmed().isEmpty() && !write_file(target, *encoded))
        return false;
    output = std::move(*encoded);
    return true;
}

}  // namespace workspaces
