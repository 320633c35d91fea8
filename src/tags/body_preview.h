#pragma once
// The sample of a page's colours in the skeleton and BODY dialogs: the
// background with the base text and the three link texts in a two-by-two grid.

#include <QFont>
#include <QFrame>

#include "tags/colour_fields.h"

namespace vesk {

namespace body_preview_texts {
inline constexpr char kBaseText[] = "ベーステキスト";
inline constexpr char kLink[] = "未アクセスリンク";
inline constexpr char kActiveLink[] = "アクティブリンク";
inline constexpr char kVisitedLink[] = "アクセス済みリンク";
}  // namespace body_preview_texts

// What a browser shows when the page sets no colour.
inline constexpr RgbColour kDefaultLinkColour{0x00, 0x00, 0xFF};
inline constexpr RgbColour kDefaultVlinkColour{0x80, 0x00, 0x40};
inline constexpr RgbColour kDefaultAlinkColour{0xFF, 0x00, 0x00};

struct BodyColours {
    RgbColour text = kBlack;
    RgbColour link = kDefaultLinkColour;
    RgbColour vlink = kDefaultVlinkColour;
    RgbColour alink = kDefaultAlinkColour;
    RgbColour background = kWhite;
    friend bool operator==(const BodyColours&, const BodyColours&) = default;
};

// Where the four texts start inside a preview of width x height: equal gaps
// around and between the two columns (sized by the two texts of the bottom
// row) and the two rows; a gap never goes below 0.
struct PreviewLayout {
    int left = 0;    // x of the left column
    int right = 0;   // x of the right column
    int top = 0;     // y of the top row
    int bottom = 0;  // y of the bottom row
    friend bool operator==(const PreviewLayout&, const PreviewLayout&) = default;
};
PreviewLayout ComputePreviewLayout(int width, int height, int activeWidth, int visitedWidth,
                                   int textHeight);

class CBodyPreview : public QFrame {
    Q_OBJECT
  public:
    explicit CBodyPreview(const QFont& font, QWidget* parent = nullptr);

    void SetColours(const BodyColours& colours);
    const BodyColours& Colours() const { return colours_; }

    // The link texts' font: the sample font underlined.
    QFont LinkFont() const;
    // The layout for the current size and font, relative to the area inside the frame.
    PreviewLayout Layout() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    BodyColours colours_;
};

}  // namespace vesk
