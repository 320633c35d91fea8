#include "tags/body_preview.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace vesk {

namespace {

QColor ToQColor(RgbColour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

PreviewLayout ComputePreviewLayout(int width, int height, int activeWidth, int visitedWidth,
                                   int textHeight) {
    const int gap = std::max(0, (width - activeWidth - visitedWidth) / 3);
    const int rowGap = std::max(0, (height - 2 * textHeight) / 3);
    PreviewLayout layout;
    layout.left = gap;
    layout.right = activeWidth + 2 * gap;
    layout.top = rowGap;
    layout.bottom = textHeight + 2 * rowGap;
    return layout;
}

CBodyPreview::CBodyPreview(const QFont& font, QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFont(font);
    const QFontMetrics metrics(font);
    setMinimumHeight(metrics.height() * 3 + 2 * frameWidth());
    setMinimumWidth(metrics.horizontalAdvance(Text(body_preview_texts::kActiveLink)) +
                    metrics.horizontalAdvance(Text(body_preview_texts::kVisitedLink)) +
                    metrics.height() * 2);
}

void CBodyPreview::SetColours(const BodyColours& colours) {
    colours_ = colours;
    update();
}

QFont CBodyPreview::LinkFont() const {
    QFont link = font();
    link.setUnderline(true);
    return link;
}

PreviewLayout CBodyPreview::Layout() const {
    const QFontMetrics metrics(LinkFont());
    const QRect area = contentsRect();
    return ComputePreviewLayout(area.width(), area.height(),
                                metrics.horizontalAdvance(Text(body_preview_texts::kActiveLink)),
                                metrics.horizontalAdvance(Text(body_preview_texts::kVisitedLink)),
                                metrics.height());
}

void CBodyPreview::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.fillRect(area, ToQColor(colours_.background));
        painter.setClipRect(area);
        const PreviewLayout layout = Layout();
        const QPoint origin = area.topLeft();
        auto draw = [&](int x, int y, RgbColour colour, const QFont& font, const char* text) {
            painter.setFont(font);
            painter.setPen(ToQColor(colour));
            const QString shown = Text(text);
            const QFontMetrics metrics(font);
            painter.drawText(QRect(origin + QPoint(x, y),
                                   QSize(metrics.horizontalAdvance(shown), metrics.height())),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
        };
        const QFont link = LinkFont();
        draw(layout.left, layout.top, colours_.text, font(), body_preview_texts::kBaseText);
        draw(layout.right, layout.top, colours_.link, link, body_preview_texts::kLink);
        draw(layout.left, layout.bottom, colours_.alink, link, body_preview_texts::kActiveLink);
        draw(layout.right, layout.bottom, colours_.vlink, link, body_preview_texts::kVisitedLink);
    }
    QFrame::paintEvent(event);
}

}  // namespace vesk
