// The checker's reading of library files: names as the export table spells them, the
// machine and kind, and damaged files read without going past their end.
#include "pe_image.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void Put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

// Where the headers, the one section header and that section's raw data lie.
constexpr size_t PE = 0x40, OPTIONAL = PE + 24, SECTION = OPTIONAL + 224, RAW = 0x200;

// A minimal PE32 image: one section at RVA 0x1000 (file offset 0x200) holding the
// export directory, the name pointers and the names.
std::vector<uint8_t> Image(uint16_t machine, uint16_t characteristics,
                           const std::vector<std::string>& names) {
    std::vector<uint8_t> bytes(RAW + 0x200, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    Put32(bytes, 0x3C, PE);
    std::memcpy(&bytes[PE], "PE\0\0", 4);
    Put16(bytes, PE + 4, machine);
    Put16(bytes, PE + 6, 1);    // sections
    Put16(bytes, PE + 20, 224); // optional header size
    Put16(bytes, PE + 22, characteristics);
    Put16(bytes, OPTIONAL, 0x10B);
    Put32(bytes, OPTIONAL + 92, 16);     // data directories
    Put32(bytes, OPTIONAL + 96, 0x1000); // export directory
    Put32(bytes, SECTION + 8, 0x200);    // virtual size
    Put32(bytes, SECTION + 12, 0x1000);
    Put32(bytes, SECTION + 16, 0x200); // raw size
    Put32(bytes, SECTION + 20, RAW);
    Put32(bytes, RAW + 24, static_cast<uint32_t>(names.size()));
    Put32(bytes, RAW + 32, 0x1040);
    uint32_t text = 0x1080;
    for (size_t i = 0; i < names.size(); ++i) {
        Put32(bytes, RAW + 0x40 + 4 * i, text);
        std::memcpy(&bytes[RAW + text - 0x1000], names[i].c_str(), names[i].size() + 1);
        text += static_cast<uint32_t>(names[i].size() + 1);
    }
    return bytes;
}

const std::vector<std::string> EXPORTS = {"Hidread", "Hidwrite", "hidinit"};

TEST(PeImage, ReadsMachineKindAndExportNames) {
    const PeImage::Description dll = PeImage::Describe(Image(0x14C, 0x2102, EXPORTS));
    EXPECT_TRUE(dll.isImage);
    EXPECT_TRUE(dll.isLibrary);
    EXPECT_EQ(dll.machine, PeImage::MACHINE_I386);
    EXPECT_EQ(dll.exportNames, EXPORTS);

    const PeImage::Description exe = PeImage::Describe(Image(0x8664, 0x0102, {}));
    EXPECT_TRUE(exe.isImage);
    EXPECT_FALSE(exe.isLibrary);
    EXPECT_EQ(exe.machine, PeImage::MACHINE_AMD64);
}

// Every truncation and a name pointer past the end: fewer names or no image, never a
// read beyond the bytes (the sanitizer build would stop there).
TEST(PeImage, DamagedFilesAreReadWithinTheirBytes) {
    const std::vector<uint8_t> whole = Image(0x14C, 0x2102, EXPORTS);
    for (size_t size = 0; size < whole.size(); ++size) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(size));
        const PeImage::Description d = PeImage::Describe(cut);
        EXPECT_LE(d.exportNames.size(), EXPORTS.size()) << size;
        for (size_t i = 0; i < d.exportNames.size(); ++i) {
            EXPECT_EQ(d.exportNames[i], EXPORTS[i]) << size;
        }
    }
    std::vector<uint8_t> wild = whole;
    Put32(wild, 0x200 + 0x44, 0x7FFFFFF0);
    EXPECT_EQ(PeImage::Describe(wild).exportNames, std::vector<std::string>{"Hidread"});
    EXPECT_FALSE(PeImage::Describe(std::vector<uint8_t>{'M', 'Z'}).isImage);
}

// A section longer in memory than in the file: its tail is zeros once loaded, so an
// export directory there is empty, whatever bytes follow the section's data in the file.
TEST(PeImage, ExportDirectoryPastTheSectionsDataIsNotRead) {
    std::vector<uint8_t> image = Image(0x14C, 0x2102, EXPORTS);
    const std::vector<uint8_t> directory(image.begin() + RAW, image.begin() + RAW + 0x40);
    image.insert(image.end(), directory.begin(), directory.end());
    Put32(image, OPTIONAL + 96, 0x1200); // export directory, just past the raw data
    Put32(image, SECTION + 8, 0x1000);   // virtual size
    const PeImage::Description d = PeImage::Describe(image);
    EXPECT_TRUE(d.isLibrary);
    EXPECT_EQ(d.exportNames, std::vector<std::string>{});
}

struct NearCase {
    const char* wanted;
    std::vector<std::string> exports;
    std::vector<std::string> near;
    // Of each near name, whether the advice is that it is decorated rather than of another
    // letter case: one mark, an underscore or an @ suffix, is enough.
    std::vector<bool> decorated;
};

class NearNames : public ::testing::TestWithParam<NearCase> {};

TEST_P(NearNames, FindsDecoratedAndOtherCaseFormsOnly) {
    const std::vector<std::string> near = PeImage::NearNames(GetParam().exports, GetParam().wanted);
    EXPECT_EQ(near, GetParam().near);
    std::vector<bool> decorated;
    for (const std::string& name : near) {
        decorated.push_back(PeImage::Decorated(name));
    }
    EXPECT_EQ(decorated, GetParam().decorated);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, NearNames,
    ::testing::Values(
        NearCase{"hidinit", {"_hidinit@0", "hidinit@0"}, {"_hidinit@0", "hidinit@0"}, {true, true}},
        NearCase{"hidinit", {"_hidinit", "HIDINIT"}, {"_hidinit", "HIDINIT"}, {true, false}},
        NearCase{
            "Hidwrite", {"HidWrite", "HIDWRITE@12"}, {"HidWrite", "HIDWRITE@12"}, {false, true}},
        NearCase{"hidinit", {"hidinit", "hidinit2", "Hidwrite", "_hidinit@x"}, {}, {}},
        NearCase{"Hidread", {"__Hidread@8", "Hidread@", "@8"}, {}, {}}));

} // namespace
