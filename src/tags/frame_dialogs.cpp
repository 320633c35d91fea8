#include "tags/frame_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "tags/page_dialogs.h"

namespace vesk {

namespace {

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

ReferenceFileRequest SrcRequest(const QString& documentPath) {
    ReferenceFileRequest request;
    request.kind = ReferenceFileRequest::Kind::kLink;
    request.title = Q(tag_texts::kLinkFileTitle);
    request.filter = Q(frame_texts::kSrcFilter);
    request.basePath = documentPath;
    // A frame may show a page that is yet to be written.
    request.requireExistingFile = false;
    request.rememberFilter = false;
    return request;
}

}  // namespace

// FRAMESET.

CFramesetDlg::CFramesetDlg(const FramesetData& data, QWidget* parent, ISettingsStore& store)
    : CTagDialog(Q(frame_texts::kFramesetCaption), ConfirmRule::kCheckThenInsertButton, parent,
                 Q(tag_texts::kInsert), store),
      division_(new CDivisionFields(this)) {
    ContentLayout()->addWidget(division_);
    division_->SetFields(data.cols, data.colsPercent, data.rows, data.rowsPercent, data.border);
    OrderFields({division_->ColsEdit(), division_->ColsPercentBox(), division_->RowsEdit(),
                 division_->RowsPercentBox(), division_->BorderEdit()});
}

FramesetData CFramesetDlg::Data() const {
    FramesetData data;
    data.colsPercent = division_->ColsPercent();
    data.border = division_->Border();
    data.cols = division_->Cols();
    data.rows = division_->Rows();
    data.rowsPercent = division_->RowsPercent();
    return data;
}

bool CFramesetDlg::CheckFields() {
    return division_->Check(this);
}

void CFramesetDlg::SaveFields() {
    division_->DropPercentSigns();
}

// FRAME.

CFrameDlg::CFrameDlg(const FrameData& data, const QString& documentPath, QWidget* parent,
                     ISettingsStore& store)
    : CTagDialog(Q(frame_texts::kFrameCaption), ConfirmRule::kCheckThenInsertButton, parent,
                 Q(tag_texts::kInsert), store),
      borderColorOn_(new QCheckBox(Q(frame_texts::kBorderColorOn), this)),
      frameBorderNo_(new QCheckBox(Q(frame_texts::kFrameBorderNo), this)),
      noResize_(new QCheckBox(Q(frame_texts::kNoResize), this)),
      scrollingNo_(new QCheckBox(Q(frame_texts::kScrollingNo), this)),
      borderColor_(nullptr),
      marginHeight_(new QLineEdit(this)),
      marginWidth_(new QLineEdit(this)),
      name_(new QLineEdit(this)),
      src_(new CFileReferenceField(SrcRequest(documentPath), Q(tag_texts::kFileButton), this)) {
    ColourFieldOptions options;
    options.buttonText = Q(frame_texts::kColourButton);
    options.maxLength = 7;
    options.sampleBox = true;
    options.defaultColour = kDefaultBorderColour;
    borderColor_ = AddColourField(recent_keys::kFrameBordercolor, options);

    auto* borderGroup = new QGroupBox(Q(frame_texts::kBorderGroup), this);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(borderColorOn_);
    colourRow->addWidget(borderColor_, 1);
    auto* borderLayout = new QVBoxLayout(borderGroup);
    borderLayout->addLayout(colourRow);
    borderLayout->addWidget(frameBorderNo_);

    auto* marginGroup = new QGroupBox(Q(frame_texts::kMarginGroup), this);
    auto* marginGrid = new QGridLayout(marginGroup);
    AddFieldRow(*marginGrid, Q(frame_texts::kMarginHeight), marginHeight_,
                Q(frame_texts::kPixelsNote));
    AddFieldRow(*marginGrid, Q(frame_texts::kMarginWidth), marginWidth_,
                Q(frame_texts::kPixelsNote));

    auto* grid = new QGridLayout;
    AddFieldRow(*grid, Q(frame_texts::kSrc), src_, QString(), src_->Edit());
    AddFieldRow(*grid, Q(frame_texts::kName), name_);
    grid->setColumnStretch(1, 1);

    ContentLayout()->addLayout(grid);
    ContentLayout()->addWidget(borderGroup);
    ContentLayout()->addWidget(noResize_);
    ContentLayout()->addWidget(scrollingNo_);
    ContentLayout()->addWidget(marginGroup);
    setMinimumWidth(460);

    borderColorOn_->setChecked(data.borderColorOn != 0);
    frameBorderNo_->setChecked(data.frameBorderNo != 0);
    noResize_->setChecked(data.noResize != 0);
    scrollingNo_->setChecked(data.scrollingNo != 0);
    borderColor_->SetText(data.borderColor);
    marginHeight_->setText(ToQString(data.marginHeight));
    marginWidth_->setText(ToQString(data.marginWidth));
    name_->setText(ToQString(data.name));
    src_->SetText(data.src);
    ShowBorderChoice();

    connect(borderColorOn_, &QCheckBox::toggled, this, [this] { ShowBorderChoice(); });
    connect(frameBorderNo_, &QCheckBox::toggled, this, [this] { ShowBorderChoice(); });
    OrderFields({src_->Edit(), src_->Button(), name_, borderColorOn_, borderColor_->Combo(),
                 borderColor_->Button(), frameBorderNo_, noResize_, scrollingNo_, marginHeight_,
                 marginWidth_});
}

void CFrameDlg::ShowBorderChoice() {
    // Each choice locks the other, but a box that is checked stays free: a tag
    // holding both attributes opens with both checked, and either can go.
    const bool colour = borderColorOn_->isChecked();
    const bool noBorder = frameBorderNo_->isChecked();
    frameBorderNo_->setEnabled(!colour || noBorder);
    borderColorOn_->setEnabled(!noBorder || colour);
    borderColor_->setVisible(colour);
}

FrameData CFrameDlg::Data() const {
    FrameData data;
    data.borderColorOn = borderColorOn_->isChecked() ? 1 : 0;
    data.frameBorderNo = frameBorderNo_->isChecked() ? 1 : 0;
    data.noResize = noResize_->isChecked() ? 1 : 0;
    data.scrollingNo = scrollingNo_->isChecked() ? 1 : 0;
    data.borderColor = borderColor_->Text();
    data.marginHeight = marginHeight_->text().toStdString();
    data.marginWidth = marginWidth_->text().toStdString();
    data.name = name_->text().toStdString();
    data.src = src_->Text();
    return data;
}

bool CFrameDlg::CheckFields() {
    if (borderColorOn_->isChecked() && !borderColor_->Text().empty() && !borderColor_->Check())
        return false;
    return CheckNumberText(marginWidth_->text().toStdString(), this) &&
           CheckNumberText(marginHeight_->text().toStdString(), this);
}

void CFrameDlg::SaveFields() {
    Custom().Store(Store());
    borderColor_->Recent().Push(borderColor_->Text());
}

}  // namespace vesk
