#include "sidepane/link_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace vesk {

namespace {

constexpr int kSize = 16;

// A sheet of paper with a folded corner.
void DrawPage(QPainter& p, const QColor& fill) {
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(9.5, 1.5);
    sheet.lineTo(12.5, 4.5);
    sheet.lineTo(12.5, 14.5);
    sheet.lineTo(3.5, 14.5);
    sheet.closeSubpath();
    p.setPen(QColor(90, 90, 90));
    p.setBrush(fill);
    p.drawPath(sheet);
    p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
    p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
}

QPixmap Draw(LinkIcon icon) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
        case LinkIcon::kInlineGroup: {
            // A framed picture: sky, sun and a hill.
            p.setPen(QColor(70, 70, 70));
            p.setBrush(QColor(170, 215, 250));
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(250, 200, 40));
            p.drawEllipse(QRectF(9, 4, 3.5, 3.5));
            p.setBrush(QColor(60, 150, 60));
            QPainterPath hill;
            hill.moveTo(2, 13);
            hill.lineTo(6.5, 7);
            hill.lineTo(10, 11);
            hill.lineTo(12, 9);
            hill.lineTo(14, 13);
            hill.closeSubpath();
            p.drawPath(hill);
            break;
        }
        case LinkIcon::kAnchorGroup: {
            DrawPage(p, QColor(255, 255, 235));
            p.setPen(QPen(QColor(40, 90, 180), 1.3));
            p.drawLine(QPointF(6.5, 6), QPointF(5.8, 12.5));
            p.drawLine(QPointF(9.5, 6), QPointF(8.8, 12.5));
            p.drawLine(QPointF(4.8, 8), QPointF(11, 8));
            p.drawLine(QPointF(4.5, 10.5), QPointF(10.7, 10.5));
            break;
        }
        case LinkIcon::kInternalGroup: {
            // A folder.
            p.setPen(QColor(150, 110, 20));
            p.setBrush(QColor(250, 210, 90));
            QPainterPath folder;
            folder.moveTo(1.5, 3.5);
            folder.lineTo(6, 3.5);
            folder.lineTo(7.5, 5);
            folder.lineTo(14.5, 5);
            folder.lineTo(14.5, 13.5);
            folder.lineTo(1.5, 13.5);
            folder.closeSubpath();
            p.drawPath(folder);
            p.drawLine(QPointF(1.5, 7), QPointF(14.5, 7));
            break;
        }
        case LinkIcon::kExternalGroup: {
            // A globe.
            p.setPen(QColor(30, 80, 150));
            p.setBrush(QColor(120, 180, 240));
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(5, 1.5, 6, 13));
            p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
            p.drawLine(QPointF(2.8, 4.8), QPointF(13.2, 4.8));
            p.drawLine(QPointF(2.8, 11.2), QPointF(13.2, 11.2));
            break;
        }
        case LinkIcon::kMailGroup: {
            // An envelope.
            p.setPen(QColor(90, 90, 90));
            p.setBrush(QColor(255, 255, 255));
            p.drawRect(QRectF(1.5, 3.5, 13, 9));
            p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
            p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
            break;
        }
        case LinkIcon::kLink: {
            // Two chain links.
            p.setPen(QPen(QColor(40, 110, 40), 1.6));
            p.setBrush(Qt::NoBrush);
            p.save();
            p.translate(8, 8);
            p.rotate(-45);
            p.drawRoundedRect(QRectF(-7, -2.5, 8, 5), 2.5, 2.5);
            p.drawRoundedRect(QRectF(-1, -2.5, 8, 5), 2.5, 2.5);
            p.restore();
            break;
        }
        case LinkIcon::kMissing: {
            // A red cross in a circle.
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(210, 40, 40));
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setPen(QPen(Qt::white, 2));
            p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
            p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
            break;
        }
        case LinkIcon::kDocument: {
            DrawPage(p, Qt::white);
            p.setPen(QColor(120, 120, 160));
            for (int y = 6; y <= 12; y += 2) p.drawLine(QPointF(5, y + 0.5), QPointF(11, y + 0.5));
            break;
        }
    }
    return pixmap;
}

}  // namespace

const QIcon& LinkIconOf(LinkIcon icon) {
    static const std::array<QIcon, 8> icons = [] {
        std::array<QIcon, 8> all;
        for (int i = 0; i < 8; ++i) all[i] = QIcon(Draw(static_cast<LinkIcon>(i)));
        return all;
    }();
    return icons[static_cast<int>(icon)];
}

}  // namespace vesk
