#include "tags/text_tag_writers.h"

#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "sidepane/links.h"
#include "tags/font_dialog.h"
#include "tags/heading_rule_dialogs.h"
#include "tags/image_dialog.h"
#include "tags/link_dialogs.h"
#include "tags/list_dialogs.h"
#include "tags/sample_font.h"

namespace vesk {

namespace {

QString DocumentPath(const CVeskHtmlView& view) {
    return view.Document() ? view.Document()->PathName() : QString();
}

TagTexts Opening(std::string opening) {
    TagTexts texts;
    texts.opening = std::move(opening);
    return texts;
}

}  // namespace

bool WriteHeading(CVeskHtmlView& view, HeadingData& data, int mode, const CTagScanner& scanner,
                  int rangeEnd, std::string_view content) {
    CHeadingDlg dialog(data, &view);
    if (mode != kWriterEdit || rangeEnd < 0)
        return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping,
                             HeadingTexts);
    if (RunDialog(dialog) != QDialog::Accepted)
        return false;
    data = dialog.Data();
    const TagTexts texts = HeadingTexts(data);
    TagRewrite rewrite;
    rewrite.opening = texts.opening;
    rewrite.content = std::string(content);
    rewrite.closing = texts.closing;
    rewrite.first = scanner.start;
    rewrite.last = rangeEnd;
    RewriteTag(view, scanner, rewrite);
    return true;
}

bool WriteRule(CVeskHtmlView& view, RuleData& data, int mode, const CTagScanner& scanner) {
    CRuleDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kInserting,
                         [](const RuleData& d) { return Opening(RuleOpening(d)); });
}

bool WriteLink(CVeskHtmlView& view, LinkData& data, int mode, const CTagScanner& scanner) {
    data.anchorNames = AnchorNames(view.Control().WholeTextView());
    CLinkDlg dialog(data, DocumentPath(view), &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping, LinkTexts);
}

bool WriteMailLink(CVeskHtmlView& view, MailLinkData& data, int mode, const CTagScanner& scanner) {
    CMailLinkDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping,
                         MailLinkTexts);
}

bool WriteAnchor(CVeskHtmlView& view, AnchorData& data, int mode, const CTagScanner& scanner) {
    CAnchorDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping, AnchorTexts);
}

bool WriteList(CVeskHtmlView& view, ListKind kind, ListData& data, int mode,
               const CTagScanner& scanner) {
    CListDlg dialog(kind, CListDlg::Target::kList, data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping,
                         [kind](const ListData& d) { return ListTexts(kind, d); });
}

bool WriteListItem(CVeskHtmlView& view, ListKind kind, ListData& data, int mode,
                   const CTagScanner& scanner) {
    CListDlg dialog(kind, CListDlg::Target::kItem, data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kInserting,
                         [kind](const ListData& d) { return Opening(ListItemOpening(kind, d)); });
}

bool WriteFont(CVeskHtmlView& view, FontData& data, int mode, const CTagScanner& scanner) {
    const PageColours page = FindPageColours(view.Control().WholeTextView());
    data.pageBackground = page.background;
    data.pageText = page.text;
    const SettingsSnapshot& settings = view.Snapshot();
    CFontDlg dialog(data, SampleFont(settings.previewFont, settings.previewSize), &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping, FontTexts);
}

bool WriteImage(CVeskHtmlView& view, ImageData& data, int mode, const CTagScanner& scanner) {
    CImageDlg dialog(data, DocumentPath(view), &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kInserting,
                         [](const ImageData& d) { return Opening(ImageOpening(d)); });
}

bool WriteAlign(CVeskHtmlView& view, AlignData& data, int mode, const CTagScanner& scanner) {
    CAlignDlg dialog(data, &view);
    const bool div = data.element == 1;
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping,
                         [div](const AlignData& d) {
                             TagTexts texts = Opening(AlignOpening(d));
                             texts.closing = div ? "</DIV>" : "</P>";
                             return texts;
                         });
}

void InstallTextTagCommands(CVeskHtmlView& view) {
    // Each command starts from a new dialog.
    AddDialogCommand(view, 32795, [](CVeskHtmlView& v) {
        HeadingData d;
        WriteHeading(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32814, [](CVeskHtmlView& v) {
        RuleData d;
        WriteRule(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32815, [](CVeskHtmlView& v) {
        LinkData d;
        WriteLink(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32816, [](CVeskHtmlView& v) {
        MailLinkData d;
        WriteMailLink(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32817, [](CVeskHtmlView& v) {
        AnchorData d;
        WriteAnchor(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32839, [](CVeskHtmlView& v) {
        ListData d;
        WriteList(v, ListKind::kNumbered, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32840, [](CVeskHtmlView& v) {
        ListData d;
        WriteList(v, ListKind::kBulleted, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32842, [](CVeskHtmlView& v) {
        ListData d;
        WriteListItem(v, ListKind::kNumbered, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32844, [](CVeskHtmlView& v) {
        ListData d;
        WriteListItem(v, ListKind::kBulleted, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32868, [](CVeskHtmlView& v) {
        FontData d;
        WriteFont(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32783, [](CVeskHtmlView& v) {
        ImageData d;
        WriteImage(v, d, kWriterInsert, CTagScanner());
    });
}

}  // namespace vesk
