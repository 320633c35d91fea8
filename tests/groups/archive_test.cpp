// The archive encoding: exact bytes of counts and strings at every length
// boundary, the wide-string form, and reads that never pass the end.

#include "groups/archive.h"

#include <gtest/gtest.h>

#include <string>

using vesk::ArchiveReader;
using vesk::ArchiveWriter;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

struct LengthCase {
    std::size_t length;
    std::string header;
};

TEST(ArchiveTest, StringLengthFormsAtEveryBoundary) {
    const LengthCase cases[] = {
        {0, Bytes({0x00})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {300, Bytes({0xFF, 0x2C, 0x01})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        // 0xFFFE would read as the wide marker, so 65534 needs the 32-bit form.
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(c.length, 'x');
        if (!text.empty()) {
            text.front() = 'a';
            text.back() = 'z';
        }
        ArchiveWriter writer;
        writer.WriteString(text);
        ASSERT_EQ(writer.Bytes().size(), c.header.size() + c.length);
        EXPECT_EQ(writer.Bytes().substr(0, c.header.size()), c.header);
        EXPECT_EQ(writer.Bytes().substr(c.header.size()), text);

        ArchiveReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadString(), text);
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(ArchiveTest, CountFormsAndLittleEndianIntegers) {
    ArchiveWriter writer;
    writer.WriteCount(2);
    writer.WriteCount(65534);
    writer.WriteCount(65535);
    writer.WriteCount(0x12345678);
    writer.WriteUInt32(0xA1B2C3D4);
    writer.WriteUInt16(0xBEEF);
    EXPECT_EQ(writer.Bytes(), Bytes({0x02, 0x00,                          //
                                     0xFE, 0xFF,                          //
                                     0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00,  //
                                     0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12,  //
                                     0xD4, 0xC3, 0xB2, 0xA1,              //
                                     0xEF, 0xBE}));

    ArchiveReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadCount(), 2u);
    EXPECT_EQ(reader.ReadCount(), 65534u);
    EXPECT_EQ(reader.ReadCount(), 65535u);
    EXPECT_EQ(reader.ReadCount(), 0x12345678u);
    EXPECT_EQ(reader.ReadUInt32(), 0xA1B2C3D4u);
    EXPECT_EQ(reader.ReadUInt16(), 0xBEEF);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Failed());
}

TEST(ArchiveTest, ReadsWideStringsAsUtf8) {
    // "日本" in UTF-16LE, short length form after the marker.
    const std::string shortFormBytes = Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xE5, 0x65, 0x2C, 0x67, '!'});
    ArchiveReader shortForm(shortFormBytes);
    EXPECT_EQ(shortForm.ReadString(), "日本");
    EXPECT_EQ(shortForm.ReadByte(), '!');

    // A surrogate pair (U+1F600) and ASCII.
    const std::string pairBytes =
        Bytes({0xFF, 0xFE, 0xFF, 0x03, 0x3D, 0xD8, 0x00, 0xDE, 'a', 0x00});
    ArchiveReader pair(pairBytes);
    EXPECT_EQ(pair.ReadString(),
              "\xF0\x9F\x98\x80"
              "a");

    // 300 characters: the 16-bit length form after the marker.
    std::string wide = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});
    for (int i = 0; i < 300; ++i) {
        wide += Bytes({0x44, 0x30});  // "い"
    }
    ArchiveReader longForm(wide);
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        expected += "い";
    }
    EXPECT_EQ(longForm.ReadString(), expected);
    EXPECT_TRUE(longForm.AtEnd());

    // A lone surrogate does not fail the string.
    const std::string loneBytes = Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x00, 0xD8});
    ArchiveReader lone(loneBytes);
    EXPECT_EQ(lone.ReadString(), "\xEF\xBF\xBD");
}

TEST(ArchiveTest, ReadsStopAtTheEndAndStayFailed) {
    const std::string readerBytes = Bytes({0x01, 0x02, 0x03});
    ArchiveReader reader(readerBytes);
    EXPECT_EQ(reader.ReadUInt32(), std::nullopt);
    EXPECT_TRUE(reader.Failed());
    // The three bytes are still there, but a failed reader reads nothing more.
    EXPECT_EQ(reader.ReadByte(), std::nullopt);
    EXPECT_EQ(reader.ReadUInt16(), std::nullopt);
}

TEST(ArchiveTest, StringsLongerThanTheRestFail) {
    const std::string damaged[] = {
        Bytes({0x05, 'a', 'b'}),
        Bytes({0xFF, 0x2C}),
        Bytes({0xFF, 0x2C, 0x01, 'a'}),
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}),
        Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42}),  // half a wide character short
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}),
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00}),  // marker twice
    };
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        ArchiveReader reader(bytes);
        EXPECT_EQ(reader.ReadString(), std::nullopt);
        EXPECT_TRUE(reader.Failed());
    }
}

}  // namespace
