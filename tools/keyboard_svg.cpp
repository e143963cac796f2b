// Writes the SVG drawing of the keyboard guide from the table in help/KeyboardLayout.h; the build renders it to
// "KeyBorad.jpg" with zunaka_render_svg.
//
//   zunaka_keyboard_svg OUT.svg
#include "help/KeyboardLayout.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace zunaka::keyboard;

constexpr double kCornerRadius = 4.5;
constexpr double kOutlineWidth = 1.0; // on half-pixel edges: a crisp line, and a clean white gap
constexpr double kOutlineShade = 0.55; // outline = key colour times this: same hue, clearly darker
constexpr int kCharSize = 16;          // the one-character legends the game asks for
constexpr int kWordSize = 10;          // Tab, Shift and the other names
constexpr int kTwoLineSize = 9;        // 半角/全角 is split over two lines
constexpr int kPairSize = 12;          // two legends on one key, such as ＼ and ろ
constexpr double kBaselineDrop = 0.36; // baseline below the centre, as a share of the font size
constexpr const char* kFont = "IPAPGothic";
constexpr double kBoldStroke = 0.7; // the face has no bold weight; a thin outline of the same colour thickens it
constexpr const char* kLegendColour = "#1a1a1a";

std::string hex(std::uint32_t rgb)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return buf;
}

std::uint32_t shade(std::uint32_t rgb, double factor)
{
    auto part = [&](int shift) { return static_cast<std::uint32_t>(((rgb >> shift) & 0xFF) * factor) << shift; };
    return part(16) | part(8) | part(0);
}

std::string escaped(const char* text)
{
    std::string out;
    for (const char* p = text; *p; ++p) {
        switch (*p) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        default: out += *p;
        }
    }
    return out;
}

int codePoints(const char* utf8)
{
    int count = 0;
    for (const char* p = utf8; *p; ++p)
        count += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
    return count;
}

// The outline of a key: a rounded rectangle, or for Enter the L of two rows joined.
void writeShape(std::FILE* out, const Key& key, const std::string& fill, const std::string& stroke)
{
    const double half = kKeyGap / 2.0;
    const double left = key.left + half;
    const double right = key.right - half;
    const double top = rowTop(key.row) + half;
    const double bottom = top + kKeyHeight;
    if (key.rowsDown == 1) {
        std::fprintf(out,
                     "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%d\" rx=\"%.1f\" fill=\"%s\" "
                     "stroke=\"%s\" stroke-width=\"%.1f\"/>\n",
                     left, top, right - left, kKeyHeight, kCornerRadius, fill.c_str(), stroke.c_str(),
                     kOutlineWidth);
        return;
    }
    const double lowerLeft = key.lowerLeft + half;
    const double lowerBottom = rowTop(key.row + key.rowsDown - 1) + half + kKeyHeight;
    std::fprintf(out,
                 "<path d=\"M%.1f %.1fH%.1fV%.1fH%.1fV%.1fH%.1fZ\" fill=\"%s\" stroke=\"%s\" "
                 "stroke-width=\"%.1f\" stroke-linejoin=\"round\"/>\n",
                 left, top, right, lowerBottom, lowerLeft, bottom, left, fill.c_str(), stroke.c_str(),
                 kOutlineWidth);
}

void writeText(std::FILE* out, double x, double y, int size, const std::string& text, bool bold)
{
    char thickening[64] = "";
    if (bold)
        std::snprintf(thickening, sizeof thickening, " stroke=\"%s\" stroke-width=\"%.1f\"", kLegendColour,
                      kBoldStroke);
    std::fprintf(out,
                 "<text x=\"%.1f\" y=\"%.1f\" font-family=\"%s\" font-size=\"%d\" fill=\"%s\"%s "
                 "text-anchor=\"middle\">%s</text>\n",
                 x, y, kFont, size, kLegendColour, thickening, text.c_str());
}

void writeLegend(std::FILE* out, const Key& key)
{
    const double centreX = (key.left + key.right) / 2.0;
    const double centreY = rowTop(key.row) + kKeyGap / 2.0 + kKeyHeight / 2.0;
    const std::string legend = escaped(key.legend);
    if (const char* slash = std::strchr(key.legend, '/'); slash && slash != key.legend) {
        const std::string first(key.legend, slash);
        writeText(out, centreX, centreY - 2, kTwoLineSize, first, false);
        writeText(out, centreX, centreY + kTwoLineSize, kTwoLineSize, escaped(slash + 1), false);
        return;
    }
    const bool single = codePoints(key.legend) == 1;
    if (!single) {
        writeText(out, centreX, centreY + kWordSize * kBaselineDrop, kWordSize, legend, false);
        return;
    }
    if (key.small) {
        // Two legends share the key diagonally, the main one upper left.
        writeText(out, centreX - 6, centreY + kPairSize * kBaselineDrop - 5, kPairSize, legend, true);
        writeText(out, centreX + 7, centreY + kPairSize * kBaselineDrop + 6, kPairSize, escaped(key.small), true);
        return;
    }
    writeText(out, centreX, centreY + kCharSize * kBaselineDrop, kCharSize, legend, true);
}

// F and J carry the bumps the index fingers feel for; a short bar under the letter shows them.
void writeHomeBump(std::FILE* out, const Key& key)
{
    if (std::strcmp(key.legend, "F") != 0 && std::strcmp(key.legend, "J") != 0)
        return;
    const double centreX = (key.left + key.right) / 2.0;
    const double y = rowTop(key.row) + kKeyGap / 2.0 + kKeyHeight - 7;
    std::fprintf(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" stroke-width=\"2\" "
                      "stroke-linecap=\"round\"/>\n",
                 centreX - 5, y, centreX + 5, y, kLegendColour);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zunaka_keyboard_svg OUT.svg\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::fprintf(stderr, "zunaka_keyboard_svg: cannot write %s\n", argv[1]);
        return 1;
    }
    std::fprintf(out,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
                 "width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n",
                 kPictureWidth, kPictureHeight, kPictureWidth, kPictureHeight);
    for (const Key& key : kKeys) {
        const std::uint32_t colour = kFingerColours[static_cast<int>(key.finger)];
        writeShape(out, key, hex(colour), hex(shade(colour, kOutlineShade)));
        writeLegend(out, key);
        writeHomeBump(out, key);
    }
    std::fprintf(out, "</svg>\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
