#pragma once
// The dialogs of TABLE, TR, TD and TH, with the background choice they share.

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "tags/dialog_fields.h"
#include "tags/table_tags.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vesk {

class CRadioGroup;

// "無し", "画像" or "色": one label, one field and one button whose meaning
// follows the choice. Switching to the other set empties the field of the set
// shown before; "無し" only hides.
class CBackgroundChoice : public QWidget {
    Q_OBJECT
  public:
    CBackgroundChoice(const QString& title, const QStringList& modeLabels, CColourField* colour,
                      const QString& documentPath, QWidget* parent = nullptr);

    // Sets the fields and the choice as a dialog opens.
    void Start(int mode, const std::string& background, const std::string& colour);
    int Mode() const;
    std::string Background() const;
    std::string Colour() const;

    CRadioGroup* Group() const { return group_; }
    QLabel* Label() const { return label_; }
    QLineEdit* ImageEdit() const { return image_; }
    CColourField* ColourField() const { return colour_; }
    QPushButton* Button() const { return button_; }

  private:
    void OnMode(int mode);
    void Show(int mode);
    void OnButton();

    CRadioGroup* group_;
    QLabel* label_;
    QLineEdit* image_;
    CColourField* colour_;
    QPushButton* button_;
    QString documentPath_;
    int lastSet_ = kBackgroundNone;
};

// What the four dialogs confirm alike: the colour (when chosen) and the
// numbers are checked, even on Enter in a field; only the insert button then
// confirms; the colour text is remembered even when empty.
class CTableTagDlg : public CTagDialog {
    Q_OBJECT
  public:
    CBackgroundChoice* Background() const { return background_; }

  protected:
    CTableTagDlg(const QString& caption, QWidget* parent);
    // The background box, its colour field remembered under recentKey.
    CBackgroundChoice* AddBackground(const QString& title, const QStringList& modeLabels,
                                     const char* recentKey, const QString& documentPath);
    // A field that must hold digits only; checked in the order added.
    void AddNumberField(std::function<std::string()> text);
    bool CheckFields() override;
    void SaveFields() override;

  private:
    CBackgroundChoice* background_ = nullptr;
    std::vector<std::function<std::string()>> numbers_;
};

class CTableDlg : public CTableTagDlg {
    Q_OBJECT
  public:
    CTableDlg(const TableData& data, const QString& documentPath, QWidget* parent = nullptr);
    TableData Data() const;

    CRadioGroup* AlignGroup() const { return align_; }
    QLineEdit* BorderEdit() const { return border_; }
    QLineEdit* CellPaddingEdit() const { return cellPadding_; }
    QLineEdit* CellSpacingEdit() const { return cellSpacing_; }
    QLineEdit* WidthEdit() const { return width_; }
    QCheckBox* WidthPercentBox() const { return widthPercent_; }
    QLineEdit* HeightEdit() const { return height_; }
    QCheckBox* HeightPercentBox() const { return heightPercent_; }
    QLineEdit* HspaceEdit() const { return hspace_; }
    QLineEdit* VspaceEdit() const { return vspace_; }

  private:
    CRadioGroup* align_;
    QLineEdit* border_;
    QLineEdit* cellPadding_;
    QLineEdit* cellSpacing_;
    QLineEdit* width_;
    QCheckBox* widthPercent_;
    QLineEdit* height_;
    QCheckBox* heightPercent_;
    QLineEdit* hspace_;
    QLineEdit* vspace_;
};

class CRowDlg : public CTableTagDlg {
    Q_OBJECT
  public:
    CRowDlg(const RowData& data, const QString& documentPath, QWidget* parent = nullptr);
    RowData Data() const;

    CRadioGroup* AlignGroup() const { return align_; }
    CRadioGroup* VAlignGroup() const { return valign_; }

  private:
    CRadioGroup* align_;
    CRadioGroup* valign_;
};

// TD and TH share one layout.
class CCellDlg : public CTableTagDlg {
    Q_OBJECT
  public:
    CCellDlg(CellKind kind, const CellData& data, const QString& documentPath,
             QWidget* parent = nullptr);
    CellData Data() const;

    CRadioGroup* AlignGroup() const { return align_; }
    CRadioGroup* VAlignGroup() const { return valign_; }
    QComboBox* ColSpanCombo() const { return colSpan_; }
    QComboBox* RowSpanCombo() const { return rowSpan_; }
    QCheckBox* NoWrapBox() const { return noWrap_; }
    QLineEdit* WidthEdit() const { return width_; }
    QLineEdit* HeightEdit() const { return height_; }

  private:
    CRadioGroup* align_;
    CRadioGroup* valign_;
    QComboBox* colSpan_;
    QComboBox* rowSpan_;
    QCheckBox* noWrap_;
    QLineEdit* width_;
    QLineEdit* height_;
};

// The writers (wrapping), and the commands that run them.
bool WriteTable(CVeskHtmlView& view, TableData& data, int mode, const CTagScanner& scanner);
bool WriteRow(CVeskHtmlView& view, RowData& data, int mode, const CTagScanner& scanner);
bool WriteCell(CVeskHtmlView& view, CellKind kind, CellData& data, int mode,
               const CTagScanner& scanner);
void InstallTableTagCommands(CVeskHtmlView& view);

}  // namespace vesk
