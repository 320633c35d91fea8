#include "findfiles/results_pane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>
#include <functional>

#include "findfiles/find_in_files_texts.h"

namespace text = findfiles_text;

namespace {

const QColor kMarkBackground(0xFF, 0xE0, 0x60);
const QColor kProblemText(0xC0, 0x00, 0x00);

// Draws the line with its match on a marker colour, in bold.
class MarkedTextDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant mark = index.data(CFindResultsModel::kMarkRole);
        if (!mark.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString line = item.text;
        item.text.clear();
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget)
                               .adjusted(margin, 0, -margin, 0);

        const QPoint span = mark.toPoint();
        const QString before = line.left(span.x());
        const QString hit = line.mid(span.x(), span.y());
        const QString after = line.mid(span.x() + span.y());
        const bool selected = (item.state & QStyle::State_Selected) != 0;
        const QColor ink =
            item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        QFont bold = item.font;
        bold.setBold(true);

        painter->save();
        painter->setClipRect(area);
        painter->setPen(ink);
        painter->setFont(item.font);
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        QRect rest = area;
        // Whatever does not fit ends in an ellipsis.
        auto draw = [&](QString piece, const QFont& font, bool marked) {
            if (rest.width() <= 0 || piece.isEmpty())
                return;
            const QFontMetrics metrics(font);
            if (metrics.horizontalAdvance(piece) > rest.width())
                piece = metrics.elidedText(piece, Qt::ElideRight, rest.width());
            const int width = metrics.horizontalAdvance(piece);
            const QRect box(rest.left(), rest.top(), width, rest.height());
            if (marked) {
                painter->fillRect(box.adjusted(0, 1, 0, -1), kMarkBackground);
                painter->setPen(selected ? QColor(Qt::black) : ink);
            }
            painter->setFont(font);
            painter->drawText(box, flags, piece);
            painter->setPen(ink);
            rest.setLeft(rest.left() + width);
        };
        draw(before, item.font, false);
        draw(hit, bold, true);
        draw(after, item.font, false);
        painter->restore();
    }
};

// Enter opens a row when the key comes up, not when it goes down: the opened document takes
// the focus, and a key release arriving there without its press would be handled as a typed
// Enter, collapsing the selected match.
class EnterOnRelease : public QObject {
  public:
    EnterOnRelease(QTreeView* view, std::function<void(int row)> activate)
        : QObject(view), view_(view), activate_(std::move(activate)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            key->modifiers() & ~Qt::KeypadModifier) {
            return false;
        }
        if (event->type() == QEvent::KeyPress) {
            pressed_ = !key->isAutoRepeat() || pressed_;
        } else if (pressed_ && !key->isAutoRepeat()) {
            pressed_ = false;
            if (view_->currentIndex().isValid())
                activate_(view_->currentIndex().row());
        }
        return true;
    }

  private:
    QTreeView* view_;
    std::function<void(int row)> activate_;
    bool pressed_ = false;
};

}  // namespace

int CFindResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CFindResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CFindResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FindResultRow& row = Row(index.row());
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == kFile)
                return row.shownPath;
            if (index.column() == kLine)
                return row.line > 0 ? QVariant(row.line) : QVariant();
            return row.text;
        case Qt::ToolTipRole:
            return index.column() == kFile ? row.path : QVariant();
        case Qt::TextAlignmentRole:
            if (index.column() == kLine)
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        case Qt::ForegroundRole:
            return row.problem && index.column() == kText ? QVariant(kProblemText) : QVariant();
        case kMarkRole:
            if (index.column() == kText && row.line > 0)
                return QPoint(row.markStart, row.markLength);
            return {};
        default:
            return {};
    }
}

QVariant CFindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[] = {text::kFileColumn, text::kLineColumn, text::kTextColumn};
    return section >= 0 && section < kColumnCount ? QString::fromUtf8(kTitles[section])
                                                  : QVariant();
}

void CFindResultsModel::Clear() {
    beginResetModel();
    std::vector<FindResultRow>().swap(rows_);
    endResetModel();
}

void CFindResultsModel::Append(std::vector<FindResultRow> rows) {
    if (rows.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
}

CFindResultsPane::CFindResultsPane(QWidget* parent) : QWidget(parent), model_(this) {
    setObjectName("findResultsPane");
    status_ = new QLabel(this);
    status_->setObjectName("status");
    status_->setTextFormat(Qt::PlainText);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("progress");
    progress_->setFixedWidth(200);
    progress_->setTextVisible(false);
    progress_->hide();
    stop_ = new QPushButton(QString::fromUtf8(text::kStopButton), this);
    stop_->setObjectName("stop");
    stop_->setEnabled(false);

    view_ = new QTreeView(this);
    view_->setObjectName("results");
    view_->setModel(&model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAlternatingRowColors(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setTextElideMode(Qt::ElideMiddle);
    view_->setItemDelegateForColumn(CFindResultsModel::kText, new MarkedTextDelegate(view_));
    view_->header()->setStretchLastSection(true);
    view_->setColumnWidth(CFindResultsModel::kFile, 240);
    view_->setColumnWidth(CFindResultsModel::kLine, 56);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(status_, 1);
    top->addWidget(progress_);
    top->addWidget(stop_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(3);
    layout->addLayout(top);
    layout->addWidget(view_, 1);

    connect(stop_, &QPushButton::clicked, this, &CFindResultsPane::StopRequested);
    // A double click activates a row, and so does Enter (see EnterOnRelease).
    connect(view_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit RowActivated(index.row()); });
    view_->installEventFilter(
        new EnterOnRelease(view_, [this](int row) { emit RowActivated(row); }));
}

void CFindResultsPane::ShowRunning(const QString& text, int done, int total) {
    status_->setText(text);
    progress_->show();
    if (total < 0) {
        progress_->setRange(0, 0);  // busy until the files are known
    } else {
        progress_->setRange(0, std::max(total, 1));
        progress_->setValue(done);
    }
    stop_->setEnabled(true);
}

void CFindResultsPane::ShowFinished(const QString& text) {
    status_->setText(text);
    progress_->hide();
    stop_->setEnabled(false);
}

void CFindResultsPane::SelectFirstRow() {
    if (model_.rowCount() > 0 && !view_->currentIndex().isValid())
        view_->setCurrentIndex(model_.index(0, 0));
}
