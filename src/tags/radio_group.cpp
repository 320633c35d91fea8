#include "tags/radio_group.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

namespace vesk {

CRadioGroup::CRadioGroup(const QString& title, const QStringList& labels,
                         Qt::Orientation orientation, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QBoxLayout(
        orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    for (const QString& label : labels) {
        auto* button = new QRadioButton(label, this);
        group_->addButton(button, static_cast<int>(buttons_.size()));
        buttons_.push_back(button);
        layout->addWidget(button);
    }
    if (orientation == Qt::Horizontal)
        layout->addStretch(1);
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit IndexChanged(id);
    });
}

int CRadioGroup::Index() const {
    return group_->checkedId();
}

void CRadioGroup::SetIndex(int index) {
    if (index >= 0 && index < Count()) {
        buttons_[static_cast<size_t>(index)]->setChecked(true);
        return;
    }
    // An exclusive group never lets the last checked button go by itself.
    group_->setExclusive(false);
    for (QRadioButton* button : buttons_) button->setChecked(false);
    group_->setExclusive(true);
}

}  // namespace vesk
