#include "BrowseFiles.h"

#include "tests/support/Id3v2Writer.h"

namespace browse_test {

namespace {

void Put16(std::string& out, uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

std::string SolidBmp(int width, int height, uint32_t rgb)
{
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t pixels = stride * static_cast<uint32_t>(height);
    std::string out = "BM";
    Put32(out, 54 + pixels);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, pixels);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>(rgb & 0xFF);          // blue
            row += static_cast<char>((rgb >> 8) & 0xFF);   // green
            row += static_cast<char>((rgb >> 16) & 0xFF);  // red
        }
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}

std::string Mp3Bytes(const Mp3Tags& tags)
{
    tavrix_test::Id3v2Writer writer(3);
    if (!tags.title.empty())
        writer.Text("TIT2", tags.title);
    if (!tags.artist.empty())
        writer.Text("TPE1", tags.artist);
    if (!tags.album.empty())
        writer.Text("TALB", tags.album);
    if (!tags.year.empty())
        writer.Text("TYER", tags.year);
    if (!tags.pictureMime.empty())
        writer.Picture(tags.pictureMime, tags.picture);
    std::string bytes = writer.Bytes(32);
    // MPEG-1 layer III, 128 kbps, 44.1 kHz frames of silence (417 bytes).
    for (int frame = 0; frame < 8; ++frame) {
        std::string data(417, '\0');
        data[0] = static_cast<char>(0xFF);
        data[1] = static_cast<char>(0xFB);
        data[2] = static_cast<char>(0x90);
        data[3] = static_cast<char>(0x64);
        bytes += data;
    }
    return bytes;
}

} // namespace browse_test
