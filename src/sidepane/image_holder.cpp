#include "sidepane/image_holder.h"

#include <png.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <charconv>
#include <cstring>

namespace vesk {

namespace {

// Whole-file reads of the formats decoded by Qt stop here.
constexpr qint64 kMaxFileBytes = 512LL * 1024 * 1024;
// Enough for kMaxSide x kMaxSide at 32 bits a pixel.
constexpr int kAllocationLimitMb = 1600;

std::uint32_t Le16(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}
std::uint32_t Le32(const unsigned char* p) {
    return Le16(p) | Le16(p + 2) << 16;
}

// ---- PNG through libpng ---------------------------------------------------

[[noreturn]] void PngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void PngWarning(png_structp, png_const_charp) {}

void PngReadData(png_structp png, png_bytep data, size_t length) {
    auto* file = static_cast<QFile*>(png_get_io_ptr(png));
    if (file->read(reinterpret_cast<char*>(data), static_cast<qint64>(length)) !=
        static_cast<qint64>(length)) {
        png_error(png, "truncated file");
    }
}

// Kept apart from the decoder so that no object with a destructor lives in the
// frame that calls setjmp.
bool AllocatePicture(QImage* image, int width, int height, unsigned char** bits,
                     std::size_t* stride) {
    *image = QImage(width, height, QImage::Format_ARGB32);
    if (image->isNull())
        return false;
    *bits = image->bits();
    *stride = static_cast<std::size_t>(image->bytesPerLine());
    return true;
}

// Decodes into *image as ARGB32 with straight alpha. Only plain data lives here:
// a libpng error long-jumps back into this frame.
bool DecodePng(QFile* file, QImage* image, bool* hasAlpha) {
    png_byte signature[8];
    if (file->read(reinterpret_cast<char*>(signature), 8) != 8 ||
        png_sig_cmp(signature, 0, 8) != 0) {
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, file, PngReadData);
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, CImageHolder::kMaxSide, CImageHolder::kMaxSide);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    if (width == 0 || height == 0 || width > png_uint_32(CImageHolder::kMaxSide) ||
        height > png_uint_32(CImageHolder::kMaxSide)) {
        png_error(png, "picture too large");
    }

    const bool alpha =
        (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (bitDepth < 8)
        png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0)
        png_set_tRNS_to_alpha(png);
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0)
        png_set_gray_to_rgb(png);
        // Rows must land in QImage's 32-bit 0xAARRGGBB words.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
#else
    if (alpha)
        png_set_swap_alpha(png);
    else
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
#endif
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_channels(png, info) != 4 || png_get_bit_depth(png, info) != 8 ||
        png_get_rowbytes(png, info) != size_t(width) * 4) {
        png_error(png, "unexpected row layout");
    }

    unsigned char* bits = nullptr;
    std::size_t stride = 0;
    if (!AllocatePicture(image, int(width), int(height), &bits, &stride))
        png_error(png, "out of memory");
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, bits + std::size_t(y) * stride, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    *hasAlpha = alpha;
    return true;
}

// Lays the picture over the background less 5 in each component; the result is opaque.
void CompositeOnBackground(QImage* image, QRgb background) {
    const int red = (qRed(background) - 5) & 0xFF;
    const int green = (qGreen(background) - 5) & 0xFF;
    const int blue = (qBlue(background) - 5) & 0xFF;
    const auto blend = [](int source, int under, int alpha) {
        return (source * alpha + under * (255 - alpha) + 127) / 255;
    };
    for (int y = 0; y < image->height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image->scanLine(y));
        for (int x = 0; x < image->width(); ++x) {
            const QRgb pixel = row[x];
            const int alpha = qAlpha(pixel);
            if (alpha == 255)
                continue;
            row[x] = qRgb(blend(qRed(pixel), red, alpha), blend(qGreen(pixel), green, alpha),
                          blend(qBlue(pixel), blue, alpha));
        }
    }
}

bool ReadPng(QFile* file, QRgb background, QImage* out) {
    QImage picture;
    bool hasAlpha = false;
    if (!DecodePng(file, &picture, &hasAlpha))
        return false;
    if (hasAlpha)
        CompositeOnBackground(&picture, background);
    picture.reinterpretAsFormat(QImage::Format_RGB32);
    *out = std::move(picture);
    return true;
}

// ---- JPEG, GIF and BMP through Qt's readers --------------------------------

// The decoder for the bytes, by their own signature (not the extension, as the
// system loader did): nullptr for anything else.
const char* QtFormatOf(const unsigned char* data, std::size_t size) {
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return JpegIsComplete(data, size) ? "jpeg" : nullptr;
    if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        return GifIsComplete(data, size) ? "gif" : nullptr;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        return BmpIsComplete(data, size) ? "bmp" : nullptr;
    return nullptr;
}

bool ReadWithQt(QFile* file, qint64 length, QImage* out) {
    if (length <= 0 || length > kMaxFileBytes)
        return false;
    QByteArray bytes = file->read(length);
    if (bytes.size() != length)
        return false;
    const char* format = QtFormatOf(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size()));
    if (format == nullptr)
        return false;

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(false);
    reader.setAllocationLimit(kAllocationLimitMb);
    const QSize declared = reader.size();
    if (declared.isValid() &&
        (declared.width() > CImageHolder::kMaxSide || declared.height() > CImageHolder::kMaxSide)) {
        return false;
    }
    QImage picture;
    if (!reader.read(&picture) || picture.isNull() || picture.width() > CImageHolder::kMaxSide ||
        picture.height() > CImageHolder::kMaxSide) {
        return false;
    }
    *out = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
    return !out->isNull();
}

std::string FormatInt(long long value) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace

// ---- structure checks ---------------------------------------------------------

bool JpegIsComplete(const unsigned char* data, std::size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    std::size_t pos = 2;
    bool sawScan = false;
    for (;;) {
        // Stray bytes before a marker are tolerated, as decoders do.
        while (pos < size && data[pos] != 0xFF) ++pos;
        while (pos < size && data[pos] == 0xFF) ++pos;
        if (pos >= size)
            return false;
        const unsigned char marker = data[pos++];
        if (marker == 0xD9)
            return sawScan;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        if (size - pos < 2)
            return false;
        const std::size_t length = std::size_t(data[pos]) << 8 | data[pos + 1];
        if (length < 2 || size - pos < length)
            return false;
        pos += length;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data runs to the next marker other than a stuffed zero or a restart.
        sawScan = true;
        for (;;) {
            if (size - pos < 2)
                return false;
            if (data[pos] == 0xFF) {
                const unsigned char next = data[pos + 1];
                if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7))
                    break;
                pos += next == 0xFF ? 1 : 2;
            } else {
                ++pos;
            }
        }
    }
}

bool GifIsComplete(const unsigned char* data, std::size_t size) {
    if (size < 13 || std::memcmp(data, "GIF8", 4) != 0)
        return false;
    std::size_t pos = 13;
    if (data[10] & 0x80)
        pos += 3 * (std::size_t(1) << ((data[10] & 7) + 1));
    // Skips a chain of data sub-blocks; false when it runs off the end.
    const auto skipSubBlocks = [&]() {
        for (;;) {
            if (pos >= size)
                return false;
            const std::size_t length = data[pos++];
            if (length == 0)
                return true;
            pos += length;
        }
    };
    for (;;) {
        if (pos >= size)
            return false;
        const unsigned char introducer = data[pos++];
        if (introducer == 0x21) {  // extension: label, then sub-blocks
            ++pos;
            if (!skipSubBlocks())
                return false;
        } else if (introducer == 0x2C) {  // the first image: all of its data must be there
            if (size - pos < 9)
                return false;
            const unsigned char flags = data[pos + 8];
            pos += 9;
            if (flags & 0x80)
                pos += 3 * (std::size_t(1) << ((flags & 7) + 1));
            ++pos;  // LZW minimum code size
            return skipSubBlocks();
        } else {
            return false;  // trailer before any image, or garbage
        }
    }
}

bool BmpIsComplete(const unsigned char* data, std::size_t size) {
    if (size < 26 || data[0] != 'B' || data[1] != 'M')
        return false;
    const std::uint64_t pixelOffset = Le32(data + 10);
    const std::uint32_t headerSize = Le32(data + 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) {
        width = Le16(data + 18);
        height = Le16(data + 20);
        bitCount = Le16(data + 24);
    } else if (headerSize >= 40 && size >= 14 + 40) {
        width = std::int32_t(Le32(data + 18));
        height = std::int32_t(Le32(data + 22));
        bitCount = Le16(data + 28);
        compression = Le32(data + 30);
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || pixelOffset < 14 + std::uint64_t(headerSize) ||
        pixelOffset >= size) {
        return false;
    }
    if (height < 0)
        height = -height;
    switch (compression) {
        case 0:    // uncompressed
        case 3:    // bit fields
        case 6: {  // bit fields with alpha
            if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 &&
                bitCount != 24 && bitCount != 32) {
                return false;
            }
            const std::uint64_t stride = (std::uint64_t(width) * bitCount + 31) / 32 * 4;
            return stride * std::uint64_t(height) <= size - pixelOffset;
        }
        case 1:    // RLE8
        case 2: {  // RLE4: the stream must reach its end-of-bitmap code
            std::size_t pos = std::size_t(pixelOffset);
            while (size - pos >= 2) {
                const unsigned char count = data[pos];
                const unsigned char code = data[pos + 1];
                pos += 2;
                if (count != 0 || code == 0)
                    continue;
                if (code == 1)
                    return true;
                if (code == 2) {
                    if (size - pos < 2)
                        return false;
                    pos += 2;
                    continue;
                }
                std::size_t literal = compression == 1 ? code : (code + 1u) / 2;
                literal = (literal + 1) & ~std::size_t(1);
                if (size - pos < literal)
                    return false;
                pos += literal;
            }
            return false;
        }
        default:
            return false;
    }
}

// ---- CImageHolder ---------------------------------------------------------------

CImageHolder::CImageHolder() {
    // The workspace colour of the desktop; the callers set their own before loading.
    background_ = qGuiApp != nullptr ? QGuiApplication::palette().color(QPalette::Dark).rgb()
                                     : QColor(Qt::gray).rgb();
}

CImageHolder::Format CImageHolder::FormatOfPath(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return kNone;
    const QString extension = path.mid(dot + 1).toLower();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return kJpeg;
    if (extension == QLatin1String("gif"))
        return kGif;
    if (extension == QLatin1String("png"))
        return kPng;
    if (extension == QLatin1String("bmp"))
        return kBmp;
    return kNone;
}

void CImageHolder::Unload() {
    image_ = QImage();
    format_ = kNone;
    fileLength_ = 0;
    loaded_ = false;
}

bool CImageHolder::Load(const QString& path) {
    Unload();
    const Format format = FormatOfPath(path);
    // Only regular files: opening a pipe with an image name would block.
    if (format == kNone || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 length = file.size();
    QImage picture;
    const bool read = format == kPng ? ReadPng(&file, background_, &picture)
                                     : ReadWithQt(&file, length, &picture);
    if (!read)
        return false;
    image_ = std::move(picture);
    format_ = format;
    fileLength_ = length;
    loaded_ = true;
    return true;
}

bool CImageHolder::GetSize(int* width, int* height, std::int64_t* fileLength) const {
    if (!loaded_)
        return false;
    if (width != nullptr)
        *width = image_.width();
    if (height != nullptr)
        *height = image_.height();
    if (fileLength != nullptr)
        *fileLength = fileLength_;
    return true;
}

bool CImageHolder::GetSizeTexts(std::string* heightText, std::string* widthText,
                                std::string* kilobytesText) const {
    if (!loaded_) {
        heightText->clear();
        widthText->clear();
        kilobytesText->clear();
        return false;
    }
    *heightText = FormatInt(image_.height());
    *widthText = FormatInt(image_.width());
    // to_chars rather than "%.1f": the C locale's decimal point whatever the user's locale.
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, double(fileLength_) * 0.001,
                                std::chars_format::fixed, 1);
    *kilobytesText = std::string(text, result.ptr);
    return true;
}

void CImageHolder::Draw(QPainter& painter, const QRect& rect) const {
    if (!loaded_ || format_ == kNone)
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect, image_);
    painter.restore();
}

QRect CImageHolder::FitRect(const QRect& area) const {
    if (!loaded_)
        return QRect();
    const std::int64_t areaWidth = std::max(area.width(), 0);
    const std::int64_t areaHeight = std::max(area.height(), 0);
    std::int64_t w = image_.width();
    std::int64_t h = image_.height();
    if (w > areaWidth || h > areaHeight) {
        // Scale by min(W / w, H / h): the limiting side fills the area exactly and
        // the other is truncated, in integers so that no rounding creeps in.
        if (areaWidth * h <= areaHeight * w) {
            h = h * areaWidth / w;
            w = areaWidth;
        } else {
            w = w * areaHeight / h;
            h = areaHeight;
        }
    }
    return QRect(area.left() + int((areaWidth - w) / 2), area.top() + int((areaHeight - h) / 2),
                 int(w), int(h));
}

}  // namespace vesk
