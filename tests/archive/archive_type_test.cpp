// Telling the archive format from the file name and from the leading bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "archive/archive_file.h"
#include "archive/archive_type.h"
#include "archive_test_support.h"

using archive_test::fixture;
using archives::ArchiveType;
using archives::probeArchiveType;
using archives::typeFromFileName;

TEST(ArchiveTypeFromName, ExtensionsCompareWithoutCase) {
    struct Case {
        const char* name;
        ArchiveType type;
    };
    const Case cases[] = {
        {"a.lzh", ArchiveType::Lzh},          {"A.LZH", ArchiveType::Lzh},
        {"dir.zip/a.Zip", ArchiveType::Zip},  {"a.cab", ArchiveType::Cab},
        {"a.arj", ArchiveType::Arj},          {"a.tar", ArchiveType::Tar},
        {"a.tar.gz", ArchiveType::Tgz},       {"a.tgz", ArchiveType::Tgz},
        {"a.taz", ArchiveType::Tgz},          {"a.Z", ArchiveType::Tgz},
        {"a.tar.bz2", ArchiveType::Bz2},      {"a.rar", ArchiveType::Rar},
        {"setup.exe", ArchiveType::Probe},    {"plot.hgl", ArchiveType::Probe},
        {"no_extension", ArchiveType::Probe}, {"dir.lzh/plain", ArchiveType::Probe},
        {"C:\\x.lzh\\y", ArchiveType::Probe},
    };
    for (const Case& c : cases)
        EXPECT_EQ(typeFromFileName(c.name), c.type) << c.name;
}

namespace {

std::string le16(unsigned v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string le32(uint32_t v) {
    return le16(v & 0xFFFF) + le16(v >> 16);
}

// An LZH level-0 header for a stored member named `name`, checksum included.
std::string lzhLevel0Header(const std::string& name) {
    std::string body = "-lh0-" + le32(3) + le32(3) + le32(0) + std::string(1, '\x20') +
                       std::string(1, '\0') + static_cast<char>(name.size()) + name + le16(0);
    unsigned char sum = 0;
    for (char c : body)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(c));
    return std::string(1, static_cast<char>(body.size())) + static_cast<char>(sum) + body;
}

// An ARJ main header of `size` bytes with its CRC-32.
std::string arjHeader(std::size_t size) {
    std::string header(size, '\x1e');
    uint32_t crc = 0xFFFFFFFFu;
    for (char c : header) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return std::string("\x60\xEA") + le16(static_cast<unsigned>(size)) + header + le32(~crc);
}

std::string cabHeader() {
    std::string h = std::string("MSCF", 4) + std::string(4, '\0') + le32(100) +
                    std::string(4, '\0') + le32(44) + std::string(4, '\0');
    return h + '\x03' + '\x01' + std::string(10, '\0');
}

std::string program(const std::string& payload) {
    return "MZ" + std::string(700, '\x90') + payload;
}

} // namespace

TEST(ArchiveTypeProbe, SignaturesAtTheStart) {
    using namespace std::string_literals;
    EXPECT_EQ(probeArchiveType("\x1f\x8b\x08\x00rest"s), ArchiveType::Tgz);
    EXPECT_EQ(probeArchiveType("\x1f\x9d\x90rest"s), ArchiveType::Tgz);
    EXPECT_EQ(probeArchiveType("BZh91AY&SY"s), ArchiveType::Bz2);
    EXPECT_EQ(probeArchiveType("Rar!\x1a\x07\x00rest"s), ArchiveType::Rar);
    EXPECT_EQ(probeArchiveType("Rar!\x1a\x07\x01\x00rest"s), ArchiveType::Rar);
    EXPECT_EQ(probeArchiveType(arjHeader(30)), ArchiveType::Arj);
    EXPECT_EQ(probeArchiveType(cabHeader()), ArchiveType::Cab);
    EXPECT_EQ(probeArchiveType("PK\x03\x04\x14\x00rest"s), ArchiveType::Zip);
    EXPECT_EQ(probeArchiveType("PK\x05\x06"s + std::string(18, '\0')), ArchiveType::Zip);
    EXPECT_EQ(probeArchiveType(lzhLevel0Header("a.hgl") + "abc"), ArchiveType::Lzh);
}

TEST(ArchiveTypeProbe, LookAlikesAreNotTaken) {
    using namespace std::string_literals;
    std::string badSum = lzhLevel0Header("a.hgl");
    badSum[1] = static_cast<char>(badSum[1] + 1);
    EXPECT_EQ(probeArchiveType(badSum), ArchiveType::Probe);
    std::string badCrc = arjHeader(30);
    badCrc[10] = 'x';
    EXPECT_EQ(probeArchiveType(badCrc), ArchiveType::Probe);
    EXPECT_EQ(probeArchiveType("BZh0"s), ArchiveType::Probe);
    EXPECT_EQ(probeArchiveType("IN;SP1;PA0,0;"s), ArchiveType::Probe);
    EXPECT_EQ(probeArchiveType(""s), ArchiveType::Probe);
    // Outside a program, a signature further in is data, not an archive.
    EXPECT_EQ(probeArchiveType("xx" + lzhLevel0Header("a.hgl")), ArchiveType::Probe);
    EXPECT_EQ(probeArchiveType("plot PK\x03\x04\x14\x00"s), ArchiveType::Probe);
}

TEST(ArchiveTypeProbe, ProgramsAreSearchedAndLzhWinsOverAll) {
    using namespace std::string_literals;
    EXPECT_EQ(probeArchiveType(program("PK\x03\x04\x14\x00"s)), ArchiveType::Zip);
    EXPECT_EQ(probeArchiveType(program(cabHeader())), ArchiveType::Cab);
    EXPECT_EQ(probeArchiveType(program("PK\x03\x04\x14\x00"s + cabHeader() + arjHeader(40))),
              ArchiveType::Zip);
    EXPECT_EQ(probeArchiveType(
                  program("Rar!\x1a\x07\x00"s + "PK\x03\x04\x14\x00"s + lzhLevel0Header("a.hgl"))),
              ArchiveType::Lzh);
    EXPECT_EQ(probeArchiveType(program("just code")), ArchiveType::Probe);
}

TEST(ArchiveTypeProbe, TarBlocksByMagicOrChecksum) {
    std::string block(512, '\0');
    block.replace(0, 5, "a.hgl");
    block.replace(257, 5, "ustar");
    EXPECT_EQ(probeArchiveType(block), ArchiveType::Tar);

    // An old tar header without magic: only its checksum tells it.
    std::string old(512, '\0');
    old.replace(0, 5, "a.hgl");
    unsigned sum = 8 * ' ';
    for (std::size_t i = 0; i < 512; ++i)
        sum += static_cast<unsigned char>(old[i]);
    char field[8];
    std::snprintf(field, sizeof field, "%06o", sum);
    old.replace(148, 6, field);
    old[154] = '\0';
    old[155] = ' ';
    EXPECT_EQ(probeArchiveType(old), ArchiveType::Tar);
    old[0] = 'b';
    EXPECT_EQ(probeArchiveType(old), ArchiveType::Probe);
}

TEST(ArchiveTypeProbe, FixtureFilesSettleTheirType) {
    EXPECT_EQ(archives::probeArchiveFile(fixture("sfx_lzh.exe")), ArchiveType::Lzh);
    EXPECT_EQ(archives::probeArchiveFile(fixture("two_drawings.lzh")), ArchiveType::Lzh);
    EXPECT_EQ(archives::probeArchiveFile(fixture("one_drawing.zip")), ArchiveType::Zip);
    EXPECT_EQ(archives::probeArchiveFile(fixture("two_drawings.tar.gz")), ArchiveType::Tgz);
    EXPECT_EQ(archives::probeArchiveFile(fixture("one_drawing.tar.bz2")), ArchiveType::Bz2);
    EXPECT_EQ(archives::probeArchiveFile(fixture("links.tar")), ArchiveType::Tar);
    EXPECT_EQ(archives::probeArchiveFile(fixture("README.md")), ArchiveType::Probe);
    EXPECT_EQ(archives::probeArchiveFile(fixture("missing.bin")), ArchiveType::Probe);

    // A self-extracting ".exe" is typed LZH once the archive object first uses it.
    archives::ArchiveFile file(fixture("sfx_lzh.exe"));
    EXPECT_EQ(file.type(), ArchiveType::Probe);
    file.archiver();
    EXPECT_EQ(file.type(), ArchiveType::Lzh);
}
