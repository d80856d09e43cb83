#include "simulator/qr_png.h"

#include <qrencode.h>
#include <zlib.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace sim {
namespace {

void put_u32(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

void put_chunk(std::string& out, const char type[4], const std::string& data)
{
    put_u32(out, static_cast<std::uint32_t>(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    put_u32(out, static_cast<std::uint32_t>(
                     crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

}  // namespace

std::string qr_code_png(const std::string& text, int scale, int margin)
{
    if (text.empty())
        return {};
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M), QRcode_free);
    if (!code)
        return {};
    const int modules = code->width;
    const int side = (modules + 2 * margin) * scale;

    // Filter byte 0 then one grey byte per pixel, row by row.
    std::string raw;
    raw.reserve(static_cast<std::size_t>(side) * (side + 1));
    for (int y = 0; y < side; ++y) {
        raw += '\0';
        const int my = y / scale - margin;
        for (int x = 0; x < side; ++x) {
            const int mx = x / scale - margin;
            const bool dark = my >= 0 && my < modules && mx >= 0 && mx < modules &&
                              (code->data[my * modules + mx] & 1);
            raw += dark ? '\0' : '\xFF';
        }
    }
    uLongf packed_size = compressBound(raw.size());
    std::string packed(packed_size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                  reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 9) != Z_OK)
        return {};
    packed.resize(packed_size);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    put_u32(header, static_cast<std::uint32_t>(side));
    put_u32(header, static_cast<std::uint32_t>(side));
    header += std::string("\x08\x00\x00\x00\x00", 5);  // 8-bit grey, deflate, no interlace
    put_chunk(png, "IHDR", header);
    put_chunk(png, "IDAT", packed);
    put_chunk(png, "IEND", {});
    return png;
}

}  // namespace sim
