#include "sidepane/path_copy_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "sidepane/file_tree_logic.h"
#include "sidepane/side_pane_texts.h"

CPathCopyDlg::CPathCopyDlg(const QString& relativePath, bool sizeKnown, int width, int height,
                           bool pathOnly, QWidget* parent)
    : QDialog(parent), relativePath_(relativePath) {
    setWindowTitle(QString::fromUtf8(veskview_text::kPathCopyTitle));
    withSize_ =
        QString::fromStdString(vesk::ImageReferenceText(relativePath.toStdString(), width, height));

    auto* group = new QGroupBox(QString::fromUtf8(veskview_text::kPathCopyGroup), this);
    edit_ = new QLineEdit(group);
    edit_->setMinimumWidth(360);
    pathOnlyButton_ = new QRadioButton(QString::fromUtf8(veskview_text::kPathOnly), group);
    pathAndSizeButton_ = new QRadioButton(QString::fromUtf8(veskview_text::kPathAndSize), group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(edit_);
    groupLayout->addWidget(pathOnlyButton_);
    groupLayout->addWidget(pathAndSizeButton_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);

    connect(pathOnlyButton_, &QRadioButton::clicked, this, [this] { Choose(true); });
    connect(pathAndSizeButton_, &QRadioButton::clicked, this, [this] { Choose(false); });

    if (sizeKnown) {
        Choose(pathOnly);
    } else {
        pathOnlyButton_->hide();
        pathAndSizeButton_->hide();
        Choose(true);
    }
    edit_->setFocus();
}

QString CPathCopyDlg::Text() const {
    return edit_->text();
}

void CPathCopyDlg::Choose(bool pathOnly) {
    pathOnly_ = pathOnly;
    pathOnlyButton_->setChecked(pathOnly);
    pathAndSizeButton_->setChecked(!pathOnly);
    edit_->setText(pathOnly ? relativePath_ : withSize_);
}
