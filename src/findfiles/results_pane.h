#pragma once
// The docked list of find-in-files results: one row per match (file, line, the line with the
// match marked) or per file with a note (not read, not replaced...), a progress bar and a
// stop button while the worker runs.

#include <QAbstractTableModel>
#include <QString>
#include <QWidget>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeView;

struct FindResultRow {
    QString path;
    QString shownPath;  // relative to the searched folder
    int line = 0;       // 0: a note on the file, no match
    int column = 0;     // bytes from the line's start
    int length = 0;     // bytes of the match
    QString text;       // the line, or the note
    int markStart = 0;  // the match inside text (characters)
    int markLength = 0;
    bool problem = false;  // a note on something that went wrong
};

class CFindResultsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kFile, kLine, kText, kColumnCount };
    // The marked part of the text column, as a QPoint(start, length).
    static constexpr int kMarkRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Clear();
    void Append(std::vector<FindResultRow> rows);
    const FindResultRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  private:
    std::vector<FindResultRow> rows_;
};

class CFindResultsPane : public QWidget {
    Q_OBJECT
  public:
    explicit CFindResultsPane(QWidget* parent = nullptr);

    CFindResultsModel& Model() { return model_; }
    QTreeView* View() const { return view_; }
    QLabel* StatusLabel() const { return status_; }
    QPushButton* StopButton() const { return stop_; }

    // While the worker runs: the progress (total -1: not known yet) and the stop button.
    void ShowRunning(const QString& text, int done, int total);
    void ShowFinished(const QString& text);
    // The first row becomes current when rows first arrive, so Enter opens it.
    void SelectFirstRow();

  signals:
    void StopRequested();
    void RowActivated(int row);

  private:
    CFindResultsModel model_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* stop_;
    QTreeView* view_;
};
