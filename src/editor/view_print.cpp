// Printing the source view's text.

#include <Qsci/qsciprinter.h>

#include <QPageSetupDialog>
#include <QPrintDialog>

#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"

namespace {
// One printer for the whole program, so that the printer setup is remembered
// between print jobs, with margins of 720 twips (half an inch) on every side.
QsciPrinter& Printer() {
    static QsciPrinter printer(QPrinter::HighResolution);
    static bool initialised = false;
    if (!initialised) {
        initialised = true;
        printer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
        printer.setWrapMode(QsciScintilla::WrapWord);
    }
    return printer;
}
}  // namespace

void CVeskHtmlView::OnFilePrint() {
    QsciPrinter& printer = Printer();
    if (document_)
        printer.setDocName(document_->Title());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("印刷");
    int from = 0, to = 0;
    control_->GetSel(from, to);
    if (from != to)
        dialog.setOption(QAbstractPrintDialog::PrintSelection);
    if (vesk::RunDialog(dialog) != QDialog::Accepted)
        return;
    if (dialog.printRange() == QAbstractPrintDialog::Selection && from != to) {
        int lineFrom = 0, lineTo = 0, index = 0;
        control_->lineIndexFromPosition(from, &lineFrom, &index);
        control_->lineIndexFromPosition(to, &lineTo, &index);
        printer.printRange(control_, lineFrom, lineTo);
    } else {
        // Page ranges are honoured by the printer itself.
        printer.printRange(control_);
    }
}

void CVeskHtmlView::OnFilePrintSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.setWindowTitle("ﾌﾟﾘﾝﾀの設定");
    vesk::RunDialog(dialog);
}
