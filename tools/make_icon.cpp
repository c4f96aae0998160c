// Writes the application icon (res/app.ico) to the path given as the only argument:
//
//     make_icon res/app.ico
//
// One 32 x 32 image, 16 colours, in the classic icon layout that every Windows version
// loads: BITMAPINFOHEADER (height doubled for the two masks), the 16-colour palette,
// the 4-bit colour (XOR) bitmap and the 1-bit transparency (AND) mask, rows bottom-up.
//
// The picture is a yellow disc with a black rim. Pixel (x, y), counted from the top left,
// belongs to the disc when its centre lies within 14 pixels of the image centre:
// (x - 15.5)^2 + (y - 15.5)^2 <= 14^2. That touches columns and rows 2 to 29, so the disc
// is 28 pixels across and centred. A disc pixel is rim when one of its four direct
// neighbours (left, right, above, below) is outside the disc; the rim is then a closed
// line one pixel thin. Outside the disc the mask is set and the colour is black, so
// Windows shows the background there.
//
// The output depends on nothing but this file: the same bytes on every run.

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int SIZE = 32;
constexpr int COLOURS = 16;
constexpr int BITS_PER_PIXEL = 4;
constexpr int DIRECTORY_SIZE = 6 + 16; // ICONDIR and its one ICONDIRENTRY
constexpr int INFO_HEADER_SIZE = 40;   // BITMAPINFOHEADER
constexpr int PALETTE_SIZE = COLOURS * 4;
constexpr int XOR_ROW_BYTES = SIZE * BITS_PER_PIXEL / 8; // already a multiple of 4
constexpr int AND_ROW_BYTES = 4;                         // 32 bits, padded to 4 bytes
constexpr int XOR_SIZE = XOR_ROW_BYTES * SIZE;
constexpr int AND_SIZE = AND_ROW_BYTES * SIZE;
constexpr int IMAGE_SIZE = INFO_HEADER_SIZE + PALETTE_SIZE + XOR_SIZE + AND_SIZE;

// The 16 colours of the Windows VGA palette, in its order, as red, green, blue.
constexpr std::array<std::array<uint8_t, 3>, COLOURS> PALETTE = {{
    {0, 0, 0},       // black
    {128, 0, 0},     // maroon
    {0, 128, 0},     // green
    {128, 128, 0},   // olive
    {0, 0, 128},     // navy
    {128, 0, 128},   // purple
    {0, 128, 128},   // teal
    {192, 192, 192}, // silver
    {128, 128, 128}, // gray
    {255, 0, 0},     // red
    {0, 255, 0},     // lime
    {255, 255, 0},   // yellow
    {0, 0, 255},     // blue
    {255, 0, 255},   // fuchsia
    {0, 255, 255},   // aqua
    {255, 255, 255}, // white
}};
constexpr uint8_t BLACK = 0;
constexpr uint8_t YELLOW = 11;

// Disc radius 14 around the centre (15.5, 15.5); doubled coordinates keep it in integers.
bool InsideDisc(int x, int y) {
    const int dx = 2 * x - (SIZE - 1);
    const int dy = 2 * y - (SIZE - 1);
    return dx * dx + dy * dy <= 28 * 28;
}

bool OnRim(int x, int y) {
    return InsideDisc(x, y) && (!InsideDisc(x - 1, y) || !InsideDisc(x + 1, y) ||
                                !InsideDisc(x, y - 1) || !InsideDisc(x, y + 1));
}

class Writer {
  public:
    void Byte(int value) { bytes.push_back(static_cast<uint8_t>(value)); }
    void Word(int value) {
        Byte(value & 0xFF);
        Byte((value >> 8) & 0xFF);
    }
    void Dword(int value) {
        Word(value & 0xFFFF);
        Word((value >> 16) & 0xFFFF);
    }
    const std::vector<uint8_t>& Bytes() const { return bytes; }

  private:
    std::vector<uint8_t> bytes;
};

void WriteDirectory(Writer& out) {
    out.Word(0); // reserved
    out.Word(1); // resource type: icon
    out.Word(1); // one image
    out.Byte(SIZE);
    out.Byte(SIZE);
    out.Byte(COLOURS);
    out.Byte(0); // reserved
    out.Word(1); // colour planes
    out.Word(BITS_PER_PIXEL);
    out.Dword(IMAGE_SIZE);
    out.Dword(DIRECTORY_SIZE);
}

void WriteInfoHeader(Writer& out) {
    out.Dword(INFO_HEADER_SIZE);
    out.Dword(SIZE);
    out.Dword(2 * SIZE); // the colour bitmap and the mask stacked
    out.Word(1);         // planes
    out.Word(BITS_PER_PIXEL);
    out.Dword(0); // uncompressed
    out.Dword(XOR_SIZE + AND_SIZE);
    out.Dword(0); // no physical resolution
    out.Dword(0);
    out.Dword(0); // every palette entry is present
    out.Dword(0); // all colours matter
}

void WritePalette(Writer& out) {
    for (const auto& rgb : PALETTE) {
        out.Byte(rgb[2]);
        out.Byte(rgb[1]);
        out.Byte(rgb[0]);
        out.Byte(0);
    }
}

// Bitmaps store the bottom row first.
void WriteColourBitmap(Writer& out) {
    for (int y = SIZE - 1; y >= 0; --y) {
        for (int x = 0; x < SIZE; x += 2) {
            const auto index = [y](int column) {
                return InsideDisc(column, y) && !OnRim(column, y) ? YELLOW : BLACK;
            };
            out.Byte((index(x) << 4) | index(x + 1)); // left pixel in the high nibble
        }
    }
}

void WriteMask(Writer& out) {
    for (int y = SIZE - 1; y >= 0; --y) {
        for (int x = 0; x < SIZE; x += 8) {
            int bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                bits = (bits << 1) | (InsideDisc(x + bit, y) ? 0 : 1);
            }
            out.Byte(bits);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    Writer out;
    WriteDirectory(out);
    WriteInfoHeader(out);
    WritePalette(out);
    WriteColourBitmap(out);
    WriteMask(out);

    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const std::vector<uint8_t>& bytes = out.Bytes();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
