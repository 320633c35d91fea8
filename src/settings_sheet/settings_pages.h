#pragma once
// The font, editor and external-application pages of the settings sheet.

#include <QWidget>
#include <array>
#include <vector>

#include "core/app_settings.h"

class ISettingsStore;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// One piece of the font page's sample line and the style it is drawn in.
struct SampleSegment {
    QString text;
    StyleIndex style;
    bool operator==(const SampleSegment&) const = default;
};

// The sample line with the colouring switches applied: a style switched off is
// drawn as text; values follow the tags when only value colouring is off.
std::vector<SampleSegment> SampleSegments(bool colourTags, bool colourValues, bool colourComments);

QFont FontOfStyle(const StyleFormat& style);

// The sample line, drawn on white.
class CStyleSample : public QWidget {
    Q_OBJECT
  public:
    explicit CStyleSample(QWidget* parent = nullptr);
    void SetStyles(const std::array<StyleFormat, kStyleCount>& styles, bool colourTags,
                   bool colourValues, bool colourComments);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<StyleFormat, kStyleCount> styles_;
    std::vector<SampleSegment> segments_;
};

class CPrpIniFont : public QWidget {
    Q_OBJECT
  public:
    CPrpIniFont(const SettingsSnapshot& values, ISettingsStore& store, QWidget* parent = nullptr);

    // Writes the styles and the three colouring switches.
    void Store(SettingsSnapshot& values) const;
    // A font was chosen or a colouring switch changed.
    bool Changed() const { return changed_; }

    // Runs the font chooser of one style (the "フォント選択 ..." button).
    void ChooseFont(StyleIndex style);

    QPushButton* FontButton(StyleIndex style) const { return groups_[style].button; }
    QLabel* FaceLabel(StyleIndex style) const { return groups_[style].face; }
    QLabel* SizeLabel(StyleIndex style) const { return groups_[style].size; }
    QLabel* StyleLabel(StyleIndex style) const { return groups_[style].effects; }
    // Null for the text style, which is always coloured.
    QCheckBox* NoColourBox(StyleIndex style) const { return groups_[style].noColour; }
    CStyleSample* Sample() const { return sample_; }

  private:
    struct Group {
        QLabel* face = nullptr;
        QLabel* size = nullptr;
        QLabel* effects = nullptr;
        QLabel* colour = nullptr;
        QPushButton* button = nullptr;
        QCheckBox* noColour = nullptr;
    };
    QWidget* MakeGroup(StyleIndex style, const QString& title, const QString& checkText);
    void Refresh();

    ISettingsStore& store_;
    std::array<StyleFormat, kStyleCount> styles_;
    std::array<Group, kStyleCount> groups_;
    CStyleSample* sample_ = nullptr;
    bool changed_ = false;
};

class CPrpIniEditor : public QWidget {
    Q_OBJECT
  public:
    CPrpIniEditor(const SettingsSnapshot& values, ISettingsStore& store, QWidget* parent = nullptr);
    void Store(SettingsSnapshot& values) const;
    void ChoosePreviewFont();

    QCheckBox* ColorCopyBox() const { return colorCopy_; }
    QCheckBox* WrapBox() const { return wrap_; }
    QCheckBox* PathCopyBox() const { return pathCopy_; }
    QRadioButton* UpperRadio() const { return upper_; }
    QRadioButton* LowerRadio() const { return lower_; }
    QCheckBox* GroupNameBox() const { return groupName_; }
    QCheckBox* TitleBox() const { return title_; }
    // VVPreviewForm 0, 1, 2.
    QRadioButton* PreviewFormRadio(int form) const { return previewForm_[form]; }
    QCheckBox* OmitTagPBox() const { return omitTagP_; }
    QCheckBox* TabbedViewBox() const { return tabbedView_; }
    QCheckBox* LineNumbersBox() const { return lineNumbers_; }
    QCheckBox* AutoCloseTagsBox() const { return autoCloseTags_; }
    QPushButton* FontButton() const { return fontButton_; }
    QLabel* FaceLabel() const { return face_; }
    QLabel* SizeLabel() const { return size_; }
    QLabel* StyleLabel() const { return effects_; }

  private:
    void RefreshFont();

    ISettingsStore& store_;
    PreviewFont previewFont_;
    int previewSize_ = 12;
    QCheckBox* colorCopy_ = nullptr;
    QCheckBox* wrap_ = nullptr;
    QCheckBox* pathCopy_ = nullptr;
    QRadioButton* upper_ = nullptr;
    QRadioButton* lower_ = nullptr;
    QCheckBox* groupName_ = nullptr;
    QCheckBox* title_ = nullptr;
    std::array<QRadioButton*, 3> previewForm_{};
    QCheckBox* omitTagP_ = nullptr;
    QCheckBox* tabbedView_ = nullptr;
    QCheckBox* lineNumbers_ = nullptr;
    QCheckBox* autoCloseTags_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QLabel* face_ = nullptr;
    QLabel* size_ = nullptr;
    QLabel* effects_ = nullptr;
};

class CPrpIniBrows : public QWidget {
    Q_OBJECT
  public:
    enum PathIndex { kIePath = 0, kNnPath, kHtmlAppPath, kImageAppPath, kPathCount };

    explicit CPrpIniBrows(const SettingsSnapshot& values, QWidget* parent = nullptr);
    void Store(SettingsSnapshot& values) const;
    // The "参照 ..." button of one path.
    void Browse(PathIndex path);

    QLineEdit* PathEdit(PathIndex path) const { return edits_[path]; }
    QPushButton* BrowseButton(PathIndex path) const { return buttons_[path]; }

  private:
    std::array<QLineEdit*, kPathCount> edits_{};
    std::array<QPushButton*, kPathCount> buttons_{};
};
