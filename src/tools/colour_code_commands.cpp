#include "tools/colour_code_commands.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "tools/colour_code.h"

namespace vesk {

namespace {

constexpr int kCopyCommand = 32968;
constexpr int kSwapCommand = 32969;

// A panel of one colour with a text centred on it.
class ColourPanel : public QFrame {
  public:
    ColourPanel(const QString& code, RgbColour colour, QWidget* parent)
        : QFrame(parent), code_(code), colour_(colour) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setMinimumSize(220, 70);
        QFont font = this->font();
        font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("sans-serif")});
        font.setPointSize(14);
        setFont(font);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter painter(this);
            painter.fillRect(contentsRect(), QColor(colour_.red, colour_.green, colour_.blue));
            painter.setPen(CColourCopyDlg::WhiteText(colour_) ? Qt::white : Qt::black);
            painter.drawText(contentsRect(), Qt::AlignCenter, code_);
        }
        QFrame::paintEvent(event);
    }

  private:
    QString code_;
    RgbColour colour_;
};

bool InTag(const CVeskHtmlView& view) {
    return view.TagAtCaret().kind != -2;
}

bool HasCode(const CVeskHtmlView& view) {
    return view.ColourAtCaret().kind == 0 && !view.ColourAtCaret().text.empty();
}

void CopyColourCode(CVeskHtmlView& view) {
    const CaretRecord code = view.ColourAtCaret();
    if (code.text.empty())
        return;
    // The code exactly as written; the selection is left as it was.
    QGuiApplication::clipboard()->setText(QString::fromStdString(code.text));
    if (view.Snapshot().colorCopyDlgShowHide == 1) {
        CColourCopyDlg dialog(QString::fromStdString(code.text), ColourOfText(code.text, kBlack),
                              &view);
        RunDialog(dialog);
    }
    view.AppSettings().colourCopied = true;
}

void SwapColourCode(CVeskHtmlView& view) {
    const CaretRecord code = view.ColourAtCaret();
    CTextControl& control = view.Control();
    int start = 0, end = 0;
    control.GetSel(start, end);
    {
        CTextControl::FreezePainting freeze(control);
        control.SetSel(code.start, code.end + 1);
        view.Journal().AddStep(0, kUndoNoChange, false);
        view.OnEditPaste();
        // Where the selection stood, moved by what the paste changed in front of it.
        int caret = 0, caretEnd = 0;
        control.GetSel(caret, caretEnd);
        const int shift = caret - (code.end + 1);
        const auto moved = [&](int at) { return at > code.end ? at + shift : at; };
        control.SetSel(moved(start), moved(end));
    }
    view.RefreshCaretContext();
}

}  // namespace

void RefreshColourAtCaret(CVeskHtmlView& view) {
    CaretRecord& record = view.colourAtCaret_;
    record = CaretRecord{};
    // Both commands need the caret inside a tag; searching only the tag
    // keeps every keystroke cheap in a large page.
    const CaretRecord& tag = view.TagAtCaret();
    if (tag.kind == -2)
        return;
    int start = 0, end = 0;
    view.Control().GetSel(start, end);
    const ColourAtCaretResult found = FindColourAtCaret(tag.text, start - tag.start);
    if (!found.code.empty()) {
        record.text = found.code;
        record.start = tag.start + found.first;
        record.end = tag.start + found.last;
        record.kind = 0;
    }
}

CColourCopyDlg::CColourCopyDlg(const QString& code, RgbColour colour, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(colour_code_texts::kDialogCaption));
    auto* caption = new QLabel(QString::fromUtf8(colour_code_texts::kCopied), this);
    auto* panel = new ColourPanel(code, colour, this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setToolTip(QString::fromUtf8(colour_code_texts::kOkTip));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(panel, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

bool CColourCopyDlg::WhiteText(RgbColour colour) {
    return colour.red + colour.green + colour.blue < 384;
}

void InstallColourCodeCommands(CVeskHtmlView& view) {
    view.AddCommand(
        kCopyCommand, [&view] { CopyColourCode(view); },
        [&view](CommandState& state) { state.enabled = HasCode(view) && InTag(view); });
    view.AddCommand(
        kSwapCommand, [&view] { SwapColourCode(view); },
        [&view](CommandState& state) {
            state.enabled = HasCode(view) && InTag(view) && view.AppSettings().colourCopied;
        });
}

}  // namespace vesk
