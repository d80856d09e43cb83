#include "client/workspaces/ui/gif_encoder.h"

#include <QHash>
#include <QImage>

#include <gif_lib.h>

#include <memory>
#include <vector>

namespace workspaces {

namespace {

constexpr int kMaxColours = 256;

int append_to_string(GifFileType* gif, const GifByteType* bytes, int length)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes),
                                                     static_cast<std::size_t>(length));
    return length;
}

struct Indexed {
    std::vector<GifColorType> palette;
    std::vector<GifByteType> pixels;  // row by row
    int transparent = NO_TRANSPARENT_COLOR;
};

bool is_transparent(QRgb pixel)
{
    return qAlpha(pixel) < 128;
}

// Every opaque colour gets its own entry while there are few enough.
bool index_exactly(const QImage& image, bool has_transparency, Indexed& out)
{
    const int limit = has_transparency ? kMaxColours - 1 : kMaxColours;
    QHash<QRgb, int> index_of;
    out.pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (is_transparent(line[x])) {
                out.pixels.push_back(0);  // fixed once the transparent index is known
                continue;
            }
            const QRgb colour = line[x] | 0xFF000000u;
            auto found = index_of.constFind(colour);
            if (found == index_of.constEnd()) {
                if (index_of.size() >= limit)
                    return false;
                found = index_of.insert(colour, static_cast<int>(out.palette.size()));
                out.palette.push_back({static_cast<GifByteType>(qRed(colour)),
                                       static_cast<GifByteType>(qGreen(colour)),
                                       static_cast<GifByteType>(qBlue(colour))});
            }
            out.pixels.push_back(static_cast<GifByteType>(*found));
        }
    }
    return true;
}

bool index_by_quantizing(const QImage& image, bool has_transparency, Indexed& out)
{
    const std::size_t count = static_cast<std::size_t>(image.width()) * image.height();
    std::vector<GifByteType> red(count), green(count), blue(count);
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, ++i) {
            red[i] = static_cast<GifByteType>(qRed(line[x]));
            green[i] = static_cast<GifByteType>(qGreen(line[x]));
            blue[i] = static_cast<GifByteType>(qBlue(line[x]));
        }
    }
    int size = has_transparency ? kMaxColours - 1 : kMaxColours;
    out.palette.assign(kMaxColours, GifColorType{0, 0, 0});
    out.pixels.assign(count, 0);
    if (GifQuantizeBuffer(static_cast<unsigned>(image.width()), static_cast<unsigned>(image.height()),
                          &size, red.data(), green.data(), blue.data(), out.pixels.data(),
                          out.palette.data()) != GIF_OK)
        return false;
    out.palette.resize(static_cast<std::size_t>(size));
    return true;
}

Indexed index_image(const QImage& image)
{
    bool has_transparency = false;
    if (image.hasAlphaChannel()) {
        for (int y = 0; y < image.height() && !has_transparency; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (is_transparent(line[x])) {
                    has_transparency = true;
                    break;
                }
        }
    }
    Indexed indexed;
    if (!index_exactly(image, has_transparency, indexed)) {
        indexed = {};
        if (!index_by_quantizing(image, has_transparency, indexed))
            return {};
    }
    if (has_transparency) {
        indexed.transparent = static_cast<int>(indexed.palette.size());
        indexed.palette.push_back({0, 0, 0});
        std::size_t i = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x, ++i)
                if (is_transparent(line[x]))
                    indexed.pixels[i] = static_cast<GifByteType>(indexed.transparent);
        }
    }
    // A GIF colour table holds a power of two entries, at least two.
    std::size_t table = 2;
    while (table < indexed.palette.size())
        table *= 2;
    indexed.palette.resize(table, GifColorType{0, 0, 0});
    return indexed;
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

std::optional<std::string> encode_gif(const QImage& source)
{
    if (source.isNull() || source.width() > 0xFFFF || source.height() > 0xFFFF)
        return std::nullopt;
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Indexed indexed = index_image(image);
    if (indexed.pixels.empty())
        return std::nullopt;

    std::string out;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, append_to_string, &error));
    if (!gif)
        return std::nullopt;
    std::unique_ptr<ColorMapObject, MapFreer> map(
        GifMakeMapObject(static_cast<int>(indexed.palette.size()), indexed.palette.data()));
    if (!map)
        return std::nullopt;
    EGifSetGifVersion(gif.get(), indexed.transparent != NO_TRANSPARENT_COLOR);
    if (EGifPutScreenDesc(gif.get(), image.width(), image.height(), map->BitsPerPixel, 0,
                          map.get()) != GIF_OK)
        return std::nullopt;
    if (indexed.transparent != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, indexed.transparent};
        GifByteType extension[4];
        const auto length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length),
                             extension) != GIF_OK)
            return std::nullopt;
    }
    if (EGifPutImageDesc(gif.get(), 0, 0, image.width(), image.height(), false, nullptr) != GIF_OK)
        return std::nullopt;
    for (int y = 0; y < image.height(); ++y) {
        GifByteType* line = indexed.pixels.data() + static_cast<std::size_t>(y) * image.width();
        if (EGifPutLine(gif.get(), line, image.width()) != GIF_OK)
            return std::nullopt;
    }
    // Closing writes the trailer; the closer must not run a second time.
    GifFileType* finished = gif.release();
    if (EGifCloseFile(finished, &error) != GIF_OK)
        return std::nullopt;
    return out;
}

}  // namespace workspaces
