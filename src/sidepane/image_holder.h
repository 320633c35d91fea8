#pragma once
// The picture loader of the preview window and the map editor: reads one JPEG,
// GIF, PNG or BMP file, reports its pixel and file size, and draws it.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

class QPainter;

namespace vesk {

class CImageHolder {
  public:
    // The file kinds, chosen by extension.
    enum Format { kNone = 0, kJpeg = 1, kGif = 2, kPng = 3, kBmp = 4 };

    // Pictures wider or taller than this are refused before anything is allocated.
    static constexpr int kMaxSide = 20000;

    CImageHolder();

    // The format for a path: the text after its last "." compared in lower case;
    // kNone for anything but jpg, jpeg, gif, png and bmp.
    static Format FormatOfPath(const QString& path);

    // Releases the previous picture, then loads the file. A missing, unreadable,
    // corrupt or truncated file leaves the holder unloaded and returns false.
    bool Load(const QString& path);
    void Unload();

    bool IsLoaded() const { return loaded_; }
    Format GetFormat() const { return format_; }

    // Width and height in pixels and the file length in bytes; false (outputs
    // untouched) when nothing is loaded. Any pointer may be null.
    bool GetSize(int* width, int* height, std::int64_t* fileLength) const;

    // "%d" of the height and width, "%.1f" of the file length x 0.001. When nothing
    // is loaded the three texts are emptied and the result is false.
    bool GetSizeTexts(std::string* heightText, std::string* widthText,
                      std::string* kilobytesText) const;

    // Draws the picture stretched into rect, smoothly; nothing when unloaded.
    void Draw(QPainter& painter, const QRect& rect) const;

    // Where the picture goes in an area: at its own size and centred when it fits,
    // else scaled down keeping its aspect ratio and centred. A null rectangle when
    // nothing is loaded.
    QRect FitRect(const QRect& area) const;

    // The colour a PNG's transparent parts are laid on (less 5 in each of red,
    // green and blue); applies to the next load.
    void SetBackground(const QColor& colour) { background_ = colour.rgb(); }
    QColor Background() const { return QColor(background_); }

    // The decoded picture (null when unloaded). A PNG is opaque after loading.
    const QImage& Image() const { return image_; }

  private:
    Format format_ = kNone;
    QImage image_;
    std::int64_t fileLength_ = 0;
    bool loaded_ = false;
    QRgb background_;
};

// Structure checks used before handing a file to the platform decoders, which
// accept a cut-off file and return a partly filled picture. Each is true when
// the bytes hold a complete first picture of that kind.
bool JpegIsComplete(const unsigned char* data, std::size_t size);
bool GifIsComplete(const unsigned char* data, std::size_t size);
bool BmpIsComplete(const unsigned char* data, std::size_t size);

}  // namespace vesk
