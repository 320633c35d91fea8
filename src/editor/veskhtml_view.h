#pragma once
// The source view: shows and edits the text of one document in its text control.

#include <QWidget>
#include <string>
#include <string_view>

#include "app/app_settings.h"
#include "app/command_target.h"

class CTextControl;
class CVeskHtmlDoc;

class CVeskHtmlView : public QWidget, public CCommandTarget {
    Q_OBJECT
  public:
    CVeskHtmlView(CAppSettings& settings, CVeskHtmlDoc* document, QWidget* parent = nullptr);
    ~CVeskHtmlView() override;

    CTextControl& Control() { return *control_; }
    CVeskHtmlDoc* Document() const { return document_; }
    const SettingsSnapshot& Snapshot() const { return snapshot_; }

    // Replaces the whole text: text style, caret to the start.
    void SetText(std::string_view utf8);
    // The full text, CR LF line breaks.
    std::string GetAllText() const;

    // Copies the settings again and applies word wrap and styles.
    void RefreshSettings();
    // The three status texts: current line, line count, byte count.
    QStringList StatusTexts() const;
    // Called when the view becomes the active one.
    void OnActivated();

  signals:
    // The indicators changed; the main frame shows them while this view is active.
    void StatusChanged();

  private:
    void ApplyStyles();
    void RegisterCommands();

    CAppSettings& settings_;
    CVeskHtmlDoc* document_;
    CTextControl* control_;
    SettingsSnapshot snapshot_;
    bool settingText_ = false;
};
