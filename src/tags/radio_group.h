#pragma once
// A group box of radio buttons whose state is one index: the checked button,
// or -1 when none is checked (a new list dialog starts that way).

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace vesk {

class CRadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    CRadioGroup(const QString& title, const QStringList& labels,
                Qt::Orientation orientation = Qt::Vertical, QWidget* parent = nullptr);

    int Index() const;
    // An index outside the group unchecks every button.
    void SetIndex(int index);
    QRadioButton* Button(int index) const { return buttons_.at(static_cast<size_t>(index)); }
    int Count() const { return static_cast<int>(buttons_.size()); }

  signals:
    // A button was checked, by the user or by SetIndex.
    void IndexChanged(int index);

  private:
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
};

}  // namespace vesk
