#include "tags/page_tag_writers.h"

#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "platform/settings_store.h"
#include "tags/frame_dialogs.h"
#include "tags/page_dialogs.h"
#include "tags/sample_font.h"
#include "tools/conversions.h"

namespace vesk {

namespace {

QString DocumentPath(const CVeskHtmlView& view) {
    return view.Document() ? view.Document()->PathName() : QString();
}

QFont PreviewFontOf(const CVeskHtmlView& view) {
    const SettingsSnapshot& settings = view.Snapshot();
    return SampleFont(settings.previewFont, settings.previewSize);
}

TagTexts Opening(std::string opening) {
    TagTexts texts;
    texts.opening = std::move(opening);
    return texts;
}

bool SomethingSelected(CVeskHtmlView& view) {
    int start = 0, end = 0;
    view.Control().GetSel(start, end);
    return start != end;
}

// The skeleton in the tag case of the settings; the conversion keeps lengths,
// so the caret offset holds.
void InsertSkeleton(CVeskHtmlView& view, const SkeletonText& skeleton, bool textStyle) {
    view.InsertBehindSelection(ApplyTagCaseSetting(skeleton.text, view.Snapshot().sizeLower),
                               static_cast<int>(skeleton.caret), textStyle);
}

}  // namespace

bool WritePageSkeleton(CVeskHtmlView& view, PageSkeletonData& data) {
    // The page kind is the one field the dialog keeps from one page to the next.
    ISettingsStore& store = AppStore();
    data.html5 = store.GetProfileInt("EditorSettings", "SkeletonHTML5", data.html5 ? 1 : 0) != 0;
    CPageSkeletonDlg dialog(data, PreviewFontOf(view), DocumentPath(view), &view);
    if (RunDialog(dialog) != QDialog::Accepted)
        return false;
    data = dialog.Data();
    store.WriteProfileInt("EditorSettings", "SkeletonHTML5", data.html5 ? 1 : 0);
    InsertSkeleton(view, PageSkeletonText(data, SomethingSelected(view)), true);
    return true;
}

bool WriteFrameSkeleton(CVeskHtmlView& view, FrameSkeletonData& data) {
    CFrameSkeletonDlg dialog(data, &view);
    if (RunDialog(dialog) != QDialog::Accepted)
        return false;
    data = dialog.Data();
    InsertSkeleton(view, FrameSkeletonText(data, SomethingSelected(view)), false);
    return true;
}

bool WriteDoctype(CVeskHtmlView& view, DoctypeData& data) {
    CDoctypeDlg dialog(data, &view);
    if (RunDialog(dialog) != QDialog::Accepted)
        return false;
    data = dialog.Data();
    // A declaration: no tag case.
    const std::string text = DoctypeText(data);
    view.InsertBehindSelection(text, static_cast<int>(text.size()));
    return true;
}

bool WriteBody(CVeskHtmlView& view, BodyData& data, int mode, const CTagScanner& scanner) {
    CBodyDlg dialog(data, PreviewFontOf(view), DocumentPath(view), &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping, BodyTexts);
}

bool WriteMeta(CVeskHtmlView& view, MetaData& data, int mode, const CTagScanner& scanner) {
    CMetaDlg dialog(data, DocumentPath(view), &view);
    if (RunDialog(dialog) != QDialog::Accepted)
        return false;
    data = dialog.Data();
    const std::string tag = MetaTag(data);
    // No kind, no tag: nothing is written, and a tag being edited stays as it is.
    if (tag.empty())
        return true;
    if (mode == kWriterEdit) {
        TagRewrite rewrite;
        rewrite.opening = tag;
        rewrite.appendLeftover = false;
        RewriteTag(view, scanner, rewrite);
    } else {
        view.InsertAtCaret(tag);
    }
    return true;
}

bool WriteFrameset(CVeskHtmlView& view, FramesetData& data, int mode, const CTagScanner& scanner) {
    CFramesetDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping,
                         FramesetTexts);
}

bool WriteFrame(CVeskHtmlView& view, FrameData& data, int mode, const CTagScanner& scanner) {
    CFrameDlg dialog(data, DocumentPath(view), &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kInserting,
                         [](const FrameData& d) { return Opening(FrameOpening(d)); });
}

void InstallPageTagCommands(CVeskHtmlView& view) {
    // Each command starts from a new dialog.
    AddDialogCommand(view, 32776, [](CVeskHtmlView& v) {
        PageSkeletonData d;
        WritePageSkeleton(v, d);
    });
    AddDialogCommand(view, 32819, [](CVeskHtmlView& v) {
        FrameSkeletonData d;
        WriteFrameSkeleton(v, d);
    });
    AddDialogCommand(view, 32892, [](CVeskHtmlView& v) {
        DoctypeData d;
        WriteDoctype(v, d);
    });
    AddDialogCommand(view, 32890, [](CVeskHtmlView& v) {
        MetaData d;
        WriteMeta(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32888, [](CVeskHtmlView& v) {
        BodyData d;
        WriteBody(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32895, [](CVeskHtmlView& v) {
        FramesetData d;
        WriteFrameset(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32853, [](CVeskHtmlView& v) {
        FrameData d;
        WriteFrame(v, d, kWriterInsert, CTagScanner());
    });
}

}  // namespace vesk
