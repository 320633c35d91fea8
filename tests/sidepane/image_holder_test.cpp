#include "sidepane/image_holder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace vesk {
namespace {

// ---- picture files made on the spot -------------------------------------------

struct PngPicture {
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    int interlace = PNG_INTERLACE_NONE;
    std::vector<png_color> palette = {};
    std::vector<png_byte> paletteAlpha = {};
    std::string rows = {};  // packed rows, top to bottom
};

void AppendPngBytes(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void FlushNothing(png_structp) {}

// Plain locals only: libpng errors long-jump back here.
bool EncodePng(const PngPicture* picture, std::string* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendPngBytes, FlushNothing);
    png_set_IHDR(png, info, picture->width, picture->height, picture->bitDepth, picture->colourType,
                 picture->interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!picture->palette.empty())
        png_set_PLTE(png, info, picture->palette.data(), int(picture->palette.size()));
    if (!picture->paletteAlpha.empty())
        png_set_tRNS(png, info, picture->paletteAlpha.data(), int(picture->paletteAlpha.size()), nullptr);
    png_write_info(png, info);
    const size_t rowBytes = picture->rows.size() / size_t(picture->height);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < picture->height; ++y)
            png_write_row(png, reinterpret_cast<png_const_bytep>(picture->rows.data()) + y * rowBytes);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::string Png(const PngPicture& picture) {
    std::string bytes;
    EXPECT_TRUE(EncodePng(&picture, &bytes));
    return bytes;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes.push_back(char(v));
    return bytes;
}

std::string Le16(int v) {
    return Bytes({v & 0xFF, (v >> 8) & 0xFF});
}
std::string Le32(int v) {
    return Le16(v & 0xFFFF) + Le16((v >> 16) & 0xFFFF);
}

std::string Saved(const QImage& image, const char* format, int quality = -1) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format, quality));
    return data.toStdString();
}

// A GIF with a four-colour table and a transparent colour. Qt cannot write GIF, so
// the LZW stream is built by hand: a clear code before every second pixel keeps the
// codes at three bits.
std::string Gif(int width, int height, const std::vector<int>& indexes, int transparent) {
    std::string gif = "GIF89a" + Le16(width) + Le16(height) + Bytes({0x81, 0, 0});
    gif += Bytes({0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    gif += Bytes({0x21, 0xF9, 4, 1, 0, 0, transparent, 0});
    gif += Bytes({0x2C}) + Le16(0) + Le16(0) + Le16(width) + Le16(height) + Bytes({0, 2});
    std::string lzw;
    unsigned bits = 0;
    int count = 0;
    auto put = [&](unsigned code) {
        bits |= code << count;
        count += 3;
        while (count >= 8) {
            lzw.push_back(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (size_t i = 0; i < indexes.size(); ++i) {
        if (i % 2 == 0)
            put(4);
        put(unsigned(indexes[i]));
    }
    put(5);
    if (count > 0)
        lzw.push_back(char(bits));
    for (size_t pos = 0; pos < lzw.size(); pos += 255) {
        const std::string block = lzw.substr(pos, 255);
        gif += char(block.size()) + block;
    }
    return gif + Bytes({0, 0x3B});
}

// A 4x2 RLE8 BMP: top row colours 1 0 1 0, bottom row all colour 0.
std::string RleBmp() {
    const std::string palette = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    const std::string pixels = Bytes({4, 0, 0, 0, 0, 4, 1, 0, 1, 0, 0, 0, 0, 1});
    const int offset = 14 + 40 + int(palette.size());
    std::string bmp = "BM" + Le32(offset + int(pixels.size())) + Le32(0) + Le32(offset);
    bmp += Le32(40) + Le32(4) + Le32(2) + Le16(1) + Le16(8) + Le32(1) + Le32(int(pixels.size()));
    bmp += Le32(2835) + Le32(2835) + Le32(2) + Le32(0);
    return bmp + palette + pixels;
}

QImage Filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QString Write(const QString& name, const std::string& bytes) {
    return test::WriteTestFile(test::MakeTempDir() + "/" + name, bytes);
}

CImageHolder Loaded(const QString& name, const std::string& bytes, QRgb background = 0xD0D0D0) {
    CImageHolder holder;
    holder.SetBackground(QColor(background));
    EXPECT_TRUE(holder.Load(Write(name, bytes))) << name.toStdString();
    return holder;
}

QRgb At(const CImageHolder& holder, int x, int y) {
    return holder.Image().pixel(x, y);
}

void ExpectNear(QRgb actual, int red, int green, int blue, int tolerance) {
    EXPECT_NEAR(qRed(actual), red, tolerance);
    EXPECT_NEAR(qGreen(actual), green, tolerance);
    EXPECT_NEAR(qBlue(actual), blue, tolerance);
}

// ---- PNG ------------------------------------------------------------------------

TEST(ImageHolderPng, OpaqueAndInterlacedRgbKeepTheirPixels) {
    for (int interlace : {PNG_INTERLACE_NONE, PNG_INTERLACE_ADAM7}) {
        PngPicture picture{.width = 9, .height = 9, .interlace = interlace};
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x) picture.rows += Bytes({x * 25, y * 25, (x * y) & 0xFF});
        const std::string bytes = Png(picture);
        CImageHolder holder = Loaded("rgb.png", bytes);
        EXPECT_EQ(holder.GetFormat(), CImageHolder::kPng);
        int width = 0, height = 0;
        std::int64_t length = 0;
        ASSERT_TRUE(holder.GetSize(&width, &height, &length));
        EXPECT_EQ(width, 9);
        EXPECT_EQ(height, 9);
        EXPECT_EQ(length, std::int64_t(bytes.size()));
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x)
                ASSERT_EQ(At(holder, x, y), qRgb(x * 25, y * 25, (x * y) & 0xFF)) << x << "," << y;
    }
}

TEST(ImageHolderPng, TransparencyIsLaidOnTheBackgroundLessFive) {
    PngPicture picture{.width = 4, .colourType = PNG_COLOR_TYPE_RGBA};
    picture.rows = Bytes({255, 0, 0, 0, 0, 0, 255, 0, 10, 20, 30, 255, 255, 255, 255, 128});
    CImageHolder holder = Loaded("alpha.png", Png(picture), qRgb(208, 208, 208));
    EXPECT_EQ(At(holder, 0, 0), qRgb(203, 203, 203));  // whatever colour the clear pixels carry
    EXPECT_EQ(At(holder, 1, 0), qRgb(203, 203, 203));
    EXPECT_EQ(At(holder, 2, 0), qRgb(10, 20, 30));
    ExpectNear(At(holder, 3, 0), 229, 229, 229, 1);  // 255 half over 203
    EXPECT_FALSE(holder.Image().hasAlphaChannel());

    // Each component less 5, modulo 256.
    CImageHolder wrapped = Loaded("alpha.png", Png(picture), qRgb(2, 100, 255));
    EXPECT_EQ(At(wrapped, 0, 0), qRgb(253, 95, 250));
}

TEST(ImageHolderPng, PaletteGreyAndDeepSamplesBecomeEightBitColour) {
    PngPicture palette{.width = 4, .bitDepth = 4, .colourType = PNG_COLOR_TYPE_PALETTE};
    palette.palette = {{0, 0, 0}, {12, 34, 56}, {200, 100, 0}};
    palette.paletteAlpha = {0, 255, 255};
    palette.rows = Bytes({0x01, 0x21});
    CImageHolder fromPalette = Loaded("palette.png", Png(palette));
    EXPECT_EQ(At(fromPalette, 0, 0), qRgb(203, 203, 203));
    EXPECT_EQ(At(fromPalette, 1, 0), qRgb(12, 34, 56));
    EXPECT_EQ(At(fromPalette, 2, 0), qRgb(200, 100, 0));

    PngPicture greyAlpha{.width = 2, .colourType = PNG_COLOR_TYPE_GRAY_ALPHA};
    greyAlpha.rows = Bytes({77, 255, 200, 0});
    CImageHolder fromGreyAlpha = Loaded("ga.png", Png(greyAlpha));
    EXPECT_EQ(At(fromGreyAlpha, 0, 0), qRgb(77, 77, 77));
    EXPECT_EQ(At(fromGreyAlpha, 1, 0), qRgb(203, 203, 203));

    PngPicture oneBit{.width = 8, .bitDepth = 1, .colourType = PNG_COLOR_TYPE_GRAY};
    oneBit.rows = Bytes({0xA0});
    CImageHolder fromOneBit = Loaded("bits.png", Png(oneBit));
    EXPECT_EQ(At(fromOneBit, 0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(At(fromOneBit, 1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(At(fromOneBit, 2, 0), qRgb(255, 255, 255));

    // Sixteen-bit samples keep their high byte (stripped, not rounded).
    PngPicture deep{.width = 2, .bitDepth = 16, .colourType = PNG_COLOR_TYPE_RGBA};
    deep.rows = Bytes({0xAB, 0x12, 0x34, 0xFF, 0x7F, 0x80, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0});
    CImageHolder fromDeep = Loaded("deep.png", Png(deep));
    EXPECT_EQ(At(fromDeep, 0, 0), qRgb(0xAB, 0x34, 0x7F));
    EXPECT_EQ(At(fromDeep, 1, 0), qRgb(203, 203, 203));
}

// Replaces the IHDR size of a PNG and fixes the chunk's CRC.
std::string WithHeaderSize(std::string png, int width, int height) {
    const std::string size =
        Bytes({(width >> 24) & 0xFF, (width >> 16) & 0xFF, (width >> 8) & 0xFF, width & 0xFF,
               (height >> 24) & 0xFF, (height >> 16) & 0xFF, (height >> 8) & 0xFF, height & 0xFF});
    png.replace(16, 8, size);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
    png.replace(29, 4,
                Bytes({int(crc >> 24) & 0xFF, int(crc >> 16) & 0xFF, int(crc >> 8) & 0xFF,
                       int(crc) & 0xFF}));
    return png;
}

TEST(ImageHolderPng, OversizedPicturesAreRefused) {
    PngPicture wide{.width = CImageHolder::kMaxSide};
    wide.rows.assign(size_t(wide.width) * 3, '\x40');
    CImageHolder holder;
    EXPECT_TRUE(holder.Load(Write("wide.png", Png(wide))));
    wide.width += 1;
    wide.rows += "abc";
    EXPECT_FALSE(holder.Load(Write("wider.png", Png(wide))));
    EXPECT_TRUE(holder.Image().isNull());

    const std::string small = Png(PngPicture{.rows = Bytes({1, 2, 3})});
    EXPECT_FALSE(holder.Load(Write("huge.png", WithHeaderSize(small, 100000, 100000))));
    EXPECT_FALSE(holder.Load(Write("huge.png", WithHeaderSize(small, 0x7FFFFFFF, 1))));
    EXPECT_FALSE(
        holder.Load(Write("bmp.bmp", Saved(Filled(CImageHolder::kMaxSide + 1, 1, 0), "BMP"))));
    EXPECT_TRUE(holder.Load(Write("bmp.bmp", Saved(Filled(CImageHolder::kMaxSide, 1, 0), "BMP"))));
}

// ---- JPEG, GIF, BMP ---------------------------------------------------------------

TEST(ImageHolderOther, JpegGifAndBmpAreReadWithTheirSizes) {
    CImageHolder jpeg = Loaded("a.jpg", Saved(Filled(16, 12, qRgb(200, 40, 90)), "JPEG", 100));
    EXPECT_EQ(jpeg.GetFormat(), CImageHolder::kJpeg);
    EXPECT_EQ(jpeg.Image().size(), QSize(16, 12));
    ExpectNear(At(jpeg, 8, 6), 200, 40, 90, 4);

    CImageHolder gif = Loaded("a.gif", Gif(4, 2, {0, 1, 2, 3, 3, 2, 1, 0}, 3));
    EXPECT_EQ(gif.GetFormat(), CImageHolder::kGif);
    ASSERT_EQ(gif.Image().size(), QSize(4, 2));
    EXPECT_EQ(At(gif, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(At(gif, 1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(At(gif, 2, 1), qRgb(255, 0, 0));
    EXPECT_EQ(At(gif, 1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(qAlpha(At(gif, 3, 0)), 0);  // the transparent colour stays transparent

    QImage picture(3, 2, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i) picture.setPixel(i % 3, i / 3, qRgb(i * 40, 255 - i * 40, 7));
    CImageHolder bmp = Loaded("a.bmp", Saved(picture, "BMP"));
    EXPECT_EQ(bmp.GetFormat(), CImageHolder::kBmp);
    EXPECT_EQ(bmp.Image(), picture.convertToFormat(bmp.Image().format()));

    CImageHolder rle = Loaded("rle.bmp", RleBmp());
    ASSERT_EQ(rle.Image().size(), QSize(4, 2));
    EXPECT_EQ(At(rle, 0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(At(rle, 1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(At(rle, 0, 1), qRgb(0, 0, 0));
}

// ---- damaged and unsuitable files -------------------------------------------------------

TEST(ImageHolderDamage, CutOffFilesStayUnloaded) {
    PngPicture rgba{.width = 5, .height = 4, .colourType = PNG_COLOR_TYPE_RGBA};
    rgba.rows.assign(5 * 4 * 4, '\x80');
    QImage photo(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) photo.setPixel(x, y, qRgb(x * 10, y * 15, (x * y) & 0xFF));
    struct Case {
        QString name;
        std::string bytes;
        size_t keep;  // trailing bytes a file may lose and stay complete
    };
    const std::vector<Case> cases = {
        {"cut.png", Png(rgba), 0},
        {"cut.jpg", Saved(photo, "JPEG", 90), 0},
        {"cut.gif", Gif(4, 2, {0, 1, 2, 3, 3, 2, 1, 0}, 3), 1},  // only the trailer
        {"cut.bmp", Saved(photo, "BMP"), 0},
        {"rle.bmp", RleBmp(), 0},
    };
    const QString dir = test::MakeTempDir();
    for (const Case& c : cases) {
        CImageHolder holder;
        ASSERT_TRUE(holder.Load(test::WriteTestFile(dir + "/" + c.name, c.bytes)));
        for (size_t length = 0; length + c.keep < c.bytes.size(); ++length) {
            // A new name each time: rewriting one file would flush it to disk on every close.
            const QString path = test::WriteTestFile(dir + "/" + QString::number(length) + c.name,
                                                     c.bytes.substr(0, length));
            EXPECT_FALSE(holder.Load(path)) << c.name.toStdString() << " cut to " << length;
            EXPECT_TRUE(holder.Image().isNull());
            EXPECT_FALSE(holder.GetSize(nullptr, nullptr, nullptr));
        }
    }
}

TEST(ImageHolderDamage, ContentMustBeAPictureTheLoaderReads) {
    CImageHolder holder;
    for (const char* name : {"text.png", "text.jpg", "text.gif", "text.bmp"})
        EXPECT_FALSE(holder.Load(Write(name, "<html>not a picture</html>\r\n"))) << name;
    // A PNG signature followed by garbage.
    EXPECT_FALSE(holder.Load(
        Write("junk.png", Bytes({0x89, 'P', 'N', 'G', 13, 10, 26, 10}) + std::string(200, 'x'))));
    // PNG bytes go through libpng only; the other readers sniff the content like the
    // system loader did.
    const std::string png = Png(PngPicture{.rows = Bytes({1, 2, 3})});
    EXPECT_FALSE(holder.Load(Write("png.jpg", png)));
    EXPECT_TRUE(holder.Load(Write("bmp.gif", Saved(Filled(2, 2, 0), "BMP"))));
    EXPECT_EQ(holder.GetFormat(), CImageHolder::kGif);

    // A failed load releases the previous picture.
    EXPECT_FALSE(holder.Load(Write("missing.png", png).append("-gone.png")));
    EXPECT_FALSE(holder.IsLoaded());
    EXPECT_TRUE(holder.Image().isNull());
    const QString folder = test::MakeTempDir() + "/folder.png";
    QDir().mkpath(folder);
    EXPECT_FALSE(holder.Load(folder));
}

TEST(ImageHolderDamage, ExtensionChoosesTheFormatInLowerCase) {
    EXPECT_EQ(CImageHolder::FormatOfPath("/p/PHOTO.JPG"), CImageHolder::kJpeg);
    EXPECT_EQ(CImageHolder::FormatOfPath("/p/a.Jpeg"), CImageHolder::kJpeg);
    EXPECT_EQ(CImageHolder::FormatOfPath("/p/a.b.GIF"), CImageHolder::kGif);
    EXPECT_EQ(CImageHolder::FormatOfPath("/p/a.pNg"), CImageHolder::kPng);
    EXPECT_EQ(CImageHolder::FormatOfPath("/p/a.BMP"), CImageHolder::kBmp);
    for (const char* path : {"/p/a.jpe", "/p/a.tif", "/p/a.", "/p/noext", "/p/dir.png/file",
                             "/p/a.png.txt", "/p/apng"}) {
        EXPECT_EQ(CImageHolder::FormatOfPath(path), CImageHolder::kNone) << path;
    }
    const std::string jpeg = Saved(Filled(4, 4, 0), "JPEG");
    CImageHolder holder;
    EXPECT_TRUE(holder.Load(Write("PHOTO.JPG", jpeg)));
    EXPECT_EQ(holder.GetFormat(), CImageHolder::kJpeg);
    EXPECT_FALSE(holder.Load(Write("photo.jpe", jpeg)));
    EXPECT_FALSE(holder.Load(Write("photo.tif", jpeg)));
}

// ---- sizes, fitting and drawing ------------------------------------------------------

TEST(ImageHolderSize, TextsGiveHeightWidthAndKilobytes) {
    std::string png = Png(PngPicture{.width = 3, .height = 2, .rows = std::string(18, '\x10')});
    CImageHolder holder;
    std::string height = "x", width = "x", kilobytes = "x";
    EXPECT_FALSE(holder.GetSizeTexts(&height, &width, &kilobytes));
    EXPECT_EQ(height + width + kilobytes, "");

    const std::vector<std::pair<size_t, std::string>> lengths = {
        {1999, "2.0"}, {2048, "2.0"}, {2151, "2.2"}, {120000, "120.0"}};
    for (const auto& [length, text] : lengths) {
        ASSERT_LT(png.size(), length);
        png.resize(length, '\0');  // bytes after the end chunk are never read
        ASSERT_TRUE(holder.Load(Write("size.png", png)));
        ASSERT_TRUE(holder.GetSizeTexts(&height, &width, &kilobytes));
        EXPECT_EQ(height, "2");
        EXPECT_EQ(width, "3");
        EXPECT_EQ(kilobytes, text) << length;
    }
}

TEST(ImageHolderSize, FitRectScalesDownOnlyAndCentres) {
    CImageHolder square = Loaded("sq.bmp", Saved(Filled(100, 100, 0), "BMP"));
    EXPECT_EQ(square.FitRect(QRect(10, 20, 50, 200)), QRect(10, 95, 50, 50));
    EXPECT_EQ(square.FitRect(QRect(0, 0, 300, 120)), QRect(100, 10, 100, 100));  // not enlarged
    EXPECT_EQ(square.FitRect(QRect(0, 0, 100, 100)), QRect(0, 0, 100, 100));

    CImageHolder wide = Loaded("wide.bmp", Saved(Filled(300, 100, 0), "BMP"));
    EXPECT_EQ(wide.FitRect(QRect(0, 0, 100, 100)), QRect(0, 33, 100, 33));
    EXPECT_EQ(wide.FitRect(QRect(0, 0, 299, 1000)), QRect(0, 450, 299, 99));
    CImageHolder tall = Loaded("tall.bmp", Saved(Filled(100, 300, 0), "BMP"));
    EXPECT_EQ(tall.FitRect(QRect(5, 5, 100, 100)), QRect(38, 5, 33, 100));

    EXPECT_TRUE(CImageHolder().FitRect(QRect(0, 0, 10, 10)).isNull());
}

TEST(ImageHolderSize, DrawStretchesIntoTheRectangle) {
    CImageHolder holder = Loaded("red.bmp", Saved(Filled(2, 2, qRgb(255, 0, 0)), "BMP"));
    QImage canvas = Filled(40, 40, qRgb(255, 255, 255));
    {
        QPainter painter(&canvas);
        holder.Draw(painter, QRect(10, 10, 20, 20));
        CImageHolder().Draw(painter, QRect(0, 0, 40, 40));  // unloaded: draws nothing
    }
    EXPECT_EQ(canvas.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(29, 29), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(9, 9), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(30, 30), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace vesk
