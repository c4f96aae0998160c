// Writes an application icon to the given path: KORVAN3's (res/app.ico), or with --lcdsim
// the simulator's (sim/simulator/lcdsim.ico):
//
//     make_icon res/app.ico
//     make_icon --lcdsim sim/simulator/lcdsim.ico
//
// One 32 x 32 image, 16 colours, in the classic icon layout that every Windows version
// loads: BITMAPINFOHEADER (height doubled for the two masks), the 16-colour palette,
// the 4-bit colour (XOR) bitmap and the 1-bit transparency (AND) mask, rows bottom-up.
// Pixels are counted from the top left.
//
// KORVAN3's picture is a yellow disc with a black rim. Pixel (x, y) belongs to the disc
// when its centre lies within 14 pixels of the image centre:
// (x - 15.5)^2 + (y - 15.5)^2 <= 14^2. That touches columns and rows 2 to 29, so the disc
// is 28 pixels across and centred. A disc pixel is rim when one of its four direct
// neighbours (left, right, above, below) is outside the disc; the rim is then a closed
// line one pixel thin.
//
// The simulator's picture is a small LCD module showing a line of text: a green board
// (all columns, rows 4 to 27), its black bezel (columns 2 to 29, rows 6 to 25), the lime
// glass (columns 4 to 27, rows 8 to 23) and on it two rows of black character blocks,
// each 2 pixels wide and 4 high, 2 apart: five from column 6 in rows 10 to 13, three from
// column 6 in rows 18 to 21. Every edge lies between an odd and an even column or row,
// so the picture is made of 2 x 2 cells of one colour, and the 16 x 16 small icon that
// Windows halves it to keeps every cell, whichever way it shrinks the image.
//
// Outside the picture the mask is set and the colour is black, so Windows shows the
// background there. The output depends on nothing but this file: the same bytes on every
// run.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
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
constexpr int BLACK = 0;
constexpr int GREEN = 2;
constexpr int LIME = 10;
constexpr int YELLOW = 11;
// What a design gives for a pixel outside its picture.
constexpr int TRANSPARENT = -1;

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

int Korvan3Pixel(int x, int y) {
    if (!InsideDisc(x, y)) {
        return TRANSPARENT;
    }
    return OnRim(x, y) ? BLACK : YELLOW;
}

// A rectangle of the simulator's picture, its first and last column and row.
struct Box {
    int left, top, right, bottom;
    int colour;
};

// Drawn in this order: each lies on the ones before it.
constexpr Box LCDSIM_PICTURE[] = {
    {0, 4, 31, 27, GREEN}, // the board
    {2, 6, 29, 25, BLACK}, // the bezel
    {4, 8, 27, 23, LIME},  // the glass
    {6, 10, 7, 13, BLACK},   {10, 10, 11, 13, BLACK}, {14, 10, 15, 13, BLACK},
    {18, 10, 19, 13, BLACK}, {22, 10, 23, 13, BLACK}, // the first row's five characters
    {6, 18, 7, 21, BLACK},   {10, 18, 11, 21, BLACK}, {14, 18, 15, 21, BLACK}, // the second's
};

int LcdsimPixel(int x, int y) {
    int colour = TRANSPARENT;
    for (const Box& box : LCDSIM_PICTURE) {
        if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom) {
            colour = box.colour;
        }
    }
    return colour;
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
void WriteColourBitmap(Writer& out, int (*design)(int x, int y)) {
    const auto index = [design](int x, int y) {
        const int colour = design(x, y);
        return colour == TRANSPARENT ? BLACK : colour;
    };
    for (int y = SIZE - 1; y >= 0; --y) {
        for (int x = 0; x < SIZE; x += 2) {
            out.Byte((index(x, y) << 4) | index(x + 1, y)); // left pixel in the high nibble
        }
    }
}

void WriteMask(Writer& out, int (*design)(int x, int y)) {
    for (int y = SIZE - 1; y >= 0; --y) {
        for (int x = 0; x < SIZE; x += 8) {
            int bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                bits = (bits << 1) | (design(x + bit, y) == TRANSPARENT ? 1 : 0);
            }
            out.Byte(bits);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool lcdsim = argc == 3 && std::strcmp(argv[1], "--lcdsim") == 0;
    if (argc != 2 && !lcdsim) {
        std::fprintf(stderr, "usage: make_icon [--lcdsim] OUTPUT.ico\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    const auto design = lcdsim ? LcdsimPixel : Korvan3Pixel;
    Writer out;
    WriteDirectory(out);
    WriteInfoHeader(out);
    WritePalette(out);
    WriteColourBitmap(out, design);
    WriteMask(out, design);

    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::perror(path);
        return 1;
    }
    const std::vector<uint8_t>& bytes = out.Bytes();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(path);
        return 1;
    }
    return 0;
}
