#include "tagedit/edit_tag.h"

#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_view.h"
#include "mapedit/map_writeback.h"
#include "platform/message_seam.h"
#include "tagedit/edit_tag_read.h"
#include "tags/form_tag_writers.h"
#include "tags/page_tag_writers.h"
#include "tags/table_dialogs.h"
#include "tags/text_tag_writers.h"

namespace vesk {

namespace {

constexpr int kEditTagCommand = 32893;

void SyntaxError(CVeskHtmlView& view) {
    ShowMessage(QString::fromUtf8(map_texts::kSyntaxErrorMessage), QStringLiteral("VeskHtml"),
                MsgIcon::Exclamation, MsgButtons::Ok, &view);
}

// The range the edit replaces selected and remembered as the state before
// the edit; then the caret behind the tag's "<" and name (k characters).
void SelectForEdit(CVeskHtmlView& view, const CTagScanner& tag, int k, int first = -1,
                   int last = -1) {
    CTextControl& control = view.Control();
    CTextControl::FreezePainting freeze(control);
    if (first < 0 && last < 0) {
        first = tag.start;
        last = tag.end + 1;
    }
    control.SetSel(first, last);
    view.Journal().RememberState(true);
    const int caret = tag.start + k + 1;
    control.SetSel(caret, caret);
}

// What every row does between reading the tag and running its writer.
class Edit {
  public:
    Edit(CVeskHtmlView& view, const CTagScanner& tag) : view_(view), tag_(tag) {}

    // Selects for the edit and leaves the leftover in the scanner.
    CTagScanner& Prepare(int k, int caretK, int rangeEnd = -1) {
        SelectForEdit(view_, tag_, caretK, rangeEnd < 0 ? -1 : tag_.start, rangeEnd);
        tag_.text = LeftoverOf(tag_, k);
        return tag_;
    }
    CTagScanner& Prepare(int k) { return Prepare(k, k); }

  private:
    CVeskHtmlView& view_;
    CTagScanner tag_;
};

// The row of one tag kind: reads the tag, then prepares and runs the writer.
bool Dispatch(CVeskHtmlView& view, CTagScanner tag, std::string_view document) {
    auto failed = [&view](ReadStatus status) {
        if (status == ReadStatus::kSyntaxError)
            SyntaxError(view);
        return status != ReadStatus::kOk;
    };
    switch (tag.kind) {
        case kKindHr: {
            RuleData data;
            if (failed(ReadRuleTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteRule(view, data, kWriterEdit, prepared.Prepare(3));
        }
        case kKindDiv:
        case kKindP: {
            AlignData data;
            data.element = tag.kind == kKindDiv ? 1 : 0;
            if (failed(ReadAlignTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteAlign(view, data, kWriterEdit,
                              prepared.Prepare(tag.kind == kKindDiv ? 4 : 2));
        }
        case kKindBody: {
            BodyData data;
            if (failed(ReadBodyTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteBody(view, data, kWriterEdit, prepared.Prepare(5, 4));
        }
        case kKindFont: {
            FontData data;
            if (failed(ReadFontTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteFont(view, data, kWriterEdit, prepared.Prepare(5));
        }
        case kKindTable: {
            TableData data;
            if (failed(ReadTableTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteTable(view, data, kWriterEdit, prepared.Prepare(6));
        }
        case kKindTr: {
            RowData data;
            if (failed(ReadRowTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteRow(view, data, kWriterEdit, prepared.Prepare(3));
        }
        case kKindTd:
        case kKindTh: {
            CellData data;
            if (failed(ReadCellTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteCell(view, tag.kind == kKindTh ? CellKind::kHeader : CellKind::kData, data,
                             kWriterEdit, prepared.Prepare(3));
        }
        case kKindFrameset: {
            FramesetData data;
            if (failed(ReadFramesetTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteFrameset(view, data, kWriterEdit, prepared.Prepare(9));
        }
        case kKindFrame: {
            FrameData data;
            if (failed(ReadFrameTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteFrame(view, data, kWriterEdit, prepared.Prepare(6));
        }
        case kKindMeta: {
            MetaData data;
            if (failed(ReadMetaTag(tag, data)))
                return false;
            // The whole tag is rebuilt: no caret move, no leftover.
            CTextControl& control = view.Control();
            control.SetSel(tag.start, tag.end + 1);
            view.Journal().RememberState(true);
            tag.StripLineBreaks();
            return WriteMeta(view, data, kWriterEdit, tag);
        }
        case kKindSelect: {
            SelectData data;
            if (failed(ReadSelectTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteSelect(view, data, kWriterEdit, prepared.Prepare(7));
        }
        case kKindOption: {
            OptionData data;
            TagContent content;
            if (failed(ReadOptionTag(tag, document, data, content)))
                return false;
            Edit prepared(view, tag);
            return WriteOption(view, data, kWriterEdit, prepared.Prepare(7, 7, content.rangeEnd),
                               content.rangeEnd);
        }
        case kKindTextarea: {
            TextAreaData data;
            TagContent content;
            if (failed(ReadTextAreaTag(tag, document, data, content)))
                return false;
            Edit prepared(view, tag);
            return WriteTextArea(view, data, kWriterEdit, prepared.Prepare(9, 9, content.rangeEnd),
                                 content.rangeEnd);
        }
        case kKindForm: {
            FormData data;
            if (failed(ReadFormTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteForm(view, data, kWriterEdit, prepared.Prepare(5));
        }
        case kKindInput: {
            InputRead read;
            if (failed(ReadInputTag(tag, document, read)))
                return false;
            Edit prepared(view, tag);
            switch (read.kind) {
                case InputRead::kText:
                    return WriteTextInput(view, read.text, kWriterEdit, prepared.Prepare(6));
                case InputRead::kCheck: {
                    const int end = read.content.rangeEnd;
                    return WriteCheckField(view, read.check, kWriterEdit,
                                           prepared.Prepare(6, 6, end), end);
                }
                case InputRead::kButton:
                    return WriteButton(view, read.button, kWriterEdit, prepared.Prepare(6));
                case InputRead::kHidden:
                    return WriteHidden(view, read.hidden, kWriterEdit, prepared.Prepare(6));
                case InputRead::kNone:
                    return false;
            }
            return false;
        }
        case kKindA: {
            AnchorTagRead read;
            if (failed(ReadATag(tag, read)))
                return false;
            Edit prepared(view, tag);
            switch (read.kind) {
                case AnchorTagRead::kLink:
                    return WriteLink(view, read.link, kWriterEdit, prepared.Prepare(2));
                case AnchorTagRead::kMail:
                    return WriteMailLink(view, read.mail, kWriterEdit, prepared.Prepare(2));
                case AnchorTagRead::kAnchor:
                    return WriteAnchor(view, read.anchor, kWriterEdit, prepared.Prepare(2));
                case AnchorTagRead::kNone:
                    return false;
            }
            return false;
        }
        case kKindImg: {
            ImageTagRead read;
            if (failed(ReadImgTag(tag, read)))
                return false;
            if (read.usesMap)
                return EditMapOfImage(view, read.mapName);
            Edit prepared(view, tag);
            return WriteImage(view, read.image, kWriterEdit, prepared.Prepare(4));
        }
        case kKindH1:
        case kKindH2:
        case kKindH3:
        case kKindH4:
        case kKindH5:
        case kKindH6: {
            HeadingData data;
            TagContent content;
            if (failed(ReadHeadingTag(tag, document, data, content)))
                return false;
            Edit prepared(view, tag);
            return WriteHeading(view, data, kWriterEdit, prepared.Prepare(3, 0, content.rangeEnd),
                                content.rangeEnd, content.text);
        }
        case kKindOl:
        case kKindUl: {
            ListData data;
            const bool numbered = tag.kind == kKindOl;
            if (failed(numbered ? ReadOlTag(tag, data) : ReadUlTag(tag, data)))
                return false;
            Edit prepared(view, tag);
            return WriteList(view, numbered ? ListKind::kNumbered : ListKind::kBulleted, data,
                             kWriterEdit, prepared.Prepare(3));
        }
        case kKindLi: {
            ListItemRead read;
            const std::size_t before = std::min<std::size_t>(tag.start, document.size());
            if (failed(ReadLiTag(tag, document.substr(0, before), read)))
                return false;
            Edit prepared(view, tag);
            return WriteListItem(view, read.kind, read.data, kWriterEdit, prepared.Prepare(3));
        }
        case kKindArea: {
            std::string name;
            if (FindEnclosingMapName(document, tag.start, name) != 0) {
                SyntaxError(view);
                return false;
            }
            return EditMapOfImage(view, name);
        }
        case kKindMap: {
            const AttributeValue name = GetAttributeValue(tag.text, "NAME");
            if (name.status != 0) {
                SyntaxError(view);
                return false;
            }
            return EditMapOfImage(view, name.value);
        }
        default:
            return false;
    }
}

}  // namespace

bool EditTag(CVeskHtmlView& view) {
    const CaretRecord& current = view.TagAtCaret();
    if (current.kind < 1 || current.kind > kLastTagKind)
        return false;
    const CTagScanner tag(current.text, current.start, current.end, current.kind);
    const bool written = Dispatch(view, tag, view.Control().WholeTextView());
    if (!written)
        view.Journal().AddStep(0, kUndoNoChange, false);
    view.RefreshCaretContext();
    return written;
}

void InstallEditTagCommand(CVeskHtmlView& view) {
    view.AddCommand(
        kEditTagCommand, [&view] { EditTag(view); },
        [&view](CommandState& state) {
            const int kind = view.TagAtCaret().kind;
            state.enabled = kind >= 1 && kind <= kLastTagKind;
        });
}

}  // namespace vesk
