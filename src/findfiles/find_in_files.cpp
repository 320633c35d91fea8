#include "findfiles/find_in_files.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QTreeView>
#include <chrono>
#include <memory>

#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "findfiles/find_in_files_dialog.h"
#include "findfiles/find_in_files_texts.h"
#include "findfiles/results_pane.h"
#include "platform/dialog_seam.h"
#include "platform/message_seam.h"
#include "platform/settings_store.h"

namespace text = findfiles_text;
using vesk::MsgAnswer;
using vesk::MsgButtons;
using vesk::MsgIcon;
using vesk::findfiles::FileProblem;
using vesk::findfiles::FileReplaceResult;
using vesk::findfiles::FileResult;
using vesk::findfiles::ReplaceOutcome;
using vesk::findfiles::SearchRequest;
using vesk::findfiles::TextFinder;

namespace {

// Rows of matches the list takes in all; later matches are counted only.
constexpr int kMaxListedRows = 50000;
// The worker reports at most this often.
constexpr std::chrono::milliseconds kReportInterval(40);
// Files named in a message before "and n more".
constexpr int kFilesNamed = 10;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

QString EncodingLabel(vesk::TextEncoding encoding) {
    return Utf8(vesk::EncodingName(encoding));
}

bool WillReplace(const FileResult& result) {
    return result.problem == FileProblem::None && result.count > 0 &&
           result.outcome == ReplaceOutcome::Replaced;
}

bool WillSkip(const FileResult& result) {
    return result.problem != FileProblem::None ||
           (result.count > 0 && result.outcome != ReplaceOutcome::Replaced);
}

// Why a file is not searched or not replaced; empty when it is.
QString SkipReason(FileProblem problem, const QString& error, ReplaceOutcome outcome,
                   vesk::TextEncoding encoding, const std::string& failChar) {
    switch (problem) {
        case FileProblem::Unreadable:
            return Text(text::kUnreadable).arg(error);
        case FileProblem::TooLarge:
            return Text(text::kTooLarge);
        case FileProblem::None:
            break;
    }
    switch (outcome) {
        case ReplaceOutcome::NotDecodedCleanly:
            return Text(text::kNotClean);
        case ReplaceOutcome::CannotHold:
            return Text(text::kCannotHold).arg(EncodingLabel(encoding), Utf8(failChar));
        case ReplaceOutcome::WouldChangeOtherBytes:
            return Text(text::kOtherBytes).arg(EncodingLabel(encoding));
        case ReplaceOutcome::Replaced:
        case ReplaceOutcome::NoMatch:
            break;
    }
    return {};
}

QString SkipReason(const FileResult& result) {
    return SkipReason(result.problem, result.error, result.outcome, result.encoding,
                      result.failChar);
}

// A few names, one a line, then how many more.
QString ListOf(const QStringList& lines) {
    QStringList shown = lines.mid(0, kFilesNamed);
    if (lines.size() > kFilesNamed)
        shown << Text(text::kMoreFiles).arg(lines.size() - kFilesNamed);
    return shown.join("\r\n");
}

// Character count of the first bytes of a UTF-8 text.
int CharactersIn(const std::string& utf8, std::size_t bytes) {
    return static_cast<int>(Utf8(std::string_view(utf8).substr(0, bytes)).size());
}

// Every match of the open document replaced as one undo step; the number replaced.
int ReplaceInView(CVeskHtmlView& view, const TextFinder& finder, std::string_view replacement) {
    CTextControl& control = view.Control();
    const std::string_view text = control.WholeTextView();
    const std::vector<std::size_t> offsets = finder.FindAll(text);
    if (offsets.empty())
        return 0;
    const vesk::findfiles::SpanEdit edit =
        vesk::findfiles::ReplacementSpan(text, offsets, finder.Length(), replacement);
    CTextControl::FreezePainting freeze(control);
    view.ReplaceRange(static_cast<int>(edit.start), static_cast<int>(edit.end), edit.text);
    return static_cast<int>(offsets.size());
}

}  // namespace

// What the worker hands the user-interface thread at a time.
struct CFindInFiles::Batch {
    int generation = 0;
    int done = 0;
    int total = -1;
    bool last = false;
    bool stopped = false;
    std::vector<FileResult> found;
    std::vector<std::pair<QString, FileReplaceResult>> replaced;
};

// Gathers the worker's results and posts them to the user-interface thread now and then.
class CFindInFiles::Poster {
  public:
    Poster(CFindInFiles* owner, int generation) : owner_(owner) { batch_.generation = generation; }
    const std::atomic<bool>& StopFlag() const { return owner_->stop_; }
    bool Stopped() const { return owner_->stop_.load(std::memory_order_relaxed); }

    void Progress(int done, int total) {
        batch_.done = done;
        batch_.total = total;
        if (Clock::now() - lastPost_ >= kReportInterval)
            Post();
    }
    void Found(FileResult result) { batch_.found.push_back(std::move(result)); }
    void Replaced(const QString& path, FileReplaceResult result) {
        batch_.replaced.emplace_back(path, std::move(result));
    }
    void Finish() {
        batch_.last = true;
        batch_.stopped = Stopped();
        Post();
    }

  private:
    using Clock = std::chrono::steady_clock;

    void Post() {
        auto posted = std::make_shared<Batch>(std::move(batch_));
        batch_ = Batch{};
        batch_.generation = posted->generation;
        batch_.done = posted->done;
        batch_.total = posted->total;
        lastPost_ = Clock::now();
        CFindInFiles* owner = owner_;
        QMetaObject::invokeMethod(
            owner, [owner, posted] { owner->OnBatch(*posted); }, Qt::QueuedConnection);
    }

    CFindInFiles* owner_;
    Batch batch_;
    Clock::time_point lastPost_ = Clock::now();
};

CFindInFiles::CFindInFiles(FindInFilesHost host, QMainWindow* frame)
    : QObject(frame), host_(std::move(host)), frame_(frame) {
    dock_ = new QDockWidget(Text(text::kPaneTitle), frame);
    dock_->setObjectName("FindInFilesResults");
    dock_->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    pane_ = new CFindResultsPane(dock_);
    dock_->setWidget(pane_);
    frame->addDockWidget(Qt::BottomDockWidgetArea, dock_);
    dock_->hide();
    connect(pane_, &CFindResultsPane::StopRequested, this, &CFindInFiles::Stop);
    connect(pane_, &CFindResultsPane::RowActivated, this, &CFindInFiles::OpenRow);
}

CFindInFiles::~CFindInFiles() {
    Stop();
    Join();
}

void CFindInFiles::Stop() {
    stop_ = true;
}

void CFindInFiles::Join() {
    if (worker_.joinable())
        worker_.join();
}

QString CFindInFiles::ActiveFolder() const {
    CVeskHtmlView* view = host_.activeView ? host_.activeView() : nullptr;
    if (!view || !view->Document() || view->Document()->PathName().isEmpty())
        return {};
    return QFileInfo(view->Document()->PathName()).absolutePath();
}

QHash<QString, vesk::findfiles::OpenText> CFindInFiles::OpenTexts() const {
    QHash<QString, vesk::findfiles::OpenText> texts;
    for (CVeskHtmlView* view : host_.views()) {
        const QString path = view->Document() ? view->Document()->PathName() : QString();
        const QString canonical = path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
        if (!canonical.isEmpty())
            texts.insert(canonical, {view->Control().WholeText(), view->Document()->Encoding()});
    }
    return texts;
}

CVeskHtmlView* CFindInFiles::OpenViewOf(const QString& path) const {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return nullptr;
    for (CVeskHtmlView* view : host_.views()) {
        const QString own = view->Document() ? view->Document()->PathName() : QString();
        if (!own.isEmpty() && QFileInfo(own).canonicalFilePath() == canonical)
            return view;
    }
    return nullptr;
}

QString CFindInFiles::ShownPath(const QString& path) const {
    return QDir::toNativeSeparators(QDir(request_.folder).relativeFilePath(path));
}

void CFindInFiles::Open() {
    if (mode_ == Mode::Replacing) {
        dock_->show();
        dock_->raise();
        return;
    }
    CFindInFilesDialog dialog(frame_);
    ISettingsStore& store = AppStore();
    dialog.Load(store, ActiveFolder());
    for (;;) {
        const int result = vesk::RunDialog(dialog);
        if (result != CFindInFilesDialog::kFind && result != CFindInFilesDialog::kReplace)
            return;
        SearchRequest request = dialog.Request(result);
        if (request.what.empty())
            return;
        if (request.folder.isEmpty() || !QFileInfo(request.folder).isDir()) {
            vesk::ShowMessage(Text(text::kFolderMissing).arg(dialog.folderEdit->text()),
                              Text(text::kCaption), MsgIcon::Exclamation, MsgButtons::Ok, &dialog);
            continue;
        }
        dialog.Save(store);
        Start(std::move(request));
        return;
    }
}

void CFindInFiles::StartWorker(std::function<void(Poster&)> work) {
    Stop();
    Join();
    stop_ = false;
    const int generation = ++generation_;
    worker_ = std::thread([this, generation, work = std::move(work)] {
        Poster poster(this, generation);
        work(poster);
        poster.Finish();
    });
}

void CFindInFiles::Start(SearchRequest request) {
    Stop();
    Join();
    request.openTexts = OpenTexts();
    request_ = request;
    request_.openTexts.clear();
    summaries_.clear();
    filesSearched_ = 0;
    matchCount_ = 0;
    listed_ = 0;
    mode_ = Mode::Searching;
    pane_->Model().Clear();
    pane_->ShowRunning(Text(text::kListing), 0, -1);
    dock_->show();
    dock_->raise();
    pane_->View()->setFocus();
    StartWorker([request = std::move(request)](Poster& poster) {
        vesk::findfiles::RunSearch(
            request, poster.StopFlag(),
            [&poster](int done, int total) { poster.Progress(done, total); },
            [&poster](FileResult result) { poster.Found(std::move(result)); });
    });
}

void CFindInFiles::OnBatch(Batch& batch) {
    if (batch.generation != generation_)
        return;  // a run that was stopped and replaced
    std::vector<FindResultRow> rows;
    if (mode_ == Mode::Searching) {
        TakeFound(batch.found, rows);
        if (batch.total >= 0)
            filesSearched_ = batch.done;
        pane_->Model().Append(std::move(rows));
        pane_->SelectFirstRow();
        if (batch.last) {
            FinishSearch(batch.stopped);
        } else {
            pane_->ShowRunning(batch.total < 0 ? Text(text::kListing)
                                               : Text(text::kSearching)
                                                     .arg(QString::number(batch.done),
                                                          QString::number(batch.total)),
                               batch.done, batch.total);
        }
        return;
    }
    if (mode_ != Mode::Replacing)
        return;
    for (auto& [path, result] : batch.replaced) {
        if (result.outcome == ReplaceOutcome::Replaced && result.error.isEmpty()) {
            ++replacedFiles_;
            replacedCount_ += result.count;
            FindResultRow row;
            row.path = path;
            row.shownPath = ShownPath(path);
            row.text = Text(text::kReplacedFile).arg(result.count);
            rows.push_back(std::move(row));
        } else if (result.outcome == ReplaceOutcome::Replaced) {
            NoteSkipped(path, Text(text::kWriteFailed).arg(result.error), rows);
        } else if (!result.error.isEmpty()) {
            NoteSkipped(path, Text(text::kUnreadable).arg(result.error), rows);
        } else if (result.outcome != ReplaceOutcome::NoMatch) {
            NoteSkipped(
                path,
                SkipReason(FileProblem::None, {}, result.outcome, result.encoding, result.failChar),
                rows);
        }
    }
    pane_->Model().Append(std::move(rows));
    if (batch.last) {
        FinishReplace(batch.stopped);
    } else {
        pane_->ShowRunning(
            Text(text::kReplacing).arg(QString::number(batch.done), QString::number(batch.total)),
            batch.done, batch.total);
    }
}

void CFindInFiles::TakeFound(std::vector<FileResult>& found, std::vector<FindResultRow>& rows) {
    for (FileResult& result : found) {
        const QString shown = ShownPath(result.path);
        for (const vesk::findfiles::LineMatch& match : result.matches) {
            if (listed_ >= kMaxListedRows)
                break;
            ++listed_;
            FindResultRow row;
            row.path = result.path;
            row.shownPath = shown;
            row.line = match.line;
            row.column = static_cast<int>(match.column);
            row.length = static_cast<int>(match.length);
            row.text = Utf8(match.excerpt);
            row.markStart = CharactersIn(match.excerpt, match.markStart);
            row.markLength =
                CharactersIn(match.excerpt, match.markStart + match.markLength) - row.markStart;
            rows.push_back(std::move(row));
        }
        matchCount_ += result.count;
        // In a search only the files that could not be read get a note; in a replace also
        // those the replace will leave alone.
        const bool note =
            result.problem != FileProblem::None || (request_.replacement && WillSkip(result));
        if (note) {
            FindResultRow row;
            row.path = result.path;
            row.shownPath = shown;
            row.text = SkipReason(result);
            row.problem = true;
            rows.push_back(std::move(row));
        }
        std::vector<vesk::findfiles::LineMatch>().swap(result.matches);
        summaries_.push_back(std::move(result));
    }
}

QString CFindInFiles::SearchStatus(bool stopped) const {
    const QString what = Utf8(request_.what);
    int files = 0;
    for (const FileResult& result : summaries_) files += result.count > 0 ? 1 : 0;
    QString status = matchCount_ > 0
                         ? Text(text::kFoundSummary)
                               .arg(what, QString::number(files), QString::number(matchCount_))
                         : Text(text::kNothingFound).arg(what, QString::number(filesSearched_));
    if (listed_ < matchCount_ && listed_ >= kMaxListedRows)
        status += Text(text::kListCut).arg(listed_);
    if (stopped)
        status += Text(text::kStopped);
    return status;
}

void CFindInFiles::FinishSearch(bool stopped) {
    mode_ = Mode::Idle;
    pane_->ShowFinished(SearchStatus(stopped));
    if (request_.replacement && !stopped) {
        ConfirmAndReplace();
        return;
    }
    emit Finished();
}

void CFindInFiles::NoteSkipped(const QString& path, const QString& reason,
                               std::vector<FindResultRow>& rows) {
    FindResultRow row;
    row.path = path;
    row.shownPath = ShownPath(path);
    row.text = reason;
    row.problem = true;
    skipped_ << row.shownPath + ": " + reason;
    rows.push_back(std::move(row));
}

void CFindInFiles::ConfirmAndReplace() {
    const std::string replacement = *request_.replacement;
    int files = 0;
    int count = 0;
    bool anyOpen = false;
    QStringList skipped;
    for (const FileResult& result : summaries_) {
        if (WillReplace(result)) {
            ++files;
            count += result.count;
            anyOpen = anyOpen || OpenViewOf(result.path);
        } else if (WillSkip(result)) {
            skipped << ShownPath(result.path) + ": " + SkipReason(result);
        }
    }
    if (files == 0) {
        vesk::ShowMessage(Text(matchCount_ == 0 ? text::kNotFound : text::kNoneReplaceable),
                          Text(text::kCaption), MsgIcon::Information, MsgButtons::Ok, frame_);
        emit Finished();
        return;
    }
    QString question = Text(text::kConfirmReplace)
                           .arg(QString::number(files), QString::number(count), Utf8(replacement));
    if (!skipped.isEmpty())
        question +=
            Text(text::kConfirmSkipped).arg(QString::number(skipped.size()), ListOf(skipped));
    if (anyOpen)
        question += Text(text::kConfirmOpen);
    if (vesk::ShowMessage(question, Text(text::kCaption), MsgIcon::Question, MsgButtons::YesNo,
                          frame_) != MsgAnswer::Yes) {
        emit Finished();
        return;
    }

    mode_ = Mode::Replacing;
    replacedFiles_ = 0;
    replacedCount_ = 0;
    skipped_.clear();
    pane_->Model().Clear();
    std::vector<FindResultRow> rows;
    const TextFinder finder(request_.what, request_.matchCase);
    QStringList onDisk;
    for (const FileResult& result : summaries_) {
        if (WillSkip(result)) {
            NoteSkipped(result.path, SkipReason(result), rows);
            continue;
        }
        if (!WillReplace(result))
            continue;
        CVeskHtmlView* view = OpenViewOf(result.path);
        if (!view) {
            onDisk << result.path;
            continue;
        }
        // Open now, whether or not it was when searched: the document is changed, not the file.
        const vesk::TextEncoding encoding = view->Document()->Encoding();
        const vesk::EncodeResult encoded = vesk::EncodeText(replacement, encoding);
        if (!encoded.ok) {
            NoteSkipped(result.path,
                        SkipReason(FileProblem::None, {}, ReplaceOutcome::CannotHold, encoding,
                                   encoded.failChar),
                        rows);
            continue;
        }
        const int replaced = ReplaceInView(*view, finder, replacement);
        if (replaced == 0)
            continue;
        ++replacedFiles_;
        replacedCount_ += replaced;
        FindResultRow row;
        row.path = result.path;
        row.shownPath = ShownPath(result.path);
        row.text = Text(text::kReplacedOpen).arg(replaced);
        rows.push_back(std::move(row));
    }
    pane_->Model().Append(std::move(rows));
    if (onDisk.isEmpty()) {
        FinishReplace(false);
        return;
    }
    pane_->ShowRunning(
        Text(text::kReplacing).arg(QString::number(0), QString::number(onDisk.size())), 0,
        static_cast<int>(onDisk.size()));
    StartWorker([onDisk, finder, replacement](Poster& poster) {
        const int total = static_cast<int>(onDisk.size());
        for (int i = 0; i < total && !poster.Stopped(); ++i) {
            poster.Replaced(onDisk[i],
                            vesk::findfiles::ReplaceInFile(onDisk[i], finder, replacement));
            poster.Progress(i + 1, total);
        }
    });
}

void CFindInFiles::FinishReplace(bool stopped) {
    mode_ = Mode::Idle;
    QString status = Text(text::kReplacedSummary)
                         .arg(Utf8(request_.what), Utf8(*request_.replacement),
                              QString::number(replacedFiles_), QString::number(replacedCount_));
    if (!skipped_.isEmpty())
        status += Text(text::kSkippedSummary).arg(skipped_.size());
    if (stopped)
        status += Text(text::kStopped);
    pane_->ShowFinished(status);
    QString message = Text(text::kReplaceDone)
                          .arg(QString::number(replacedFiles_), QString::number(replacedCount_));
    if (!skipped_.isEmpty())
        message += Text(text::kReplaceSkipped).arg(ListOf(skipped_));
    vesk::ShowMessage(message, Text(text::kCaption),
                      skipped_.isEmpty() ? MsgIcon::Information : MsgIcon::Exclamation,
                      MsgButtons::Ok, frame_);
    emit Finished();
}

void CFindInFiles::OpenRow(int row) {
    if (row < 0 || row >= pane_->Model().rowCount())
        return;
    // A copy: opening may show a message, and the list may change meanwhile.
    const FindResultRow found = pane_->Model().Row(row);
    CVeskHtmlView* view = OpenViewOf(found.path);
    if (view)
        host_.activate(view);
    else
        view = host_.open(found.path);
    if (!view || found.line <= 0)
        return;
    CTextControl& control = view->Control();
    const int length = control.TextLength();
    const long lineStart = control.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE,
                                                 static_cast<unsigned long>(found.line - 1));
    const int start =
        lineStart < 0 ? length : static_cast<int>(std::min<long>(lineStart + found.column, length));
    const int end = std::min(start + found.length, length);
    control.SetSel(start, end);
    control.setFocus();
    view->RefreshCaretContextAsClick();
}
