#pragma once
// The font chooser of the settings sheet: face, style and size lists, an
// underline box and a text colour with the full colour dialog behind it.

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/style_format.h"

class ISettingsStore;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// What the chooser edits.
struct FontChoice {
    QString faceName;
    int points = 11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint32_t colour = 0;  // 0x00BBGGRR
    int charSet = 128;

    bool operator==(const FontChoice&) const = default;
};

FontChoice FontChoiceOf(const StyleFormat& style);
// The style with face, height, effects, colour and character set from the choice;
// the strikeout bit is kept because the chooser does not offer it.
StyleFormat ApplyFontChoice(StyleFormat style, const FontChoice& choice);
FontChoice FontChoiceOf(const PreviewFont& font, int points);
// The preview font and its size in points from the choice.
void ApplyFontChoice(PreviewFont& font, int& points, const FontChoice& choice);

// Display texts of a font: "11ポイント" and "標準 " / "太字 斜体 下線" and the like.
QString FontSizeText(int points);
QString FontStyleText(std::uint32_t effects);

QColor ColorOfColorRef(std::uint32_t colorRef);
std::uint32_t ColorRefOf(const QColor& colour);
// A filled rectangle with a frame, for the colour displays.
QPixmap ColourSwatch(std::uint32_t colorRef, QSize size);

// The full colour dialog with the 16 custom colours stored in "EditorFont"
// ("EditorFontdlg_COLOR_0" to 15). Custom colours edited are kept whether the
// dialog is confirmed or not. The chosen colour, or nothing on Cancel.
std::optional<std::uint32_t> ChooseEditorFontColour(QWidget* parent, std::uint32_t initial,
                                                    ISettingsStore& store);

class CFontDialogEx : public QDialog {
    Q_OBJECT
  public:
    // withEffects: the underline box and the text colour are offered.
    CFontDialogEx(const FontChoice& initial, bool withEffects, ISettingsStore& store,
                  QWidget* parent = nullptr);

    FontChoice Choice() const;

    QListWidget* FaceList() const { return faceList_; }
    QListWidget* StyleList() const { return styleList_; }
    QLineEdit* SizeEdit() const { return sizeEdit_; }
    QListWidget* SizeList() const { return sizeList_; }
    QCheckBox* UnderlineBox() const { return underline_; }
    QPushButton* ColourButton() const { return colourButton_; }
    QLabel* Sample() const { return sample_; }

  private:
    void ChooseColour();
    void UpdateSample();

    ISettingsStore& store_;
    FontChoice choice_;
    QLineEdit* faceEdit_ = nullptr;
    QListWidget* faceList_ = nullptr;
    QLineEdit* styleEdit_ = nullptr;
    QListWidget* styleList_ = nullptr;
    QLineEdit* sizeEdit_ = nullptr;
    QListWidget* sizeList_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QLabel* swatch_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    QLabel* sample_ = nullptr;
};
