#pragma once
// The MDI child window of one document and its view.

#include <QMdiSubWindow>

#include "core/command_target.h"

class CVeskHtmlDoc;
class CVeskHtmlView;

class CChildFrame : public QMdiSubWindow, public CCommandTarget {
    Q_OBJECT
  public:
    CChildFrame(CVeskHtmlDoc* document, CVeskHtmlView* view, QWidget* parent = nullptr);

    CVeskHtmlDoc* Document() const { return document_; }
    CVeskHtmlView* View() const { return view_; }
    // Closes without asking to save (the caller has asked already).
    void CloseWithoutPrompt();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void UpdateTitle();

    CVeskHtmlDoc* document_;
    CVeskHtmlView* view_;
    bool skipPrompt_ = false;
};
