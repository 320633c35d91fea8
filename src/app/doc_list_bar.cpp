#include "app/doc_list_bar.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOption>

#include "app/doc_list.h"

namespace {

// Rebuilt each time it drops down, so the list never goes stale.
class DropDownBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> aboutToDrop;

  protected:
    void showPopup() override {
        if (aboutToDrop)
            aboutToDrop();
        QComboBox::showPopup();
    }
};

// A toolbar-like gripper in place of the title bar: the bar is moved by it
// and shown or hidden from the settings.
class Gripper : public QWidget {
  public:
    explicit Gripper(QDockWidget* dock) : QWidget(dock), dock_(dock) {}
    QSize sizeHint() const override { return {10, 10}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOption option;
        option.initFrom(this);
        const bool vertical = dock_->features() & QDockWidget::DockWidgetVerticalTitleBar;
        if (vertical)
            option.state |= QStyle::State_Horizontal;
        option.rect = rect().adjusted(1, 2, -1, -2);
        style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &option, &painter, this);
    }

  private:
    QDockWidget* dock_;
};

}  // namespace

CDocListBar::CDocListBar(Host host, QWidget* parent)
    : QDockWidget(QString::fromUtf8("ドキュメントリスト"), parent), host_(std::move(host)) {
    setObjectName("DocumentList");
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setTitleBarWidget(new Gripper(this));
    auto* box = new DropDownBox(this);
    box->aboutToDrop = [this] { RebuildDocumentList(); };
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(200 / 14);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(20);
    QFont font(QString::fromUtf8("ＭＳ Ｐ ゴシック"));
    font.setPixelSize(13);
    font.setWeight(QFont::Normal);
    box->setFont(font);
    box_ = box;
    connect(box_, qOverload<int>(&QComboBox::activated), this, &CDocListBar::OnChosen);
    setWidget(box_);
    setMinimumSize(200, 30);
}

QString CDocListBar::LineOf(const DocumentListEntry& entry) const {
    return QString::fromStdString(
        FormatDocumentLine(entry.shownPath.toStdString(), entry.pageTitle.toStdString(),
                           entry.groupName.toStdString(), host_.items ? host_.items() : 3));
}

void CDocListBar::RebuildDocumentList() {
    entries_ = host_.collect ? host_.collect() : std::vector<DocumentListEntry>{};
    RefillFromEntries();
}

void CDocListBar::RefillFromEntries() {
    const QSignalBlocker blocker(box_);
    box_->clear();
    for (const DocumentListEntry& entry : entries_) box_->addItem(LineOf(entry));
    ShowActiveDocument();
}

void CDocListBar::ShowActiveDocument() {
    DocumentListEntry entry;
    const QString line = host_.active && host_.active(entry) ? LineOf(entry) : QString();
    const QSignalBlocker blocker(box_);
    box_->setCurrentIndex(-1);
    box_->setEditText(line);
    if (box_->lineEdit())
        box_->lineEdit()->setCursorPosition(0);
}

void CDocListBar::OnChosen(int index) {
    // The entries can be older than the open windows; a view closed since the
    // last drop-down is not in the list any more after the next rebuild.
    if (index >= 0 && index < static_cast<int>(entries_.size()) && host_.activate)
        host_.activate(entries_[index].view);
    ShowActiveDocument();
}
