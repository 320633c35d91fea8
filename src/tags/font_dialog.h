#pragma once
// "フォントの指定 <FONT>": size, colour, and a sample of the text on the page's
// background.

#include <QFont>
#include <QFrame>

#include "tags/dialog_fields.h"
#include "tags/text_tags.h"

namespace vesk {

class CRadioGroup;

// The sunken sample: the page's background with a line of text in the chosen colour.
class CFontSample : public QFrame {
    Q_OBJECT
  public:
    static constexpr char kText[] = "ABCD　あいうえお　1234";

    CFontSample(RgbColour background, const QFont& font, QWidget* parent = nullptr);
    void SetTextColour(RgbColour colour);
    RgbColour TextColour() const { return text_; }
    RgbColour Background() const { return background_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    RgbColour background_;
    RgbColour text_;
};

class CFontDlg : public CTagDialog {
    Q_OBJECT
  public:
    // data carries the page colours; sampleFont is the preview font of the settings.
    CFontDlg(const FontData& data, const QFont& sampleFont, QWidget* parent = nullptr,
             ISettingsStore& store = AppStore());
    FontData Data() const;

    CRadioGroup* SizeGroup() const { return size_; }
    CRadioGroup* SizeModeGroup() const { return sizeMode_; }
    CRadioGroup* ColourModeGroup() const { return colourMode_; }
    CColourField* ColourField() const { return colour_; }
    CFontSample* Sample() const { return sample_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The colour list and the custom colours are stored only when a colour is given.
    void SaveFields() override;

  private:
    void OnSizeMode(int mode);
    // The user turned to the colour field: the colour counts as given.
    void TakeColour();

    FontData page_;
    CRadioGroup* sizeMode_;
    CRadioGroup* size_;
    CRadioGroup* colourMode_;
    CColourField* colour_;
    CFontSample* sample_;
};

}  // namespace vesk
