// Damaged input for every reader of stored or pasted bytes: the list files, the map clipboard
// block, PNG pictures and pages in any encoding. Every truncation and a few thousand random
// mutations of valid input must be refused or read whole: no crash, no read past the end (run under
// AddressSanitizer, the buffers are exactly as long as the input), and what is accepted reads back
// the same.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "groups/file_group.h"
#include "mapedit/map_clipboard.h"
#include "platform/encoding.h"
#include "platform/own_code_lines.h"
#include "sidepane/image_holder.h"
#include "support/encoding_corpus.h"
#include "support/test_env.h"
#include "tools/fav_date_marks.h"

namespace vesk {
namespace {

// Input on the heap with nothing behind its last byte.
class ExactBytes {
  public:
    explicit ExactBytes(const std::string& bytes)
        : size_(bytes.size()), data_(new char[bytes.size() ? bytes.size() : 1]) {
        std::copy(bytes.begin(), bytes.end(), data_.get());
    }
    std::string_view View() const { return {data_.get(), size_}; }

  private:
    std::size_t size_;
    std::unique_ptr<char[]> data_;
};

// Every truncation, then random flips, overwrites with extreme values (lengths and counts),
// insertions and deletions.
std::vector<std::string> Mutations(const std::string& valid, int random, unsigned seed) {
    std::vector<std::string> out;
    for (std::size_t n = 0; n < valid.size(); ++n) out.push_back(valid.substr(0, n));
    std::mt19937 rng(seed);
    const char extremes[] = {'\0', '\x01', '\x7F', '\x80', '\xFE', '\xFF'};
    for (int i = 0; i < random; ++i) {
        std::string bytes = valid;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = rng() % bytes.size();
            switch (rng() % 4) {
                case 0:
                    bytes[at] = static_cast<char>(bytes[at] ^ (1u << (rng() % 8)));
                    break;
                case 1:
                    for (std::size_t k = at; k < std::min(bytes.size(), at + 4); ++k)
                        bytes[k] = extremes[rng() % sizeof extremes];
                    break;
                case 2:
                    bytes.insert(at, 1 + rng() % 8, static_cast<char>(rng()));
                    break;
                default:
                    bytes.erase(at, 1 + rng() % 8);
                    break;
            }
        }
        out.push_back(std::move(bytes));
    }
    return out;
}

TEST(ByteParsersFuzz, ListFilesAreReadWholeOrRefusedEmpty) {
    CFileGroup groups;
    groups.AddFiles(groups.AddGroup("サイト"), {"/home/u/web/index.html", std::string(300, 'p')});
    groups.AddGroup("");
    CFavDateMarks marks;
    marks.AddCode(0x00010203);
    marks.AddFormat("YYYY年MM月DD日");
    marks.AddFormat(std::string(260, 'f'));

    for (const std::string& bytes : Mutations(groups.Serialize(), 3000, 1)) {
        const ExactBytes input(bytes);
        CFileGroup list;
        if (!list.Deserialize(input.View())) {
            EXPECT_EQ(list.Count(), 0);
            continue;
        }
        CFileGroup again;
        ASSERT_TRUE(again.Deserialize(list.Serialize()));
        EXPECT_EQ(again.Serialize(), list.Serialize());
    }
    for (const std::string& bytes : Mutations(marks.Serialize(), 3000, 2)) {
        const ExactBytes input(bytes);
        CFavDateMarks list;
        if (!list.Deserialize(input.View())) {
            EXPECT_TRUE(list.Codes().empty() && list.Formats().empty());
            continue;
        }
        CFavDateMarks again;
        ASSERT_TRUE(again.Deserialize(list.Serialize()));
        EXPECT_EQ(again.Serialize(), list.Serialize());
    }
}

// Whatever a damaged page is read as, writing its text back (with the file's own codes
// restored line by line) gives bytes that read as the same text.
TEST(ByteParsersFuzz, DamagedPagesWriteBackTheTextTheyReadAs) {
    unsigned seed = 11;
    for (const corpus::Page& page : corpus::Pages()) {
        if (page.encoding != TextEncoding::ShiftJis && page.encoding != TextEncoding::EucJp)
            continue;
        for (const std::string& bytes : Mutations(page.bytes.substr(0, 300), 300, seed++)) {
            const ExactBytes input(bytes);
            const DecodedText decoded = DecodeFileBytes(input.View());
            const EncodeResult again = EncodeText(decoded.utf8, decoded.encoding, decoded.bom);
            ASSERT_TRUE(again.ok) << EncodingName(decoded.encoding);
            const std::string written =
                OwnCodeLines::Collect(input.View(), decoded.utf8, again.bytes)
                    .Restore(decoded.utf8, again.bytes);
            ASSERT_EQ(DecodeAs(written, decoded.encoding), decoded.utf8);
            if (!decoded.otherCodesOnEncoding)
                ASSERT_EQ(written, bytes);
        }
    }
}

TEST(ByteParsersFuzz, MapBlocksAreReadWholeOrRefused) {
    MapShape shape;
    shape.kind = kShapePoly;
    shape.points = {{10, 20}, {300, 40}, {150, 400}, {5, 5}};
    shape.href = "sub/ページ.html";
    shape.localFile = 1;
    shape.alt = "説明";
    shape.target = "_blank";
    for (const std::string& bytes : Mutations(EncodeMapShape(shape), 5000, 3)) {
        const ExactBytes input(bytes);
        const std::optional<MapShape> decoded = DecodeMapShape(input.View());
        if (!decoded)
            continue;
        const std::optional<MapShape> again = DecodeMapShape(EncodeMapShape(*decoded));
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(*again, *decoded);
    }
}

std::string PngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

TEST(ByteParsersFuzz, DamagedPngsAreRefusedOrDecodedAtTheirSize) {
    QImage colour(23, 17, QImage::Format_ARGB32);
    colour.fill(Qt::transparent);
    QPainter(&colour).fillRect(3, 3, 10, 8, QColor(200, 30, 40, 128));
    QImage palette = colour.convertToFormat(QImage::Format_Indexed8);
    const QString path = test::MakeTempDir() + "/picture.png";
    unsigned seed = 4;
    for (const QImage& image : {colour, palette}) {
        const std::vector<std::string> inputs = Mutations(PngOf(image), 400, seed++);
        for (const std::string& bytes : inputs) {
            test::WriteTestFile(path, bytes);
            CImageHolder holder;
            if (!holder.Load(path))
                continue;
            int width = 0, height = 0;
            std::int64_t length = 0;
            ASSERT_TRUE(holder.GetSize(&width, &height, &length));
            EXPECT_GT(width, 0);
            EXPECT_GT(height, 0);
            EXPECT_EQ(holder.Image().width(), width);
            EXPECT_EQ(length, static_cast<std::int64_t>(bytes.size()));
        }
    }
}

}  // namespace
}  // namespace vesk
