#include "tags/link_dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "sidepane/file_preview_wnd.h"
#include "tags/recent_values.h"
#include "tags/relative_paths.h"

namespace vesk {

namespace {

// An editable combo box that never adds typed text to its list.
QComboBox* NewEditableCombo(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    return combo;
}

ReferenceFileRequest LinkFileRequest(const QString& documentPath) {
    ReferenceFileRequest request;
    request.kind = ReferenceFileRequest::Kind::kLink;
    request.title = QString::fromUtf8(tag_texts::kLinkFileTitle);
    request.filter = QString::fromUtf8(link_texts::kLinkFilter);
    request.basePath = documentPath;
    return request;
}

}  // namespace

CLinkDlg::CLinkDlg(const LinkData& data, const QString& documentPath, QWidget* parent)
    : CTagDialog(QStringLiteral("ファイル又はウェブサイトへのリンク　<A HREF= >"),
                 ConfirmRule::kEnter, parent),
      documentPath_(documentPath),
      anchorNames_(data.anchorNames),
      anchor_(NewEditableCombo(this)),
      target_(NewEditableCombo(this)),
      title_(new QLineEdit(this)),
      href_(new CFileReferenceField(LinkFileRequest(documentPath),
                                    QString::fromUtf8(tag_texts::kFileButton), this)),
      preview_(new CFilePreviewWnd(this)) {
    auto* grid = new QGridLayout;
    AddFieldRow(*grid, QStringLiteral("URL &HREF="), href_, QString(), href_->Edit());
    AddFieldRow(*grid, QStringLiteral("リンク先のアンカーネーム指定　＃(&N)"), anchor_);
    AddFieldRow(*grid, QStringLiteral("リンクページを開くウインドウの指定　&TARGET="), target_);
    AddFieldRow(*grid, QStringLiteral("リンク先ドキュメントのタイトル　TITL&E="), title_);
    grid->setColumnStretch(1, 1);

    preview_->SetOptions(SidePanePreviewOptions(1));
    preview_->setFixedSize(160, 150);
    auto* fields = new QVBoxLayout;
    fields->addLayout(grid);
    fields->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addLayout(fields, 1);
    row->addWidget(preview_, 0, Qt::AlignTop);
    ContentLayout()->addLayout(row);
    OrderFields({href_->Edit(), href_->Button(), anchor_, target_, title_});
    setMinimumWidth(760);

    // The document's anchor names, in document order; one empty entry when it has none.
    if (anchorNames_.empty()) {
        anchor_->addItem(QString());
    } else {
        for (const std::string& name : anchorNames_) anchor_->addItem(ToQString(name));
    }
    target_->addItems({QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_self"),
                       QStringLiteral("_top")});

    anchor_->setEditText(ToQString(data.anchor));
    target_->setEditText(ToQString(data.target));
    title_->setText(ToQString(data.title));
    href_->SetText(data.href);
    ShowTarget();

    connect(href_, &CFileReferenceField::Chosen, this,
            [this](const ReferenceFileChoice& choice) { preview_->ShowFile(choice.fullPath); });
    connect(href_->Edit(), &QLineEdit::editingFinished, this, [this] { ShowTarget(); });
}

void CLinkDlg::ShowTarget() {
    const std::string target = ResolveLink(href_->Text(), documentPath_.toStdString(), '/');
    preview_->ShowFile(ToQString(target));
}

LinkData CLinkDlg::Data() const {
    LinkData data;
    data.anchor = anchor_->currentText().toStdString();
    data.target = target_->currentText().toStdString();
    data.title = title_->text().toStdString();
    data.href = href_->Text();
    data.anchorNames = anchorNames_;
    return data;
}

CMailLinkDlg::CMailLinkDlg(const MailLinkData& data, QWidget* parent, ISettingsStore& store)
    : CTagDialog(QStringLiteral("メールへのリンク <A HREF=\"mailto: \">"),
                 ConfirmRule::kInsertButton, parent, QString::fromUtf8(tag_texts::kInsert), store),
      title_(new QLineEdit(this)),
      address_(NewEditableCombo(this)) {
    auto* grid = new QGridLayout;
    AddFieldRow(*grid, QStringLiteral("リンク先のメールアドレス　&HREF=\"mailto:  \""), address_);
    AddFieldRow(*grid, QStringLiteral("タイトルの設定　&TITLE="), title_);
    grid->setColumnStretch(1, 1);
    ContentLayout()->addLayout(grid);

    // Only what looks like an address is offered.
    RecentValueList(recent_keys::kMailTo, Store()).Fill(*address_, [](std::string_view value) {
        return value.find('@') != std::string_view::npos;
    });
    address_->setEditText(ToQString(data.address));
    title_->setText(ToQString(data.title));
    address_->setMinimumWidth(220);
    OrderFields({address_, title_});
}

MailLinkData CMailLinkDlg::Data() const {
    return {title_->text().toStdString(), address_->currentText().toStdString()};
}

void CMailLinkDlg::SaveFields() {
    RecentValueList(recent_keys::kMailTo, Store()).Remember(Data().address);
}

CAnchorDlg::CAnchorDlg(const AnchorData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("リンクアンカー <A NAME= >"), ConfirmRule::kEnter, parent),
      name_(new QLineEdit(this)) {
    auto* grid = new QGridLayout;
    AddFieldRow(*grid, QStringLiteral("アンカーネーム &NAME="), name_);
    grid->setColumnStretch(1, 1);
    ContentLayout()->addLayout(grid);
    name_->setText(ToQString(data.name));
    name_->setMinimumWidth(200);
    OrderFields({name_});
}

AnchorData CAnchorDlg::Data() const {
    return {name_->text().toStdString()};
}

}  // namespace vesk
