#include "sidepane/file_preview_wnd.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <algorithm>
#include <charconv>

#include "platform/encoding.h"
#include "platform/settings_store.h"

namespace vesk {

namespace {

// Longer paths are not shown at all.
constexpr qsizetype kMaxPathChars = 256;
// The title is looked for only at the very start of a page.
constexpr std::size_t kTitleWindow = 500;
// Bytes read from a page: the title window plus enough text to judge the encoding.
constexpr qint64 kHeadBytes = 4096;

const QRgb kImageHolderBackground = qRgb(208, 208, 208);
const QRgb kPlaceholderText = qRgb(119, 119, 119);

const QString kPlaceholder = QStringLiteral("Preview");
const QString kHeightLabel = QStringLiteral("高さ ");
const QString kWidthLabel = QStringLiteral("幅 ");
const QString kFaceName = QStringLiteral("ＭＳ Ｐゴシック");
// Where the face above is missing, a Japanese face keeps the texts in one style.
const QString kFallbackFace = QStringLiteral("Noto Sans CJK JP");

const QString kShareSection = QStringLiteral("VeskViewSettings");
constexpr double kDefaultShare = 0.2;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::size_t FindNoCase(std::string_view text, std::string_view word, std::size_t from) {
    if (word.size() > text.size())
        return std::string_view::npos;
    for (std::size_t i = from; i + word.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < word.size() && LowerAscii(text[i + k]) == word[k]) ++k;
        if (k == word.size())
            return i;
    }
    return std::string_view::npos;
}

// The extension of the file name (not of a dotted folder above it), lower-cased.
QString ExtensionOf(const QFileInfo& info) {
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

bool IsPictureExtension(const QString& extension) {
    return extension == QLatin1String("jpg") || extension == QLatin1String("jpeg") ||
           extension == QLatin1String("gif") || extension == QLatin1String("bmp") ||
           extension == QLatin1String("png");
}

QString ShareEntry(PreviewPage page) {
    return page == PreviewPage::FileBrowser ? QStringLiteral("FileView-preview-szretio")
                                            : QStringLiteral("LinkView-preview-szretio");
}

}  // namespace

PreviewOptions SidePanePreviewOptions(int form) {
    PreviewOptions options;
    options.form = form;
    return options;
}

// ---- CFilePreviewWnd ------------------------------------------------------------

CFilePreviewWnd::CFilePreviewWnd(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted from the off-screen picture: no erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    RebuildFont();
}

void CFilePreviewWnd::SetOptions(const PreviewOptions& options) {
    options_ = options;
    RebuildFont();
    update();
}

void CFilePreviewWnd::SetForm(int form) {
    options_.form = form;
    update();
}

void CFilePreviewWnd::RebuildFont() {
    lineHeight_ = options_.fontHeight > 0 ? options_.fontHeight : 13;
    font_ = QFont();
    font_.setFamilies({kFaceName, kFallbackFace});
    font_.setPixelSize(lineHeight_);
    font_.setWeight(QFont::Normal);
    font_.setStyleStrategy(QFont::PreferQuality);
    // Lines are laid out in cells of the character height. The substituted faces
    // carry far more leading than the face the layout was made for, and their
    // full line height would push two lines out of a 30-pixel strip; so a line's
    // baseline is set to centre an ideograph in its cell.
    const QFontMetrics metrics(font_);
    const QRect ink = metrics.tightBoundingRect(QStringLiteral("高"));
    if (ink.isValid() && ink.height() <= 2 * lineHeight_) {
        baseline_ = (lineHeight_ - ink.height()) / 2 - ink.top();
    } else {
        baseline_ =
            lineHeight_ * metrics.ascent() / std::max(1, metrics.ascent() + metrics.descent());
    }
}

bool CFilePreviewWnd::ShowFile(const QString& path) {
    path_ = path;
    heightText_.clear();
    widthText_.clear();
    sizeText_.clear();
    titleText_.clear();
    kind_ = kOther;
    // A picture of an earlier file must not be reported as this file's size.
    holder_.Unload();

    const QFileInfo info(path);
    bool exists = false;
    if (!path.isEmpty() && path.size() <= kMaxPathChars && info.isFile()) {
        exists = true;
        const QString extension = ExtensionOf(info);
        if (IsPictureExtension(extension)) {
            holder_.SetBackground(QColor(kImageHolderBackground));
            int width = 0;
            int height = 0;
            std::int64_t length = 0;
            if (holder_.Load(path) && holder_.GetSize(&width, &height, &length)) {
                heightText_ = kHeightLabel + QString::number(height);
                widthText_ = kWidthLabel + QString::number(width);
                sizeText_ = QString::fromStdString(KilobyteText(length));
                kind_ = kImage;
            }
        } else if (extension.contains(QLatin1String("htm"))) {
            QFile file(path);
            std::string head;
            const bool opened = file.open(QIODevice::ReadOnly);
            if (opened)
                head = file.read(kHeadBytes).toStdString();
            titleText_ = QStringLiteral("[ ") + QString::fromStdString(DecodeHtmlTitle(head)) +
                         QStringLiteral(" ]");
            if (opened) {
                sizeText_ = QString::fromStdString(KilobyteText(file.size()));
                kind_ = kHtml;
            }
        } else {
            sizeText_ = QString::fromStdString(KilobyteText(info.size()));
        }
    }
    update();
    return exists;
}

QSize CFilePreviewWnd::sizeHint() const {
    return QSize(160, 120);
}

void CFilePreviewWnd::resizeEvent(QResizeEvent* event) {
    buffer_ = QPixmap();
    QWidget::resizeEvent(event);
}

void CFilePreviewWnd::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (pixels.isEmpty())
        return;
    if (buffer_.size() != pixels || buffer_.devicePixelRatio() != ratio) {
        buffer_ = QPixmap(pixels);
        buffer_.setDevicePixelRatio(ratio);
    }
    {
        QPainter painter(&buffer_);
        Render(painter);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, buffer_);
}

void CFilePreviewWnd::DrawLine(QPainter& painter, int x, int y, const QString& text) const {
    painter.drawText(QPoint(x, y + baseline_), text);
}

void CFilePreviewWnd::Render(QPainter& painter) const {
    const int w = width();
    const int h = height();
    // The content lies inside a one-pixel frame; right and bottom are exclusive.
    const int l = 1;
    const int t = 1;
    const int r = std::max(w - 1, l);
    const int b = std::max(h - 1, t);
    const QRect content(l, t, r - l, b - t);
    const QFontMetrics metrics(font_);
    const int c = lineHeight_;
    const int g = options_.lineGap;

    painter.save();
    painter.setClipRect(content);
    painter.setFont(font_);

    // A line centred in the content area, its left edge at 0 when it is wider.
    auto drawCentred = [&](const QString& text) {
        const int textWidth = metrics.horizontalAdvance(text);
        const int x = textWidth > content.width() ? 0 : l + (content.width() - textWidth) / 2;
        DrawLine(painter, x, t + (content.height() - c) / 2, text);
    };

    const int form = options_.form;
    if (kind_ == kOther || form < 0 || form > 2) {
        painter.fillRect(content, palette().color(QPalette::Button));
        painter.setPen(QColor(kPlaceholderText));
        drawCentred(kPlaceholder);
    } else if (kind_ == kHtml) {
        painter.fillRect(content, QColor(options_.otherBackground));
        painter.setPen(QColor(options_.textColour));
        drawCentred(titleText_);
    } else {
        QRect picture = content;
        QRect info;
        if (form == 1) {
            const int stripTop = std::max(b - options_.stripHeight, t);
            picture = QRect(l, t, r - l, stripTop - t);
            info = QRect(l, stripTop, r - l, b - stripTop);
        } else if (form == 2) {
            const int columnLeft = std::max(r - options_.columnWidth, l);
            picture = QRect(l, t, columnLeft - l, b - t);
            info = QRect(columnLeft, t, r - columnLeft, b - t);
        }
        painter.fillRect(picture, QColor(options_.pictureBackground));
        if (!info.isEmpty())
            painter.fillRect(info, QColor(options_.infoBackground));
        const QRect fitted = holder_.FitRect(picture);
        if (!fitted.isEmpty())
            holder_.Draw(painter, fitted);

        painter.setPen(QColor(options_.textColour));
        if (form == 1) {
            const QString first = widthText_ + QLatin1Char(' ') + heightText_;
            const int infoTop = info.top();
            const int infoBottom = info.top() + info.height();
            const int x = (r - l - metrics.horizontalAdvance(first) - 7) / 2;
            const int y = infoTop + (infoBottom - infoTop - 2 * c - g) / 2;
            DrawLine(painter, x, y, first);
            DrawLine(painter, x, y + c + g, sizeText_);
        } else if (form == 2) {
            const int x = info.left() + 4;
            const int y = (info.top() + info.height()) - info.top() - 3 * c - 2 * g - 2;
            DrawLine(painter, x, y, widthText_);
            DrawLine(painter, x, y + c + g, heightText_);
            DrawLine(painter, x, y + 2 * (c + g), sizeText_);
        }
    }
    painter.restore();

    // Sunken frame: shadow on the top and left, white on the bottom and right.
    const QColor shadow = palette().color(QPalette::Dark);
    painter.fillRect(QRect(0, 0, w - 1, 1), shadow);
    painter.fillRect(QRect(0, 0, 1, h - 1), shadow);
    painter.fillRect(QRect(w - 1, 0, 1, h), Qt::white);
    painter.fillRect(QRect(0, h - 1, w, 1), Qt::white);
}

// ---- Text logic -------------------------------------------------------------------

std::string_view FindHtmlTitle(std::string_view head) {
    const std::string_view window = head.substr(0, std::min(head.size(), kTitleWindow));
    constexpr std::string_view kOpen = "<title>";
    constexpr std::string_view kClose = "</title>";
    const std::size_t open = FindNoCase(window, kOpen, 0);
    if (open == std::string_view::npos)
        return {};
    const std::size_t start = open + kOpen.size();
    const std::size_t close = FindNoCase(window, kClose, start);
    if (close == std::string_view::npos)
        return {};
    return window.substr(start, close - start);
}

std::string DecodeHtmlTitle(std::string_view head) {
    const std::string_view title = FindHtmlTitle(head);
    if (title.empty())
        return {};
    // Judge the encoding on as much of the page as was read, cut at a line break
    // (or right at the title's end) so that no multi-byte character is split.
    const std::size_t titleEnd = std::size_t(title.data() - head.data()) + title.size();
    std::size_t cut = head.rfind('\n');
    if (cut == std::string_view::npos || cut < titleEnd)
        cut = titleEnd;
    const DecodedText page = DecodeFileBytes(head.substr(0, cut));
    if (!page.guessed) {
        if (std::optional<std::string> text = DecodeAs(title, page.encoding))
            return *text;
    }
    return DecodeFileBytes(title).utf8;
}

std::string KilobyteText(long long fileLength) {
    // to_chars rather than printf: a point whatever the user's locale.
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, double(fileLength) * 0.001,
                                      std::chars_format::fixed, 1);
    return std::string(text, result.ptr) + " kbyte";
}

// ---- Splitter -------------------------------------------------------------------

double ClampPreviewShare(PreviewPage page, double share) {
    const double low = 0.1;
    const double high = page == PreviewPage::FileBrowser ? 0.7 : 0.9;
    if (!(share >= low))  // also NaN
        return low;
    return share > high ? high : share;
}

bool InSplitterBand(PreviewPage page, int pageHeight, double share, int y) {
    const int preview = static_cast<int>(pageHeight * share);
    if (page == PreviewPage::FileBrowser) {
        const int edge = pageHeight - 25 - preview;
        return y >= edge - 7 && y <= edge + 7;
    }
    const int edge = pageHeight - preview;
    return y >= edge - 9 && y <= edge + 5;
}

double PreviewShareWhileDragging(PreviewPage page, int pageHeight, int y, bool released) {
    if (pageHeight <= 0)
        return ClampPreviewShare(page, 0.0);
    int below = 0;
    if (page == PreviewPage::FileBrowser)
        below = pageHeight - y - 25;
    else
        below = pageHeight - y - (released ? 2 : 1);
    return ClampPreviewShare(page, double(below) / pageHeight);
}

double ParsePreviewShare(PreviewPage page, std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double share = kDefaultShare;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), share);
    if (result.ec != std::errc())
        share = kDefaultShare;
    return ClampPreviewShare(page, share);
}

std::string FormatPreviewShare(double share) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, share, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

double ReadPreviewShare(ISettingsStore& store, PreviewPage page) {
    const QString text =
        store.GetProfileString(kShareSection, ShareEntry(page), QStringLiteral("0.2"));
    return ParsePreviewShare(page, text.toStdString());
}

void WritePreviewShare(ISettingsStore& store, PreviewPage page, double share) {
    store.WriteProfileString(
        kShareSection, ShareEntry(page),
        QString::fromStdString(FormatPreviewShare(ClampPreviewShare(page, share))));
}

double ReadPreviewShare(PreviewPage page) {
    return ReadPreviewShare(AppStore(), page);
}

void WritePreviewShare(PreviewPage page, double share) {
    WritePreviewShare(AppStore(), page, share);
}

}  // namespace vesk
