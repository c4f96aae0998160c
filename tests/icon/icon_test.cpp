// Decodes the committed icons, KORVAN3's and LCDSIM's, with a reader of its own and checks
// each picture pixel by pixel, then checks that the generator still produces exactly the
// committed bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Rgb = std::array<int, 3>;

constexpr int SIZE = 32;

Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int Word(const Bytes& bytes, size_t at) {
    return bytes.at(at) | (bytes.at(at + 1) << 8);
}

// Every 32-bit field of an icon this size stays far below 2^31.
int Dword(const Bytes& bytes, size_t at) {
    return Word(bytes, at) | (Word(bytes, at + 2) << 16);
}

template <typename T> using Grid = std::array<std::array<T, SIZE>, SIZE>; // [y][x], y from the top

template <typename T> T& Cell(Grid<T>& grid, int x, int y) {
    return grid.at(static_cast<size_t>(y)).at(static_cast<size_t>(x));
}

template <typename T> const T& Cell(const Grid<T>& grid, int x, int y) {
    return grid.at(static_cast<size_t>(y)).at(static_cast<size_t>(x));
}

enum class Pixel { TRANSPARENT, BLACK, YELLOW, GREEN, LIME, OTHER };

const char* Name(Pixel pixel) {
    switch (pixel) {
    case Pixel::TRANSPARENT:
        return "transparent";
    case Pixel::BLACK:
        return "black";
    case Pixel::YELLOW:
        return "yellow";
    case Pixel::GREEN:
        return "green";
    case Pixel::LIME:
        return "lime";
    case Pixel::OTHER:
        break;
    }
    return "other";
}

// The picture as designed: a disc of radius 14 around the image centre (15.5, 15.5),
// whose pixels with a direct (4-)neighbour outside the disc form the black outline.
bool Inside(int x, int y) {
    const double dx = x - 15.5;
    const double dy = y - 15.5;
    return dx * dx + dy * dy <= 14.0 * 14.0;
}

Pixel DiscPixel(int x, int y) {
    if (!Inside(x, y)) {
        return Pixel::TRANSPARENT;
    }
    const bool edge =
        !Inside(x - 1, y) || !Inside(x + 1, y) || !Inside(x, y - 1) || !Inside(x, y + 1);
    return edge ? Pixel::BLACK : Pixel::YELLOW;
}

// LCDSIM's picture as designed: a small LCD module, green board, black bezel, lime glass
// and two rows of black character blocks (g green, # black, + lime, . transparent).
const std::array<const char*, SIZE> LCDSIM_PICTURE = {
    "................................", "................................",
    "................................", "................................",
    "gggggggggggggggggggggggggggggggg", "gggggggggggggggggggggggggggggggg",
    "gg############################gg", "gg############################gg",
    "gg##++++++++++++++++++++++++##gg", "gg##++++++++++++++++++++++++##gg",
    "gg##++##++##++##++##++##++++##gg", "gg##++##++##++##++##++##++++##gg",
    "gg##++##++##++##++##++##++++##gg", "gg##++##++##++##++##++##++++##gg",
    "gg##++++++++++++++++++++++++##gg", "gg##++++++++++++++++++++++++##gg",
    "gg##++++++++++++++++++++++++##gg", "gg##++++++++++++++++++++++++##gg",
    "gg##++##++##++##++++++++++++##gg", "gg##++##++##++##++++++++++++##gg",
    "gg##++##++##++##++++++++++++##gg", "gg##++##++##++##++++++++++++##gg",
    "gg##++++++++++++++++++++++++##gg", "gg##++++++++++++++++++++++++##gg",
    "gg############################gg", "gg############################gg",
    "gggggggggggggggggggggggggggggggg", "gggggggggggggggggggggggggggggggg",
    "................................", "................................",
    "................................", "................................",
};

Pixel LcdsimPixel(int x, int y) {
    switch (LCDSIM_PICTURE.at(static_cast<size_t>(y))[x]) {
    case '.':
        return Pixel::TRANSPARENT;
    case 'g':
        return Pixel::GREEN;
    case '#':
        return Pixel::BLACK;
    case '+':
        return Pixel::LIME;
    }
    return Pixel::OTHER;
}

// The one image of an .ico file, as Windows reads it.
struct DecodedIcon {
    int reserved = -1, type = -1, count = -1;
    int entryWidth = -1, entryHeight = -1, entryColours = -1, entryPlanes = -1, entryBits = -1;
    int imageSize = -1, imageOffset = -1;
    int headerSize = -1, width = -1, height = -1, planes = -1, bits = -1, compression = -1;
    int coloursUsed = -1;
    std::array<Rgb, 16> palette{};
    Grid<int> index{};
    Grid<int> mask{};
    Grid<Pixel> pixel{};
};

// Assumes the 4-bit layout; the header checks say whether the file has it.
DecodedIcon Decode(const Bytes& file) {
    DecodedIcon icon;
    icon.reserved = Word(file, 0);
    icon.type = Word(file, 2);
    icon.count = Word(file, 4);
    icon.entryWidth = file.at(6);
    icon.entryHeight = file.at(7);
    icon.entryColours = file.at(8);
    icon.entryPlanes = Word(file, 10);
    icon.entryBits = Word(file, 12);
    icon.imageSize = Dword(file, 14);
    icon.imageOffset = Dword(file, 18);

    const auto image = static_cast<size_t>(icon.imageOffset);
    icon.headerSize = Dword(file, image);
    icon.width = Dword(file, image + 4);
    icon.height = Dword(file, image + 8);
    icon.planes = Word(file, image + 12);
    icon.bits = Word(file, image + 14);
    icon.compression = Dword(file, image + 16);
    icon.coloursUsed = Dword(file, image + 32);

    const size_t paletteAt = image + static_cast<size_t>(icon.headerSize);
    for (size_t i = 0; i < icon.palette.size(); ++i) {
        const size_t quad = paletteAt + 4 * i; // blue, green, red, unused
        icon.palette[i] = {file.at(quad + 2), file.at(quad + 1), file.at(quad)};
    }
    const size_t colourAt = paletteAt + 4 * icon.palette.size();
    const size_t colourRow = SIZE / 2;
    const size_t maskAt = colourAt + colourRow * SIZE;
    const size_t maskRow = 4;
    for (int y = 0; y < SIZE; ++y) {
        const auto row = static_cast<size_t>(SIZE - 1 - y); // bottom-up
        for (int x = 0; x < SIZE; ++x) {
            const auto column = static_cast<size_t>(x);
            const int pair = file.at(colourAt + row * colourRow + column / 2);
            const int colour = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            const int bits = file.at(maskAt + row * maskRow + column / 8);
            const int transparent = (bits >> (7 - x % 8)) & 1;
            Cell(icon.index, x, y) = colour;
            Cell(icon.mask, x, y) = transparent;

            const Rgb& rgb = icon.palette[static_cast<size_t>(colour)];
            Pixel& pixel = Cell(icon.pixel, x, y);
            pixel = Pixel::OTHER;
            if (transparent == 1 && colour == 0) {
                pixel = Pixel::TRANSPARENT;
            } else if (transparent == 0 && rgb == Rgb{0, 0, 0}) {
                pixel = Pixel::BLACK;
            } else if (transparent == 0 && rgb == Rgb{255, 255, 0}) {
                pixel = Pixel::YELLOW;
            } else if (transparent == 0 && rgb == Rgb{0, 128, 0}) {
                pixel = Pixel::GREEN;
            } else if (transparent == 0 && rgb == Rgb{0, 255, 0}) {
                pixel = Pixel::LIME;
            }
        }
    }
    return icon;
}

class CommittedIcon : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        file = ReadFile(COMMITTED_ICON);
        icon = Decode(file);
    }

    static bool InDisc(int x, int y) {
        return x >= 0 && x < SIZE && y >= 0 && y < SIZE &&
               Cell(icon.pixel, x, y) != Pixel::TRANSPARENT;
    }

    static Bytes file;
    static DecodedIcon icon;
};

Bytes CommittedIcon::file;
DecodedIcon CommittedIcon::icon;

// Each committed icon: its file, the generator's option that makes it, its picture and the
// palette entries it may use.
struct IconRow {
    const char* name;
    const char* committed;
    const char* option;
    Pixel (*designed)(int x, int y);
    std::vector<int> colours;
};

const IconRow ICONS[] = {
    {"Korvan3", COMMITTED_ICON, "", DiscPixel, {0, 11}},
    {"Lcdsim", LCDSIM_ICON, "--lcdsim ", LcdsimPixel, {0, 2, 10}},
};

class EachIcon : public ::testing::TestWithParam<IconRow> {
  protected:
    void SetUp() override {
        file = ReadFile(GetParam().committed);
        icon = Decode(file);
    }

    Bytes file;
    DecodedIcon icon;
};

INSTANTIATE_TEST_SUITE_P(Committed, EachIcon, ::testing::ValuesIn(ICONS),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(EachIcon, DirectoryHoldsOne32x32ImageIn16Colours) {
    EXPECT_EQ(icon.reserved, 0);
    EXPECT_EQ(icon.type, 1);
    EXPECT_EQ(icon.count, 1);
    EXPECT_EQ(icon.entryWidth, 32);
    EXPECT_EQ(icon.entryHeight, 32);
    EXPECT_EQ(icon.entryColours, 16);
    EXPECT_EQ(icon.entryPlanes, 1);
    EXPECT_EQ(icon.entryBits, 4);
    // The image starts right after the one directory entry and is the rest of the file.
    EXPECT_EQ(icon.imageOffset, 6 + 16);
    EXPECT_EQ(static_cast<size_t>(icon.imageOffset + icon.imageSize), file.size());
}

TEST_P(EachIcon, ImageIsAClassicFourBitBitmapWithMask) {
    EXPECT_EQ(icon.headerSize, 40);
    EXPECT_EQ(icon.width, 32);
    EXPECT_EQ(icon.height, 64); // colour bitmap and mask
    EXPECT_EQ(icon.planes, 1);
    EXPECT_EQ(icon.bits, 4);
    EXPECT_EQ(icon.compression, 0);
    EXPECT_TRUE(icon.coloursUsed == 0 || icon.coloursUsed == 16) << icon.coloursUsed;
    // Header, 16 palette entries, 16 bytes per colour row, 4 bytes per mask row.
    EXPECT_EQ(icon.imageSize, 40 + 16 * 4 + 32 * 16 + 32 * 4);
}

TEST_P(EachIcon, PaletteIsTheWindowsSixteenColourPalette) {
    const std::array<Rgb, 16> vga = {{{0, 0, 0},
                                      {128, 0, 0},
                                      {0, 128, 0},
                                      {128, 128, 0},
                                      {0, 0, 128},
                                      {128, 0, 128},
                                      {0, 128, 128},
                                      {192, 192, 192},
                                      {128, 128, 128},
                                      {255, 0, 0},
                                      {0, 255, 0},
                                      {255, 255, 0},
                                      {0, 0, 255},
                                      {255, 0, 255},
                                      {0, 255, 255},
                                      {255, 255, 255}}};
    EXPECT_EQ(icon.palette, vga);
}

TEST_P(EachIcon, UsesOnlyItsOwnPaletteEntries) {
    const std::vector<int>& allowed = GetParam().colours;
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const int colour = Cell(icon.index, x, y);
            EXPECT_NE(std::find(allowed.begin(), allowed.end(), colour), allowed.end())
                << "x " << x << " y " << y << ": " << colour;
            // A transparent pixel must be black in the colour bitmap, or the XOR step
            // would tint the background behind it.
            if (Cell(icon.mask, x, y) == 1) {
                EXPECT_EQ(colour, 0) << "x " << x << " y " << y;
            }
        }
    }
}

TEST_P(EachIcon, EveryPixelHasItsDesignedClass) {
    int mismatches = 0;
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const Pixel actual = Cell(icon.pixel, x, y);
            const Pixel designed = GetParam().designed(x, y);
            if (actual != designed) {
                ++mismatches;
                ADD_FAILURE() << "x " << x << " y " << y << ": " << Name(actual) << ", expected "
                              << Name(designed);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// First and last disc column of each row of the upper half, worked out by hand from
// (x - 15.5)^2 + (y - 15.5)^2 <= 196; the lower half mirrors it.
TEST_F(CommittedIcon, RowsSpanTheColumnsOfARadius14Disc) {
    const std::array<std::array<int, 2>, 16> spans = {{{-1, -1},
                                                       {-1, -1},
                                                       {12, 19},
                                                       {10, 21},
                                                       {8, 23},
                                                       {7, 24},
                                                       {6, 25},
                                                       {5, 26},
                                                       {4, 27},
                                                       {4, 27},
                                                       {3, 28},
                                                       {3, 28},
                                                       {2, 29},
                                                       {2, 29},
                                                       {2, 29},
                                                       {2, 29}}};
    for (int y = 0; y < SIZE; ++y) {
        const auto& span = spans[static_cast<size_t>(y < 16 ? y : SIZE - 1 - y)];
        for (int x = 0; x < SIZE; ++x) {
            EXPECT_EQ(InDisc(x, y), x >= span[0] && x <= span[1]) << "x " << x << " y " << y;
        }
    }
}

TEST_F(CommittedIcon, DiscIs28AcrossAndCentred) {
    for (int middle : {15, 16}) {
        int acrossRow = 0;
        int acrossColumn = 0;
        for (int i = 0; i < SIZE; ++i) {
            acrossRow += InDisc(i, middle) ? 1 : 0;
            acrossColumn += InDisc(middle, i) ? 1 : 0;
        }
        EXPECT_EQ(acrossRow, 28) << "row " << middle;
        EXPECT_EQ(acrossColumn, 28) << "column " << middle;
        EXPECT_TRUE(InDisc(2, middle) && InDisc(29, middle) && !InDisc(1, middle) &&
                    !InDisc(30, middle));
        EXPECT_TRUE(InDisc(middle, 2) && InDisc(middle, 29) && !InDisc(middle, 1) &&
                    !InDisc(middle, 30));
    }
    // Mirrored left-right, top-bottom and across the diagonal, the picture is unchanged.
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const Pixel here = Cell(icon.pixel, x, y);
            EXPECT_EQ(here, Cell(icon.pixel, SIZE - 1 - x, y)) << x << "," << y;
            EXPECT_EQ(here, Cell(icon.pixel, x, SIZE - 1 - y)) << x << "," << y;
            EXPECT_EQ(here, Cell(icon.pixel, y, x)) << x << "," << y;
        }
    }
}

// The outline is the disc's edge and nothing more: every black pixel touches the outside
// directly, no yellow pixel does, and so the yellow never meets the background.
TEST_F(CommittedIcon, OutlineIsTheOnePixelEdgeOfTheDisc) {
    int outline = 0;
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const Pixel here = Cell(icon.pixel, x, y);
            const bool touchesOutside =
                !InDisc(x - 1, y) || !InDisc(x + 1, y) || !InDisc(x, y - 1) || !InDisc(x, y + 1);
            if (here == Pixel::BLACK) {
                ++outline;
                EXPECT_TRUE(touchesOutside) << "x " << x << " y " << y;
            } else if (here == Pixel::YELLOW) {
                EXPECT_FALSE(touchesOutside) << "x " << x << " y " << y;
            }
        }
    }
    EXPECT_GT(outline, 0);
}

TEST_P(EachIcon, GeneratorMakesTheCommittedBytes) {
    const std::string output = ::testing::TempDir() + "make_icon_test.ico";
    std::remove(output.c_str());
    const std::string command =
        std::string("\"") + MAKE_ICON + "\" " + GetParam().option + "\"" + output + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const Bytes regenerated = ReadFile(output);
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(regenerated, file) << GetParam().committed << " is stale: run make_icon "
                                 << GetParam().option << GetParam().committed;
    std::remove(output.c_str());
}

TEST(MakeIcon, FailsWithoutAWritableOutput) {
    const std::string tool = std::string("\"") + MAKE_ICON + "\"";
    EXPECT_NE(std::system((tool + " 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " /nonexistent-dir/app.ico 2>/dev/null").c_str()), 0);
}

} // namespace
