#pragma once
// Re-encoding an image held in memory into another format.

#include <string>
#include <string_view>

namespace workspaces {

enum ImageFormatCode { kBmp = 1, kJpeg = 2, kGif = 3, kTiff = 4, kPng = 5 };

// Decodes `image` and encodes it with the standard encoder of `format`
// (ImageFormatCode, default settings) into `output`; when `file_name` is not
// blank the result is also written to that file. False, `output`
// unchanged, for fewer than 3 bytes, bytes that are no image, an unknown
// code, a failed encoder or a file that could not be written.
bool image_to_format(std::string_view image, int format, const std::string& file_name,
                     std::string& output);

}  // namespace workspaces
