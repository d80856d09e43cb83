#pragma once
// GIF encoding, which Qt's image writers do not offer, through giflib.

#include <optional>
#include <string>

class QImage;

namespace workspaces {

// One-frame GIF of `image`: exact palette when it has at most 256 colours,
// giflib's median-cut palette otherwise; pixels with alpha below half
// become the transparent colour. Empty when the image is null or the
// encoder fails.
std::optional<std::string> encode_gif(const QImage& image);

}  // namespace workspaces
