#pragma once
// The draggable edge above the preview of a side-pane page: the resize
// cursor over its band, a bar that follows the mouse while dragging, and the
// page's new preview share when the button is released.

#include <QObject>
#include <functional>

#include "sidepane/file_preview_wnd.h"

class QKeyEvent;
class QWidget;

class CPreviewSplitter : public QObject {
  public:
    // bottomGap: pixels between the bar's line and the share's top edge, as
    // the page lays out its preview. share gives the current share; setShare
    // takes the one the drag ends with.
    CPreviewSplitter(QWidget& page, vesk::PreviewPage kind, int bottomGap,
                     std::function<double()> share, std::function<void(double)> setShare);

    // Follows the mouse over widget (the page and the children covering the band).
    void Watch(QWidget* widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowBarAt(double share);

    QWidget& page_;
    vesk::PreviewPage kind_;
    int bottomGap_;
    std::function<double()> share_;
    std::function<void(double)> setShare_;
    QWidget* bar_;
    bool dragging_ = false;
};

// Enter and Escape in a side-pane page must not reach the pane's window:
// true when the key was one of them and has been taken.
bool SwallowEnterAndEscape(QKeyEvent& event);
