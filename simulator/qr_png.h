#pragma once
// QR codes as PNG images (libqrencode for the symbol, zlib for the file).

#include <string>

namespace sim {

// PNG bytes of the QR code of `text` (8-bit grey, `scale` pixels per module,
// a quiet zone of `margin` modules); empty when it cannot be encoded.
std::string qr_code_png(const std::string& text, int scale = 5, int margin = 4);

}  // namespace sim
