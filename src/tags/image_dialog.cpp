#include "tags/image_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "sidepane/file_preview_wnd.h"
#include "tags/relative_paths.h"

namespace vesk {

namespace {

QComboBox* NewListCombo(const QStringList& items, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(items);
    return combo;
}

ReferenceFileRequest ImageFileRequest(const QString& documentPath) {
    ReferenceFileRequest request;
    request.kind = ReferenceFileRequest::Kind::kImage;
    request.title = QString::fromUtf8(tag_texts::kImageFileTitle);
    request.filter = QString::fromUtf8(image_texts::kImageFilter);
    request.basePath = documentPath;
    return request;
}

}  // namespace

CImageDlg::CImageDlg(const ImageData& data, const QString& documentPath, QWidget* parent)
    : CTagDialog(QStringLiteral("画像 <IMG>"), ConfirmRule::kEnter, parent),
      alt_(new QLineEdit(this)),
      align_(NewListCombo({QString(), "left", "right", "top", "middle", "bottom", "texttop",
                           "absmiddle", "absbottom"},
                          this)),
      height_(new QLineEdit(this)),
      src_(new CFileReferenceField(ImageFileRequest(documentPath),
                                   QString::fromUtf8(image_texts::kBrowseButton), this)),
      width_(new QLineEdit(this)),
      hspace_(new QLineEdit(this)),
      vspace_(new QLineEdit(this)),
      border_(
          NewListCombo({QString(), "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, this)),
      sizeButton_(new QPushButton(QString::fromUtf8(image_texts::kSizeButton), this)),
      preview_(new CFilePreviewWnd(this)) {
    auto* top = new QGridLayout;
    AddFieldRow(*top, QStringLiteral("画像のURL &SRC="), src_, QString(), src_->Edit());
    AddFieldRow(*top, QStringLiteral("表示するテキスト AL&T="), alt_);
    top->setColumnStretch(1, 1);

    // Size and spacing in two columns.
    auto* left = new QGridLayout;
    AddFieldRow(*left, QStringLiteral("幅 &WIDTH="), width_);
    AddFieldRow(*left, QStringLiteral("高さ &HEIGHT="), height_);
    AddFieldRow(*left, QStringLiteral("枠の太さ &BORDER="), border_);
    auto* right = new QGridLayout;
    AddFieldRow(*right, QStringLiteral("左右 &HSPACE="), hspace_);
    AddFieldRow(*right, QStringLiteral("上下 &VSPACE="), vspace_);
    AddFieldRow(*right, QStringLiteral("ﾃｷｽﾄの回り込み &ALIGN="), align_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    auto* fields = new QVBoxLayout;
    fields->addLayout(top);
    fields->addLayout(columns);
    fields->addStretch(1);

    sizeButton_->setToolTip(QString::fromUtf8(image_texts::kSizeTip));
    preview_->SetOptions(SidePanePreviewOptions(1));
    preview_->setFixedSize(170, 160);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(preview_);
    previewColumn->addWidget(sizeButton_);
    previewColumn->addStretch(1);

    auto* row = new QHBoxLayout;
    row->addLayout(fields, 1);
    row->addLayout(previewColumn);
    ContentLayout()->addLayout(row);

    alt_->setText(ToQString(data.alt));
    align_->setEditText(ToQString(data.align));
    height_->setText(ToQString(data.height));
    src_->SetText(data.src);
    width_->setText(ToQString(data.width));
    hspace_->setText(ToQString(data.hspace));
    vspace_->setText(ToQString(data.vspace));
    border_->setEditText(ToQString(data.border));

    // The picture the SRC names, seen from the document's folder.
    preview_->ShowFile(ToQString(ResolveLink(data.src, documentPath.toStdString(), '/')));
    sizeButton_->setEnabled(preview_->Holder().IsLoaded());

    connect(sizeButton_, &QPushButton::clicked, this, [this] { ImportSize(); });
    connect(src_, &CFileReferenceField::Chosen, this,
            [this](const ReferenceFileChoice& choice) { OnChosen(choice); });
    OrderFields({src_->Edit(), src_->Button(), alt_, width_, height_, border_, hspace_, vspace_,
                 align_, sizeButton_});
    setMinimumWidth(560);
}

void CImageDlg::ImportSize() {
    std::string height, width, kilobytes;
    if (!preview_->Holder().GetSizeTexts(&height, &width, &kilobytes))
        return;
    width_->setText(ToQString(width));
    height_->setText(ToQString(height));
}

void CImageDlg::OnChosen(const ReferenceFileChoice& choice) {
    // The size comes with the new picture; the button has nothing more to give.
    sizeButton_->setEnabled(false);
    preview_->ShowFile(choice.fullPath);
    std::string height, width, kilobytes;
    preview_->Holder().GetSizeTexts(&height, &width, &kilobytes);
    width_->setText(ToQString(width));
    height_->setText(ToQString(height));
}

ImageData CImageDlg::Data() const {
    ImageData data;
    data.alt = alt_->text().toStdString();
    data.align = align_->currentText().toStdString();
    data.height = height_->text().toStdString();
    data.src = src_->Text();
    data.width = width_->text().toStdString();
    data.hspace = hspace_->text().toStdString();
    data.vspace = vspace_->text().toStdString();
    data.border = border_->currentText().toStdString();
    return data;
}

}  // namespace vesk
