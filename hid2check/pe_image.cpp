// The PE reader: a file's headers and export names from its bytes, and the decoration rule.
#include "pe_image.h"

#include <cctype>

namespace PeImage {
namespace {

constexpr uint32_t PE_HEADER_POINTER = 0x3C;
constexpr uint32_t COFF_HEADER_SIZE = 20;
constexpr uint32_t SECTION_HEADER_SIZE = 40;
constexpr uint16_t IMAGE_FILE_DLL = 0x2000;
constexpr uint16_t OPTIONAL_MAGIC_PE32 = 0x10B;
constexpr uint16_t OPTIONAL_MAGIC_PE32_PLUS = 0x20B;
// Where the data directories start in the two optional header layouts.
constexpr uint32_t DIRECTORIES_PE32 = 96;
constexpr uint32_t DIRECTORIES_PE32_PLUS = 112;
// A name longer than this is not a name a program would import.
constexpr size_t MAX_NAME_LENGTH = 256;
constexpr uint32_t MAX_NAMES = 65536;

// Little-endian reads that fail, rather than read past the end.
struct Reader {
    const std::vector<uint8_t>& bytes;

    bool Fits(uint64_t offset, uint64_t size) const {
        return offset <= bytes.size() && size <= bytes.size() - offset;
    }
    bool U16(uint64_t offset, uint16_t& value) const {
        if (!Fits(offset, 2)) {
            return false;
        }
        const size_t at = static_cast<size_t>(offset);
        value = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
        return true;
    }
    bool U32(uint64_t offset, uint32_t& value) const {
        uint16_t low = 0;
        uint16_t high = 0;
        if (!U16(offset, low) || !U16(offset + 2, high)) {
            return false;
        }
        value = static_cast<uint32_t>(low) | static_cast<uint32_t>(high) << 16;
        return true;
    }
};

struct Section {
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t rawOffset;
    uint32_t rawSize;
};

// The file offset of a relative virtual address, if a section's raw data holds it.
bool FileOffset(const std::vector<Section>& sections, uint32_t rva, uint64_t& offset) {
    for (const Section& s : sections) {
        const uint64_t extent = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && rva - s.virtualAddress < extent &&
            rva - s.virtualAddress < s.rawSize) {
            offset = static_cast<uint64_t>(s.rawOffset) + (rva - s.virtualAddress);
            return true;
        }
    }
    return false;
}

bool ReadName(const Reader& reader, uint64_t offset, std::string& name) {
    name.clear();
    while (reader.Fits(offset, 1) && name.size() <= MAX_NAME_LENGTH) {
        const char c = static_cast<char>(reader.bytes[static_cast<size_t>(offset++)]);
        if (c == '\0') {
            return true;
        }
        name += c;
    }
    return false;
}

std::vector<std::string> ExportNames(const Reader& reader, const std::vector<Section>& sections,
                                     uint32_t exportRva) {
    std::vector<std::string> names;
    uint64_t directory = 0;
    uint32_t count = 0;
    uint32_t namesRva = 0;
    uint64_t table = 0;
    if (!FileOffset(sections, exportRva, directory) || !reader.U32(directory + 24, count) ||
        !reader.U32(directory + 32, namesRva) || !FileOffset(sections, namesRva, table)) {
        return names;
    }
    for (uint32_t i = 0; i < count && i < MAX_NAMES; ++i) {
        uint32_t nameRva = 0;
        uint64_t nameOffset = 0;
        std::string name;
        if (!reader.U32(table + 4ull * i, nameRva) || !FileOffset(sections, nameRva, nameOffset) ||
            !ReadName(reader, nameOffset, name)) {
            break;
        }
        names.push_back(name);
    }
    return names;
}

// The name without a leading underscore and a trailing @<argument bytes>.
std::string WithoutDecoration(const std::string& name) {
    const size_t begin = name.size() > 1 && name[0] == '_' ? 1 : 0;
    size_t end = name.size();
    const size_t at = name.rfind('@');
    if (at != std::string::npos && at > begin && at + 1 < name.size() &&
        name.find_first_not_of("0123456789", at + 1) == std::string::npos) {
        end = at;
    }
    return name.substr(begin, end - begin);
}

std::string Undecorated(const std::string& name) {
    std::string plain = WithoutDecoration(name);
    for (char& c : plain) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return plain;
}

} // namespace

Description Describe(const std::vector<uint8_t>& bytes) {
    Description description;
    const Reader reader{bytes};
    uint32_t pe = 0;
    if (bytes.size() < 2 || bytes[0] != 'M' || bytes[1] != 'Z' ||
        !reader.U32(PE_HEADER_POINTER, pe) || !reader.Fits(pe, 4 + COFF_HEADER_SIZE) ||
        bytes[pe] != 'P' || bytes[pe + 1] != 'E' || bytes[pe + 2] != 0 || bytes[pe + 3] != 0) {
        return description;
    }
    const uint64_t coff = pe + 4ull;
    uint16_t sectionCount = 0;
    uint16_t optionalSize = 0;
    uint16_t characteristics = 0;
    uint16_t magic = 0;
    reader.U16(coff, description.machine);
    reader.U16(coff + 2, sectionCount);
    reader.U16(coff + 16, optionalSize);
    reader.U16(coff + 18, characteristics);
    const uint64_t optional = coff + COFF_HEADER_SIZE;
    if (!reader.U16(optional, magic) ||
        (magic != OPTIONAL_MAGIC_PE32 && magic != OPTIONAL_MAGIC_PE32_PLUS)) {
        return description;
    }
    description.isImage = true;
    description.isLibrary = (characteristics & IMAGE_FILE_DLL) != 0;

    std::vector<Section> sections;
    const uint64_t sectionTable = optional + optionalSize;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        const uint64_t at = sectionTable + static_cast<uint64_t>(i) * SECTION_HEADER_SIZE;
        Section s{};
        if (!reader.U32(at + 8, s.virtualSize) || !reader.U32(at + 12, s.virtualAddress) ||
            !reader.U32(at + 16, s.rawSize) || !reader.U32(at + 20, s.rawOffset)) {
            break;
        }
        sections.push_back(s);
    }
    const uint64_t directories =
        optional + (magic == OPTIONAL_MAGIC_PE32 ? DIRECTORIES_PE32 : DIRECTORIES_PE32_PLUS);
    uint32_t exportRva = 0;
    if (reader.U32(directories, exportRva) && exportRva != 0 &&
        directories + 8 <= optional + optionalSize) {
        description.exportNames = ExportNames(reader, sections, exportRva);
    }
    return description;
}

std::vector<std::string> NearNames(const std::vector<std::string>& exports,
                                   const std::string& wanted) {
    std::vector<std::string> similar;
    const std::string plain = Undecorated(wanted);
    for (const std::string& name : exports) {
        if (name != wanted && Undecorated(name) == plain) {
            similar.push_back(name);
        }
    }
    return similar;
}

bool Decorated(const std::string& name) {
    return WithoutDecoration(name) != name;
}

} // namespace PeImage
