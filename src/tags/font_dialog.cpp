#include "tags/font_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "tags/radio_group.h"

namespace vesk {

namespace {

QColor ToQColor(RgbColour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

bool OpensList(const QKeyEvent& key) {
    return key.key() == Qt::Key_F4 || ((key.key() == Qt::Key_Down || key.key() == Qt::Key_Up) &&
                                       (key.modifiers() & Qt::AltModifier));
}

}  // namespace

CFontSample::CFontSample(RgbColour background, const QFont& font, QWidget* parent)
    : QFrame(parent), background_(background) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFont(font);
    setMinimumHeight(QFontMetrics(font).height() * 2 + 8);
}

void CFontSample::SetTextColour(RgbColour colour) {
    text_ = colour;
    update();
}

void CFontSample::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), ToQColor(background_));
        painter.setPen(ToQColor(text_));
        painter.setFont(font());
        painter.drawText(contentsRect(), Qt::AlignCenter, QString::fromUtf8(kText));
    }
    QFrame::paintEvent(event);
}

CFontDlg::CFontDlg(const FontData& data, const QFont& sampleFont, QWidget* parent,
                   ISettingsStore& store)
    : CTagDialog(QStringLiteral("フォントの指定 <FONT>"), ConfirmRule::kInsertButton, parent,
                 QString::fromUtf8(tag_texts::kInsert), store),
      page_(data),
      sizeMode_(new CRadioGroup(QString(),
                                {QStringLiteral("指定しない(&N)"), QStringLiteral("＋(&P)"),
                                 QStringLiteral("－(&M)"), QStringLiteral("絶対値(&A)")},
                                Qt::Horizontal, this)),
      size_(new CRadioGroup(QString(), {"1", "2", "3", "4", "5", "6", "7"}, Qt::Horizontal, this)),
      colourMode_(new CRadioGroup(QStringLiteral("色 COLOR ="),
                                  {QStringLiteral("指定しない(&C)"), QString()}, Qt::Horizontal,
                                  this)),
      colour_(nullptr),
      sample_(new CFontSample(data.pageBackground, sampleFont, this)) {
    ColourFieldOptions options;
    options.maxLength = 7;
    options.defaultColour = data.pageText;
    colour_ = AddColourField(recent_keys::kFontColor, options);
    colour_->SetInvalidColour(kBlack);
    // The second colour button only records that a colour is given.
    colourMode_->Button(1)->hide();
    colourMode_->layout()->addWidget(colour_);
    colour_->setMinimumWidth(180);

    // The mode above the seven sizes, in one box.
    auto* sizeBox = new QGroupBox(QStringLiteral("サイズ SIZE ="), this);
    auto* sizeLayout = new QVBoxLayout(sizeBox);
    for (CRadioGroup* group : {sizeMode_, size_}) {
        group->setFlat(true);
        group->setStyleSheet(QStringLiteral("QGroupBox { border: 0; margin: 0; padding: 0; }"));
        sizeLayout->addWidget(group);
    }
    ContentLayout()->addWidget(sizeBox);
    ContentLayout()->addWidget(colourMode_);
    ContentLayout()->addWidget(sample_, 1);

    // Size: a new tag shows no size with "1" ready.
    size_->SetIndex(data.sizeIndex < 0 ? 0 : data.sizeIndex);
    sizeMode_->SetIndex(data.sizeMode < 0 ? 0 : data.sizeMode);
    OnSizeMode(sizeMode_->Index());
    connect(sizeMode_, &CRadioGroup::IndexChanged, this, [this](int mode) { OnSizeMode(mode); });

    // Colour: an empty field stands for the page's text colour.
    colour_->SetCurrentColour(data.pageText);
    if (!data.color.empty()) {
        colour_->SetText(data.color);
        colourMode_->SetIndex(data.colorMode);
    } else {
        colourMode_->SetIndex(0);
    }
    sample_->SetTextColour(colour_->CurrentColour());

    connect(colour_, &CColourField::ColourChanged, sample_, &CFontSample::SetTextColour);
    connect(colour_->Combo()->lineEdit(), &QLineEdit::textEdited, this, [this] { TakeColour(); });
    connect(colour_->Combo(), &QComboBox::activated, this, [this] { TakeColour(); });
    // Before the chooser opens (the field's own handler runs on the click).
    connect(colour_->Button(), &QPushButton::pressed, this, [this] { TakeColour(); });
    colour_->Combo()->installEventFilter(this);
    colour_->Combo()->lineEdit()->installEventFilter(this);
    connect(colourMode_->Button(0), &QRadioButton::clicked, this, [this] {
        colour_->SetText("");
        colour_->SetCurrentColour(page_.pageText);
        sample_->SetTextColour(page_.pageText);
    });
    // The colour field stands inside the colour group, after its button.
    OrderFields({sizeMode_, size_, colourMode_});
}

bool CFontDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == colour_->Combo() && event->type() == QEvent::MouseButtonPress)
        TakeColour();
    if (event->type() == QEvent::KeyPress && OpensList(*static_cast<QKeyEvent*>(event)))
        TakeColour();
    return CTagDialog::eventFilter(watched, event);
}

void CFontDlg::OnSizeMode(int mode) {
    const bool sized = mode > 0;
    for (int i = 0; i < size_->Count(); ++i) size_->Button(i)->setEnabled(sized);
}

void CFontDlg::TakeColour() {
    colourMode_->SetIndex(1);
}

FontData CFontDlg::Data() const {
    FontData data = page_;
    data.sizeIndex = size_->Index();
    data.sizeMode = sizeMode_->Index();
    data.colorMode = colourMode_->Index();
    data.color = colour_->Text();
    return data;
}

void CFontDlg::SaveFields() {
    if (!colour_->Text().empty())
        CTagDialog::SaveFields();
}

}  // namespace vesk
