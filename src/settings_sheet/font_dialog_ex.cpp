#include "settings_sheet/font_dialog_ex.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/dialog_seam.h"
#include "platform/settings_store.h"

namespace {

constexpr int kTwipsPerPoint = 20;
constexpr int kScreenDpi = 96;  // LOGFONT heights are pixels at this resolution
constexpr int kCustomColourCount = 16;
constexpr int kDefaultCustomColour = 0xFFFFFF;
const QString kEditorFont = QStringLiteral("EditorFont");
const QString kCustomColourPrefix = QStringLiteral("EditorFontdlg_COLOR_");

// Style list rows: regular, italic, bold, bold italic.
const char* const kStyleNames[] = {"標準", "斜体", "太字", "太字 斜体"};
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

int StyleRow(bool bold, bool italic) {
    return (bold ? 2 : 0) + (italic ? 1 : 0);
}

// Faces with Japanese glyphs, without the vertical ("@") variants.
QStringList JapaneseFaces() {
    QStringList faces;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (!family.startsWith('@'))
            faces << family;
    }
    return faces;
}

}  // namespace

FontChoice FontChoiceOf(const StyleFormat& style) {
    FontChoice c;
    c.faceName = style.faceName;
    c.points = style.height / kTwipsPerPoint;
    c.bold = (style.effects & kEffectBold) != 0;
    c.italic = (style.effects & kEffectItalic) != 0;
    c.underline = (style.effects & kEffectUnderline) != 0;
    c.colour = style.textColor;
    c.charSet = style.charSet;
    return c;
}

StyleFormat ApplyFontChoice(StyleFormat style, const FontChoice& choice) {
    style.faceName = CutFaceName(choice.faceName);
    style.height = choice.points * kTwipsPerPoint;
    std::uint32_t effects = style.effects & kEffectStrikeout;
    if (choice.bold)
        effects |= kEffectBold;
    if (choice.italic)
        effects |= kEffectItalic;
    if (choice.underline)
        effects |= kEffectUnderline;
    style.effects = effects;
    style.textColor = choice.colour;
    style.charSet = choice.charSet;
    return style;
}

FontChoice FontChoiceOf(const PreviewFont& font, int points) {
    FontChoice c;
    c.faceName = font.faceName;
    c.points = points;
    c.bold = font.weight >= 600;
    c.italic = font.italic != 0;
    c.charSet = font.charSet;
    return c;
}

void ApplyFontChoice(PreviewFont& font, int& points, const FontChoice& choice) {
    font.faceName = CutFaceName(choice.faceName);
    font.height = -((choice.points * kScreenDpi + 36) / 72);
    font.width = 0;
    font.weight = choice.bold ? 700 : 400;
    font.italic = choice.italic ? 1 : 0;
    font.charSet = choice.charSet;
    points = choice.points;
}

QString FontSizeText(int points) {
    return QString("%1%2").arg(points).arg(QStringLiteral("ポイント"));
}

QString FontStyleText(std::uint32_t effects) {
    QString text;
    if (!(effects & (kEffectBold | kEffectItalic)))
        text += QStringLiteral("標準 ");
    if (effects & kEffectBold)
        text += QStringLiteral("太字 ");
    if (effects & kEffectItalic)
        text += QStringLiteral("斜体 ");
    if (effects & kEffectStrikeout)
        text += QStringLiteral("取り消し線 ");
    if (effects & kEffectUnderline)
        text += QStringLiteral("下線");
    return text;
}

QColor ColorOfColorRef(std::uint32_t colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

std::uint32_t ColorRefOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

QPixmap ColourSwatch(std::uint32_t colorRef, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(ColorOfColorRef(colorRef));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return pixmap;
}

std::optional<std::uint32_t> ChooseEditorFontColour(QWidget* parent, std::uint32_t initial,
                                                    ISettingsStore& store) {
    // Qt keeps one set of custom colours for the whole program: load ours
    // before and read them back after.
    const int slotCount = std::min(QColorDialog::customCount(), kCustomColourCount);
    for (int i = 0; i < slotCount; ++i) {
        const int value = store.GetProfileInt(kEditorFont, kCustomColourPrefix + QString::number(i),
                                              kDefaultCustomColour);
        QColorDialog::setCustomColor(i, ColorOfColorRef(static_cast<std::uint32_t>(value)));
    }
    QColorDialog chooser(parent);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    chooser.setCurrentColor(ColorOfColorRef(initial));
    const int result = vesk::RunDialog(chooser);
    for (int i = 0; i < slotCount; ++i) {
        store.WriteProfileInt(kEditorFont, kCustomColourPrefix + QString::number(i),
                              static_cast<int>(ColorRefOf(QColorDialog::customColor(i))));
    }
    if (result != QDialog::Accepted)
        return std::nullopt;
    return ColorRefOf(chooser.currentColor());
}

CFontDialogEx::CFontDialogEx(const FontChoice& initial, bool withEffects, ISettingsStore& store,
                             QWidget* parent)
    : QDialog(parent), store_(store), choice_(initial) {
    setWindowTitle(QStringLiteral("フォントの選択"));

    auto* lists = new QGridLayout;
    auto* faceLabel = new QLabel(QStringLiteral("フォント名(&F):"));
    auto* styleLabel = new QLabel(QStringLiteral("スタイル(&Y):"));
    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(&S):"));
    lists->addWidget(faceLabel, 0, 0);
    lists->addWidget(styleLabel, 0, 1);
    lists->addWidget(sizeLabel, 0, 2);

    faceEdit_ = new QLineEdit(initial.faceName);
    faceEdit_->setReadOnly(true);
    faceList_ = new QListWidget;
    QStringList faces = JapaneseFaces();
    // A stored face the system lacks stays choosable, so OK never changes it silently.
    if (!initial.faceName.isEmpty() && !faces.contains(initial.faceName))
        faces.prepend(initial.faceName);
    faceList_->addItems(faces);
    lists->addWidget(faceEdit_, 1, 0);
    lists->addWidget(faceList_, 2, 0);

    styleEdit_ = new QLineEdit;
    styleEdit_->setReadOnly(true);
    styleList_ = new QListWidget;
    for (const char* name : kStyleNames) styleList_->addItem(QString::fromUtf8(name));
    lists->addWidget(styleEdit_, 1, 1);
    lists->addWidget(styleList_, 2, 1);

    sizeEdit_ = new QLineEdit(QString::number(initial.points));
    sizeEdit_->setValidator(new QIntValidator(1, 999, sizeEdit_));
    sizeList_ = new QListWidget;
    for (int size : kSizes) sizeList_->addItem(QString::number(size));
    lists->addWidget(sizeEdit_, 1, 2);
    lists->addWidget(sizeList_, 2, 2);
    faceLabel->setBuddy(faceList_);
    styleLabel->setBuddy(styleList_);
    sizeLabel->setBuddy(sizeEdit_);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(1, 2);
    lists->setColumnStretch(2, 1);

    auto* effects = new QGroupBox(QStringLiteral("文字飾り"));
    auto* effectsLayout = new QVBoxLayout(effects);
    underline_ = new QCheckBox(QStringLiteral("下線(&U)"));
    underline_->setChecked(initial.underline);
    effectsLayout->addWidget(underline_);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("文字色")));
    swatch_ = new QLabel;
    colourRow->addWidget(swatch_);
    colourButton_ = new QPushButton(QStringLiteral("色..."));
    colourRow->addWidget(colourButton_);
    colourRow->addStretch();
    effectsLayout->addLayout(colourRow);
    effectsLayout->addStretch();
    effects->setVisible(withEffects);

    auto* sampleBox = new QGroupBox(QStringLiteral("サンプル"));
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sample_ = new QLabel(QStringLiteral("Aaあぁアァ亜宇"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumSize(200, 60);
    sampleLayout->addWidget(sample_);

    auto* lower = new QHBoxLayout;
    lower->addWidget(effects);
    lower->addWidget(sampleBox, 1);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(lower);
    layout->addWidget(buttons);

    connect(faceList_, &QListWidget::currentTextChanged, this, [this](const QString& face) {
        if (face.isEmpty())
            return;
        choice_.faceName = face;
        faceEdit_->setText(face);
        UpdateSample();
    });
    connect(styleList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        choice_.bold = row >= 2;
        choice_.italic = (row % 2) == 1;
        styleEdit_->setText(styleList_->item(row)->text());
        UpdateSample();
    });
    connect(sizeList_, &QListWidget::currentTextChanged, this, [this](const QString& size) {
        if (!size.isEmpty())
            sizeEdit_->setText(size);
    });
    connect(sizeEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool ok = false;
        const int points = text.toInt(&ok);
        if (ok && points > 0)
            choice_.points = points;
        UpdateSample();
    });
    connect(underline_, &QCheckBox::toggled, this, [this](bool on) {
        choice_.underline = on;
        UpdateSample();
    });
    connect(colourButton_, &QPushButton::clicked, this, &CFontDialogEx::ChooseColour);

    const QList<QListWidgetItem*> found = faceList_->findItems(initial.faceName, Qt::MatchExactly);
    if (!found.isEmpty())
        faceList_->setCurrentItem(found.first());
    styleList_->setCurrentRow(StyleRow(initial.bold, initial.italic));
    const QList<QListWidgetItem*> size =
        sizeList_->findItems(QString::number(initial.points), Qt::MatchExactly);
    if (!size.isEmpty())
        sizeList_->setCurrentItem(size.first());
    // Selecting rows above may have touched the choice; the initial values hold.
    choice_ = initial;
    sizeEdit_->setText(QString::number(initial.points));
    UpdateSample();
    resize(520, 420);
}

FontChoice CFontDialogEx::Choice() const {
    return choice_;
}

void CFontDialogEx::ChooseColour() {
    if (const auto colour = ChooseEditorFontColour(this, choice_.colour, store_)) {
        choice_.colour = *colour;
        UpdateSample();
    }
}

void CFontDialogEx::UpdateSample() {
    swatch_->setPixmap(ColourSwatch(choice_.colour, QSize(36, 16)));
    QFont font(choice_.faceName);
    font.setPointSize(std::clamp(choice_.points, 1, 200));
    font.setBold(choice_.bold);
    font.setItalic(choice_.italic);
    font.setUnderline(choice_.underline);
    sample_->setFont(font);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::WindowText, ColorOfColorRef(choice_.colour));
    sample_->setPalette(palette);
}
