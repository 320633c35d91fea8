// The source view's colouring: styles applied to ranges of its control.

#include <algorithm>

#include "editor/colouring.h"
#include "editor/text_control.h"
#include "editor/veskhtml_view.h"

bool CVeskHtmlView::AnyColouringSwitch() const {
    return snapshot_.formatTag || snapshot_.formatCom || snapshot_.formatVal;
}

void CVeskHtmlView::ColourRange(std::string_view text, int start, int end) {
    const int length = control_->TextLength();
    if (end < 0 || end > length)
        end = length;
    start = std::clamp(start, 0, end);
    text = text.substr(0, static_cast<std::size_t>(end - start));

    colouringInProgress_ = true;
    const int firstVisible = control_->FirstVisibleLine();
    const bool showProgress = text.size() >= static_cast<std::size_t>(kProgressThreshold);
    if (showProgress) {
        emit StatusMessage("コードをフォーマットしています...");
        emit ColouringProgress(0);
    }

    vesk::ColourSwitches switches;
    switches.tag = snapshot_.formatTag != 0;
    switches.com = snapshot_.formatCom != 0;
    switches.val = snapshot_.formatVal != 0;
    std::string styles;
    int shownPercent = 0;
    std::function<void(std::size_t)> progress;
    if (showProgress) {
        progress = [&](std::size_t p) {
            const int percent = static_cast<int>(p * 100 / text.size());
            if (percent != shownPercent) {
                shownPercent = percent;
                emit ColouringProgress(percent);
            }
        };
    }
    // The text the caller read may be the control's own buffer: take the styles
    // first, then touch the control.
    vesk::ComputeColourStyles(text, switches, styles, progress);
    control_->ApplyStyleBytes(start, styles);

    if (showProgress)
        emit StatusMessage("レディ");
    control_->LineScroll(firstVisible - control_->FirstVisibleLine());
    colouringInProgress_ = false;
    if (showProgress)
        emit ColouringProgress(-1);
}

void CVeskHtmlView::RecolourAroundCaret() {
    int s = 0, e = 0;
    control_->GetSel(s, e);
    const vesk::ColourSpan span =
        vesk::RecolourAroundCaretSpan(control_->SplitTextView(), s, e, commentOpener_);
    if (span.none)
        return;
    ColourRange(control_->RangeView(span.from, span.to), span.from, span.to);
    control_->SetSel(s, s);
}

void CVeskHtmlView::RecolourPasted(int start, int length) {
    HidePointer();
    const vesk::ColourSpan span =
        vesk::RecolourPastedSpan(control_->SplitTextView(), start, length, commentOpener_);
    if (!span.none)
        ColourRange(control_->RangeView(span.from, span.to), span.from, span.to);
    ShowPointer();
}

void CVeskHtmlView::FullRecolour() {
    CTextControl::FreezePainting freeze(*control_);
    const int firstVisible = control_->FirstVisibleLine();
    int s = 0, e = 0;
    control_->GetSel(s, e);
    snapshot_ = settings_.CopyOut();
    ApplyStyles();
    ColourRange(control_->WholeTextView(), 0, -1);
    colouredGeneration_ = snapshot_.colouringGeneration;
    control_->SetSel(s, e);
    control_->LineScroll(firstVisible - control_->FirstVisibleLine());
}
