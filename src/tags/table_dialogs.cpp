#include "tags/table_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "tags/image_dialog.h"
#include "tags/radio_group.h"

namespace vesk {

namespace {

const char kImageLabel[] = "背景画像 BACKGROUND=";
const char kColourLabel[] = "背景色 BGCOLOR=";
const char kColourButton[] = "色...";
const QString kPixels = QStringLiteral("（ピクセル）");

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList RowAlignLabels() {
    return {QStringLiteral("指定しない(&N)"), QStringLiteral("&left （左寄せ）"),
            QStringLiteral("&center (中央)"), QStringLiteral("&right (右寄せ)")};
}

QStringList VAlignLabels() {
    return {QStringLiteral("指定しない(&A)"), QStringLiteral("&top （上寄せ）"),
            QStringLiteral("&middle (中央 )"), QStringLiteral("&bottom (下寄せ)")};
}

// A new dialog shows the first button of a group checked.
int StartIndex(int index) {
    return index < 0 ? 0 : index;
}

QComboBox* SpanCombo(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItem(QString());
    for (int n = 2; n <= 10; ++n) combo->addItem(QString::number(n));
    // "10" and a typed three-digit count show whole.
    combo->setMinimumContentsLength(4);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

// A group box holding a grid of fields.
QGridLayout* AddGridBox(QBoxLayout& layout, const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    layout.addWidget(box);
    return grid;
}

QString DocumentPath(const CVeskHtmlView& view) {
    return view.Document() ? view.Document()->PathName() : QString();
}

}  // namespace

// Background choice.

CBackgroundChoice::CBackgroundChoice(const QString& title, const QStringList& modeLabels,
                                     CColourField* colour, const QString& documentPath,
                                     QWidget* parent)
    : QWidget(parent),
      group_(new CRadioGroup(title, modeLabels, Qt::Horizontal, this)),
      label_(new QLabel(this)),
      image_(new QLineEdit(this)),
      colour_(colour),
      button_(new QPushButton(this)),
      documentPath_(documentPath) {
    // The field's own chooser button gives way to the shared one.
    colour_->setParent(this);
    colour_->Button()->hide();
    colour_->SetDefaultColour(kWhite);
    colour_->SetInvalidColour(kWhite);

    auto* row = new QHBoxLayout;
    row->addWidget(label_);
    row->addWidget(image_, 1);
    row->addWidget(colour_, 1);
    row->addWidget(button_);
    // The box keeps its height whichever set is shown.
    auto* rowHolder = new QWidget(this);
    rowHolder->setLayout(row);
    row->setContentsMargins(0, 0, 0, 0);
    rowHolder->setMinimumHeight(button_->sizeHint().height());
    // The set's controls go under the choice's buttons, inside its box.
    auto* buttons = new QHBoxLayout;
    while (QLayoutItem* item = group_->layout()->takeAt(0)) buttons->addItem(item);
    delete group_->layout();
    auto* inner = new QVBoxLayout(group_);
    inner->addLayout(buttons);
    inner->addWidget(rowHolder);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group_);
    label_->setBuddy(image_);

    connect(group_, &CRadioGroup::IndexChanged, this, [this](int mode) { OnMode(mode); });
    connect(button_, &QPushButton::clicked, this, [this] { OnButton(); });
    Show(kBackgroundNone);
}

void CBackgroundChoice::Start(int mode, const std::string& background, const std::string& colour) {
    image_->setText(ToQString(background));
    colour_->SetText(colour);
    colour_->SetCurrentColour(mode == kBackgroundColour ? ColourOfText(colour, kWhite) : kWhite);
    lastSet_ = mode == kBackgroundImage || mode == kBackgroundColour ? mode : kBackgroundNone;
    {
        const QSignalBlocker quiet(group_);
        group_->SetIndex(mode < 0 ? kBackgroundNone : mode);
    }
    Show(group_->Index());
}

int CBackgroundChoice::Mode() const {
    return group_->Index();
}

std::string CBackgroundChoice::Background() const {
    return image_->text().toStdString();
}

std::string CBackgroundChoice::Colour() const {
    return colour_->Text();
}

void CBackgroundChoice::OnMode(int mode) {
    if (mode == kBackgroundImage && lastSet_ != kBackgroundImage) {
        colour_->SetText("");
    } else if (mode == kBackgroundColour && lastSet_ != kBackgroundColour) {
        image_->clear();
        colour_->SetCurrentColour(kWhite);
    }
    if (mode != kBackgroundNone)
        lastSet_ = mode;
    Show(mode);
}

void CBackgroundChoice::Show(int mode) {
    const bool image = mode == kBackgroundImage;
    const bool colour = mode == kBackgroundColour;
    label_->setVisible(image || colour);
    button_->setVisible(image || colour);
    image_->setVisible(image);
    colour_->setVisible(colour);
    label_->setText(QString::fromUtf8(colour ? kColourLabel : kImageLabel));
    label_->setBuddy(colour ? static_cast<QWidget*>(colour_->Combo()) : image_);
    button_->setText(colour ? QString::fromUtf8(kColourButton)
                            : QString::fromUtf8(tag_texts::kFileButton));
}

void CBackgroundChoice::OnButton() {
    if (Mode() == kBackgroundColour) {
        colour_->ChooseColour();
        return;
    }
    ReferenceFileRequest request;
    request.kind = ReferenceFileRequest::Kind::kImage;
    request.title = QString::fromUtf8(tag_texts::kImageFileTitle);
    request.filter = QString::fromUtf8(image_texts::kImageFilter);
    request.basePath = documentPath_;
    if (const auto choice = ChooseReferenceFile(window(), request))
        image_->setText(ToQString(choice->reference));
}

// Shared confirmation.

CTableTagDlg::CTableTagDlg(const QString& caption, QWidget* parent)
    : CTagDialog(caption, ConfirmRule::kCheckThenInsertButton, parent) {}

CBackgroundChoice* CTableTagDlg::AddBackground(const QString& title, const QStringList& modeLabels,
                                               const char* recentKey, const QString& documentPath) {
    ColourFieldOptions options;
    options.buttonText = QString::fromUtf8(kColourButton);
    options.maxLength = 7;
    options.sampleBox = true;
    options.defaultColour = kWhite;
    background_ = new CBackgroundChoice(title, modeLabels, AddColourField(recentKey, options),
                                        documentPath, this);
    return background_;
}

void CTableTagDlg::AddNumberField(std::function<std::string()> text) {
    numbers_.push_back(std::move(text));
}

bool CTableTagDlg::CheckFields() {
    if (background_->Mode() == kBackgroundColour && !background_->ColourField()->Check())
        return false;
    for (const auto& text : numbers_) {
        if (!CheckNumberText(text(), this))
            return false;
    }
    return true;
}

void CTableTagDlg::SaveFields() {
    Custom().Store(Store());
    background_->ColourField()->Recent().Remember(background_->Colour(),
                                                  RecentValueList::EmptyValue::kRemember);
}

// TABLE.

CTableDlg::CTableDlg(const TableData& data, const QString& documentPath, QWidget* parent)
    : CTableTagDlg(QStringLiteral("表 <TABLE>"), parent),
      align_(new CRadioGroup(
          QStringLiteral("テキストの回り込み ALIGN="),
          {QStringLiteral("指定しない(&N)"), QStringLiteral("&left (表を左に)"),
           QStringLiteral("&center (表を中央に)"), QStringLiteral("&right (表を右に)")},
          Qt::Horizontal, this)),
      border_(new QLineEdit(this)),
      cellPadding_(new QLineEdit(this)),
      cellSpacing_(new QLineEdit(this)),
      width_(new QLineEdit(this)),
      widthPercent_(new QCheckBox(QStringLiteral("％"), this)),
      height_(new QLineEdit(this)),
      heightPercent_(new QCheckBox(QStringLiteral("％"), this)),
      hspace_(new QLineEdit(this)),
      vspace_(new QLineEdit(this)) {
    QVBoxLayout& content = *ContentLayout();
    auto* lines = new QGridLayout;
    AddFieldRow(*lines, QStringLiteral("外枠の太さ &BORDER="), border_, kPixels);
    AddFieldRow(*lines, QStringLiteral("セル内の余白 CELL&PADDING="), cellPadding_, kPixels);
    AddFieldRow(*lines, QStringLiteral("セル間の線幅 CELL&SPACING="), cellSpacing_, kPixels);
    content.addLayout(lines);

    auto* boxes = new QHBoxLayout;
    QGridLayout* size = AddGridBox(*boxes, QStringLiteral("表のサイズ （ピクセルまたは％）"), this);
    AddFieldRow(*size, QStringLiteral("幅 &WIDTH="), width_);
    size->addWidget(widthPercent_, size->rowCount() - 1, 2);
    AddFieldRow(*size, QStringLiteral("高さ HEIGH&T="), height_);
    size->addWidget(heightPercent_, size->rowCount() - 1, 2);
    QGridLayout* space = AddGridBox(*boxes, QStringLiteral("表の周りの余白 （ピクセル）"), this);
    AddFieldRow(*space, QStringLiteral("左右の余白 &HSPACE="), hspace_);
    AddFieldRow(*space, QStringLiteral("上下の余白 &VSPACE="), vspace_);
    content.addLayout(boxes);
    content.addWidget(align_);
    CBackgroundChoice* background = AddBackground(
        QStringLiteral("表の背景"),
        {QStringLiteral("無し(&N)"), QStringLiteral("画像(I)"), QStringLiteral("色(&C)")},
        recent_keys::kTableBgcolor, documentPath);
    content.addWidget(background);

    for (QLineEdit* field :
         {border_, cellPadding_, cellSpacing_, height_, width_, hspace_, vspace_})
        AddNumberField([field] { return field->text().toStdString(); });

    align_->SetIndex(StartIndex(data.align));
    border_->setText(ToQString(data.border));
    cellPadding_->setText(ToQString(data.cellPadding));
    cellSpacing_->setText(ToQString(data.cellSpacing));
    width_->setText(ToQString(data.width));
    widthPercent_->setChecked(data.widthPercent == 1);
    height_->setText(ToQString(data.height));
    heightPercent_->setChecked(data.heightPercent == 1);
    hspace_->setText(ToQString(data.hspace));
    vspace_->setText(ToQString(data.vspace));
    background->Start(data.bgMode, data.background, data.bgColor);
    OrderFields({border_, cellPadding_, cellSpacing_, width_, widthPercent_, height_,
                 heightPercent_, hspace_, vspace_, align_, background});
}

TableData CTableDlg::Data() const {
    TableData data;
    data.bgMode = Background()->Mode();
    data.align = align_->Index();
    data.background = Background()->Background();
    data.border = border_->text().toStdString();
    data.cellPadding = cellPadding_->text().toStdString();
    data.cellSpacing = cellSpacing_->text().toStdString();
    data.height = height_->text().toStdString();
    data.heightPercent = heightPercent_->isChecked() ? 1 : 0;
    data.hspace = hspace_->text().toStdString();
    data.vspace = vspace_->text().toStdString();
    data.width = width_->text().toStdString();
    data.widthPercent = widthPercent_->isChecked() ? 1 : 0;
    data.bgColor = Background()->Colour();
    return data;
}

// TR.

namespace {
QStringList CellBackgroundLabels(const char* colour) {
    return {QStringLiteral("無し(&X)"), QStringLiteral("画像(&I)"), QString::fromUtf8(colour)};
}
}  // namespace

CRowDlg::CRowDlg(const RowData& data, const QString& documentPath, QWidget* parent)
    : CTableTagDlg(QStringLiteral("表の列 <TR>"), parent),
      align_(new CRadioGroup(QStringLiteral("セル内データの水平位置 ALIGN="), RowAlignLabels(),
                             Qt::Vertical, this)),
      valign_(new CRadioGroup(QStringLiteral("セル内データの垂直位置 VALIGN="), VAlignLabels(),
                              Qt::Vertical, this)) {
    auto* positions = new QHBoxLayout;
    positions->addWidget(align_);
    positions->addWidget(valign_);
    ContentLayout()->addLayout(positions);
    CBackgroundChoice* background =
        AddBackground(QStringLiteral("セルの背景"), CellBackgroundLabels("色((&G)"),
                      recent_keys::kTrBgcolor, documentPath);
    ContentLayout()->addWidget(background);

    align_->SetIndex(StartIndex(data.align));
    valign_->SetIndex(StartIndex(data.valign));
    background->Start(data.bgMode, data.background, data.bgColor);
    OrderFields({align_, valign_, background});
}

RowData CRowDlg::Data() const {
    RowData data;
    data.align = align_->Index();
    data.bgMode = Background()->Mode();
    data.valign = valign_->Index();
    data.background = Background()->Background();
    data.bgColor = Background()->Colour();
    return data;
}

// TD and TH.

CCellDlg::CCellDlg(CellKind kind, const CellData& data, const QString& documentPath,
                   QWidget* parent)
    : CTableTagDlg(kind == CellKind::kHeader ? QStringLiteral("表の見出しセル <TH>")
                                             : QStringLiteral("表のデータセル <TD>"),
                   parent),
      align_(new CRadioGroup(QStringLiteral("セル内データの水平位置 ALIGN="), RowAlignLabels(),
                             Qt::Vertical, this)),
      valign_(new CRadioGroup(QStringLiteral("セル内データの垂直位置 VALIGN="), VAlignLabels(),
                              Qt::Vertical, this)),
      colSpan_(SpanCombo(this)),
      rowSpan_(SpanCombo(this)),
      noWrap_(new QCheckBox(QStringLiteral("セル内改行禁止 NOWRA&P"), this)),
      width_(new QLineEdit(this)),
      height_(new QLineEdit(this)) {
    QVBoxLayout& content = *ContentLayout();
    auto* boxes = new QHBoxLayout;
    QGridLayout* span = AddGridBox(*boxes, QStringLiteral("セルの結合"), this);
    AddFieldRow(*span, QStringLiteral("左右に結合する数 COL&SPAN="), colSpan_);
    AddFieldRow(*span, QStringLiteral("上下に結合する数 R&OWSPAN="), rowSpan_);
    QGridLayout* size = AddGridBox(*boxes, QStringLiteral("セルのサイズ"), this);
    AddFieldRow(*size, QStringLiteral("幅 &WIDTH="), width_, kPixels);
    AddFieldRow(*size, QStringLiteral("高さ &HEGHT="), height_, kPixels);
    content.addLayout(boxes);
    content.addWidget(noWrap_);
    auto* positions = new QHBoxLayout;
    positions->addWidget(align_);
    positions->addWidget(valign_);
    content.addLayout(positions);
    const char* key = kind == CellKind::kHeader ? recent_keys::kThBgcolor : recent_keys::kTdBgcolor;
    CBackgroundChoice* background = AddBackground(
        QStringLiteral("セルの背景"), CellBackgroundLabels("色(&G)"), key, documentPath);
    content.addWidget(background);

    for (QComboBox* combo : {rowSpan_, colSpan_})
        AddNumberField([combo] { return combo->currentText().toStdString(); });
    for (QLineEdit* field : {width_, height_})
        AddNumberField([field] { return field->text().toStdString(); });

    colSpan_->setEditText(ToQString(data.colSpan));
    rowSpan_->setEditText(ToQString(data.rowSpan));
    noWrap_->setChecked(data.noWrap == 1);
    width_->setText(ToQString(data.width));
    height_->setText(ToQString(data.height));
    align_->SetIndex(StartIndex(data.align));
    valign_->SetIndex(StartIndex(data.valign));
    background->Start(data.bgMode, data.background, data.bgColor);
    OrderFields({colSpan_, rowSpan_, width_, height_, noWrap_, align_, valign_, background});
}

CellData CCellDlg::Data() const {
    CellData data;
    data.colSpan = colSpan_->currentText().toStdString();
    data.noWrap = noWrap_->isChecked() ? 1 : 0;
    data.rowSpan = rowSpan_->currentText().toStdString();
    data.align = align_->Index();
    data.valign = valign_->Index();
    data.bgMode = Background()->Mode();
    data.background = Background()->Background();
    data.height = height_->text().toStdString();
    data.width = width_->text().toStdString();
    data.bgColor = Background()->Colour();
    return data;
}

// Writers and commands.

bool WriteTable(CVeskHtmlView& view, TableData& data, int mode, const CTagScanner& scanner) {
    CTableDlg dialog(data, DocumentPath(view), &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping, TableTexts);
}

bool WriteRow(CVeskHtmlView& view, RowData& data, int mode, const CTagScanner& scanner) {
    CRowDlg dialog(data, DocumentPath(view), &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping, RowTexts);
}

bool WriteCell(CVeskHtmlView& view, CellKind kind, CellData& data, int mode,
               const CTagScanner& scanner) {
    CCellDlg dialog(kind, data, DocumentPath(view), &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping,
                         [kind](const CellData& d) { return CellTexts(kind, d); });
}

void InstallTableTagCommands(CVeskHtmlView& view) {
    AddDialogCommand(view, 32846, [](CVeskHtmlView& view) {
        TableData data;
        WriteTable(view, data, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32850, [](CVeskHtmlView& view) {
        RowData data;
        WriteRow(view, data, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32848, [](CVeskHtmlView& view) {
        CellData data;
        WriteCell(view, CellKind::kHeader, data, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32852, [](CVeskHtmlView& view) {
        CellData data;
        WriteCell(view, CellKind::kData, data, kWriterInsert, CTagScanner());
    });
}

}  // namespace vesk
