#include "sidepane/preview_splitter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

CPreviewSplitter::CPreviewSplitter(QWidget& page, vesk::PreviewPage kind, int bottomGap,
                                   std::function<double()> share,
                                   std::function<void(double)> setShare)
    : QObject(&page),
      page_(page),
      kind_(kind),
      bottomGap_(bottomGap),
      share_(std::move(share)),
      setShare_(std::move(setShare)),
      bar_(new QWidget(&page)) {
    bar_->setAutoFillBackground(true);
    QPalette palette = bar_->palette();
    palette.setBrush(QPalette::Window, QBrush(Qt::darkGray, Qt::Dense4Pattern));
    bar_->setPalette(palette);
    bar_->hide();
}

void CPreviewSplitter::Watch(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void CPreviewSplitter::ShowBarAt(double share) {
    const int h = page_.height();
    const int split = h - bottomGap_ - static_cast<int>(h * share);
    bar_->setGeometry(0, split - 2, page_.width(), 4);
}

bool CPreviewSplitter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
                    type != QEvent::MouseButtonRelease)) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint local = mouse->position().toPoint();
    const int y = widget == &page_ ? local.y() : widget->mapTo(&page_, local).y();
    const int h = page_.height();
    switch (type) {
        case QEvent::MouseMove:
            if (dragging_) {
                ShowBarAt(vesk::PreviewShareWhileDragging(kind_, h, y, false));
                return true;
            }
            if (mouse->buttons() == Qt::NoButton) {
                if (vesk::InSplitterBand(kind_, h, share_(), y))
                    widget->setCursor(Qt::SplitVCursor);
                else
                    widget->unsetCursor();
            }
            return false;
        case QEvent::MouseButtonPress:
            if (mouse->button() != Qt::LeftButton || !vesk::InSplitterBand(kind_, h, share_(), y))
                return false;
            dragging_ = true;
            ShowBarAt(share_());
            bar_->raise();
            bar_->show();
            return true;
        default:
            if (!dragging_)
                return false;
            dragging_ = false;
            bar_->hide();
            setShare_(vesk::PreviewShareWhileDragging(kind_, h, y, true));
            return true;
    }
}

bool SwallowEnterAndEscape(QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event.accept();
            return true;
        default:
            return false;
    }
}
