#pragma once
// The small window under the side pane's trees that shows what a file is: a
// picture with its size, an HTML page's title, or only the file size.

#include <QFont>
#include <QPixmap>
#include <QRgb>
#include <QString>
#include <QWidget>
#include <string>
#include <string_view>

#include "sidepane/image_holder.h"

class ISettingsStore;

namespace vesk {

// How the window is set up, in the order its callers pass the values.
struct PreviewOptions {
    QRgb pictureBackground = qRgb(208, 208, 208);  // picture area of an image
    QRgb infoBackground = qRgb(238, 238, 238);     // information area of an image
    QRgb otherBackground = qRgb(238, 238, 238);    // an HTML page
    QRgb textColour = qRgb(0, 0, 0);
    int form = 1;          // 0 picture only, 1 strip below, 2 column at the right
    int stripHeight = 30;  // form 1
    int columnWidth = 63;  // form 2
    int fontHeight = 13;   // character height in pixels
    int lineGap = 0;       // extra space between text lines

    bool operator==(const PreviewOptions&) const = default;
};

// The values the side pane's two browsers use, with the form the user chose.
PreviewOptions SidePanePreviewOptions(int form);

class CFilePreviewWnd : public QWidget {
  public:
    enum Kind { kOther = -1, kImage = 0, kHtml = 1 };

    explicit CFilePreviewWnd(QWidget* parent = nullptr);

    void SetOptions(const PreviewOptions& options);
    const PreviewOptions& Options() const { return options_; }
    // Changes only the form and repaints.
    void SetForm(int form);

    // Loads what the file needs and repaints; false when the path names no
    // existing file or is longer than 256 characters.
    bool ShowFile(const QString& path);

    const QString& Path() const { return path_; }
    Kind FileKind() const { return kind_; }
    const QString& HeightText() const { return heightText_; }
    const QString& WidthText() const { return widthText_; }
    const QString& SizeText() const { return sizeText_; }
    const QString& TitleText() const { return titleText_; }
    // The picture shown; its size fills WIDTH and HEIGHT of image tags.
    const CImageHolder& Holder() const { return holder_; }
    const QFont& PreviewFont() const { return font_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void RebuildFont();
    void Render(QPainter& painter) const;
    // Draws one line in a cell of the character height whose top is at y.
    void DrawLine(QPainter& painter, int x, int y, const QString& text) const;

    PreviewOptions options_;
    QString path_;
    Kind kind_ = kOther;
    QString heightText_;
    QString widthText_;
    QString sizeText_;
    QString titleText_;
    CImageHolder holder_;
    QFont font_;
    int lineHeight_ = 13;
    int baseline_ = 11;  // from a line cell's top
    QPixmap buffer_;
};

// ---- Text logic -------------------------------------------------------------------

// The bytes between "<TITLE>" and the next "</TITLE>" (any case) when both lie
// in the first 500 bytes of head; empty otherwise.
std::string_view FindHtmlTitle(std::string_view head);

// The title of a page as UTF-8, decoded in the page's own encoding judged from
// the head of the file (as many leading bytes as the caller read).
std::string DecodeHtmlTitle(std::string_view head);

// "%.1f kbyte" of length x 0.001, with a point whatever the locale.
std::string KilobyteText(long long fileLength);

// ---- Splitter between a tree and its preview ----------------------------------------

enum class PreviewPage { FileBrowser, LinkBrowser };

// The preview's share of the page height, kept within the page's limits.
double ClampPreviewShare(PreviewPage page, double share);
// Whether a press at y (from the page top) grabs the splitter.
bool InSplitterBand(PreviewPage page, int pageHeight, double share, int y);
// The share for the cursor at y while dragging, or where it was released; clamped.
double PreviewShareWhileDragging(PreviewPage page, int pageHeight, int y, bool released);

// The stored share, section "VeskViewSettings": text, default "0.2"; unreadable
// text gives the default, and the value is clamped.
double ParsePreviewShare(PreviewPage page, std::string_view text);
std::string FormatPreviewShare(double share);  // "%.2f"
double ReadPreviewShare(ISettingsStore& store, PreviewPage page);
void WritePreviewShare(ISettingsStore& store, PreviewPage page, double share);
// The same on the application's store.
double ReadPreviewShare(PreviewPage page);
void WritePreviewShare(PreviewPage page, double share);

}  // namespace vesk
