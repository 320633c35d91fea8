#include "tags/simple_tags.h"

#include <algorithm>

#include "editor/veskhtml_view.h"

namespace {

using Op = SimpleTagCommand;

// clang-format off
const SimpleTagCommand kCommands[] = {
    {32771, Op::kInsert, "<BR>", ""},
    {32876, Op::kInsert, "<BR CLEAR=\"all\">", ""},
    {32874, Op::kInsert, "<BR CLEAR=\"left\">", ""},
    {32875, Op::kInsert, "<BR CLEAR=\"right\">", ""},
    {32777, Op::kParagraph, "<P>", "</P>"},
    {32883, Op::kParagraph, "<P ALIGN=\"center\">", "</P>"},
    {32885, Op::kParagraph, "<P ALIGN=\"left\">", "</P>"},
    {32884, Op::kParagraph, "<P ALIGN=\"right\">", "</P>"},
    {32781, Op::kWrap, "<NOBR>", "</NOBR>"},
    {32780, Op::kWrap, "<CENTER>", "</CENTER>"},
    {32970, Op::kWrap, "<DIV>", "</DIV>"},
    {32880, Op::kWrap, "<DIV ALIGN=\"center\">", "</DIV>"},
    {32879, Op::kWrap, "<DIV ALIGN=\"left\">", "</DIV>"},
    {32881, Op::kWrap, "<DIV ALIGN=\"right\">", "</DIV>"},
    {32779, Op::kWrap, "<PRE>\r\n", "\r\n</PRE>"},
    {32820, Op::kWrap, "<DL>", "</DL>"},
    {32827, Op::kInsert, "<DT>", ""},
    {32828, Op::kInsert, "<DD>", ""},
    {32838, Op::kWrap, "<OL>", "</OL>"},
    {32843, Op::kWrap, "<UL>", "</UL>"},
    {32841, Op::kInsert, "<LI>", ""},
    {32872, Op::kWrap, "<!-- ", " -->"},
    {32796, Op::kWrap, "<B>", "</B>"},
    {32797, Op::kWrap, "<I>", "</I>"},
    {32802, Op::kWrap, "<TT>", "</TT>"},
    {32798, Op::kWrap, "<SUP>", "</SUP>"},
    {32799, Op::kWrap, "<SUB>", "</SUB>"},
    {32800, Op::kWrap, "<U>", "</U>"},
    {32801, Op::kWrap, "<S>", "</S>"},
    {32805, Op::kWrap, "&#060;", "&#062;"},
    {32803, Op::kInsert, "&#060;", ""},
    {32804, Op::kInsert, "&#062;", ""},
    {32808, Op::kWrap, "&#034;", "&#034;"},
    {32809, Op::kInsert, "&#034;", ""},
    {32806, Op::kInsert, "&#038;", ""},
    {32882, Op::kInsert, "&#169;", ""},
    {32767, Op::kInsert, "&#174;", ""},
    {32845, Op::kWrap, "<TABLE>", "</TABLE>"},
    {32849, Op::kWrap, "<TR>", "</TR>"},
    {32847, Op::kWrap, "<TH>", "</TH>"},
    {32851, Op::kWrap, "<TD>", "</TD>"},
    {32887, Op::kWrap, "<HTML>\r\n", "\r\n</HTML>"},
    {32889, Op::kWrap, "<HEAD>\r\n", "\r\n</HEAD>"},
    {32891, Op::kWrap, "<TITLE>", "</TITLE>"},
    {32854, Op::kWrap, "<NOFRAMES>", "</NOFRAMES>"},
};

constexpr int S = TagMenuItem::kSubmenu;
constexpr int E = TagMenuItem::kEndSubmenu;
constexpr int kSep = TagMenuItem::kSeparator;

const TagMenuItem kTextMenu[] = {
    {32795, nullptr},
    {kSep, nullptr},
    {32771, nullptr},
    {S, "ﾃｷｽﾄの回り込み解除 <BR CLEAR=> (&E)"}, {32876, nullptr}, {32874, nullptr}, {32875, nullptr}, {E, nullptr},
    {32781, nullptr},
    {kSep, nullptr},
    {32777, nullptr},
    {S, "段落（位置指定付き） <P ALIGN=> (&F)"}, {32883, nullptr}, {32885, nullptr}, {32884, nullptr}, {E, nullptr},
    {32970, nullptr},
    {S, "段落指定(位置指定付き)  <DIV ALIGN=> (&D)"}, {32880, nullptr}, {32879, nullptr}, {32881, nullptr}, {E, nullptr},
    {32780, nullptr},
    {32779, nullptr},
    {32814, nullptr},
    {kSep, nullptr},
    {S, "リスト (&L)"},
    {32838, nullptr}, {32839, nullptr}, {32841, nullptr}, {32842, nullptr}, {kSep, nullptr},
    {32843, nullptr}, {32840, nullptr}, {32841, "    項目(オプション無し) <LI> (&X)"}, {32844, nullptr}, {kSep, nullptr},
    {32820, nullptr}, {32827, nullptr}, {32828, nullptr},
    {E, nullptr},
    {S, "リンク (&K)"}, {32815, nullptr}, {32816, nullptr}, {32817, nullptr}, {E, nullptr},
    {32783, nullptr}, {32873, nullptr},
    {kSep, nullptr},
    {32872, nullptr},
};

const TagMenuItem kCharMenu[] = {
    {32868, nullptr},
    {kSep, nullptr},
    {32796, nullptr}, {32797, nullptr}, {32802, nullptr}, {32798, nullptr}, {32799, nullptr},
    {32800, nullptr}, {32801, nullptr},
    {kSep, nullptr},
    {S, "特殊文字 (&E)"},
    {32805, nullptr}, {32803, nullptr}, {32804, nullptr}, {32808, nullptr}, {32809, nullptr},
    {32806, nullptr}, {32882, nullptr}, {32767, nullptr},
    {E, nullptr},
};

const TagMenuItem kPageMenu[] = {
    {32776, nullptr},
    {kSep, nullptr},
    {32892, nullptr},
    {32887, nullptr}, {32889, nullptr}, {32891, nullptr}, {32890, nullptr},
    {32888, nullptr},
    {kSep, nullptr},
    {S, "表 <TABLE> (&T)"},
    {32845, nullptr}, {32846, nullptr}, {kSep, nullptr},
    {32849, nullptr}, {32850, nullptr}, {kSep, nullptr},
    {32847, nullptr}, {32848, nullptr}, {32851, nullptr}, {32852, nullptr},
    {E, nullptr},
    {S, "フォーム (&O)"},
    {32855, nullptr}, {kSep, nullptr},
    {32856, nullptr}, {32857, nullptr}, {32858, nullptr}, {32867, nullptr}, {32860, nullptr},
    {kSep, nullptr},
    {32896, nullptr}, {32863, nullptr}, {32862, nullptr},
    {E, nullptr},
    {S, "フレーム (&F)"},
    {32819, nullptr}, {kSep, nullptr}, {32895, nullptr}, {32853, nullptr}, {32854, nullptr},
    {E, nullptr},
};

const TagMenu kMenus[] = {
    {"ﾃｷｽﾄ(&S)", kTextMenu},
    {"文字(&C)", kCharMenu},
    {"ﾍﾟｰｼﾞ(&P)", kPageMenu},
};
// clang-format on

}  // namespace

std::span<const SimpleTagCommand> SimpleTagCommands() {
    return kCommands;
}

const SimpleTagCommand* FindSimpleTagCommand(int id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [id](const SimpleTagCommand& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const TagMenu> TagMenus() {
    return kMenus;
}

void RunSimpleTagCommand(CVeskHtmlView& view, const SimpleTagCommand& command) {
    switch (command.operation) {
        case SimpleTagCommand::kInsert:
            view.InsertAtCaret(command.open);
            break;
        case SimpleTagCommand::kWrap:
            view.WrapSelection(command.open, command.close);
            break;
        case SimpleTagCommand::kParagraph:
            // Without end tags, the paragraph is only opened.
            if (view.Snapshot().omitTagP != 0) {
                view.InsertAtCaret(command.open);
            } else {
                view.WrapSelection(command.open, command.close);
            }
            break;
    }
}

void InstallSimpleTagCommands(CVeskHtmlView& view) {
    for (const SimpleTagCommand& command : kCommands) {
        view.AddCommand(command.id, [&view, &command] { RunSimpleTagCommand(view, command); });
    }
}
