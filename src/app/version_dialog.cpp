#include "app/version_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const char CVersionDialog::kVersionLine[] = "VeskHtml Version 2.7.6  [ May. 2002 ]";

CVersionDialog::CVersionDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("バージョン情報");
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/veskhtml.svg").pixmap(48, 48));
    auto* text = new QLabel(QString::fromUtf8(kVersionLine), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(text, 1, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
