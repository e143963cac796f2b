#pragma once

#include <optional>
#include <string_view>

namespace zunaka {

// What a JPEG file's markers say, read without decoding it.
struct JpegLayout {
    // Its segments and scans lead to the end-of-image marker. libjpeg decodes a file that was cut off as
    // far as it goes and greys the rest with no more than a warning; bytes after the marker (the video a
    // phone appends to a photo) are no part of the picture and are never looked at.
    bool whole = false;
    // From the frame header; 0 when the file ends before it.
    int width = 0;
    int height = 0;
};

// Nothing for bytes that do not begin with a JPEG's start-of-image marker.
std::optional<JpegLayout> readJpegLayout(std::string_view bytes);

} // namespace zunaka
