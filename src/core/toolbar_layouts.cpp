#include "core/toolbar_layouts.h"

#include <QString>

#include "platform/settings_store.h"

namespace {

constexpr ToolbarButtonEntry kMainButtons[] = {
    {57600, " 新規作成"},         {57601, " ﾌｧｲﾙを開く"},    {57603, " 上書き保存"},
    {57604, " 名前を付けて保存"}, {32830, " 全て保存"},      {57607, " 印刷"},
    {57635, " 切り取り"},         {57634, " ｺﾋﾟｰ"},          {57637, " 貼り付け"},
    {32968, " ｶﾗｰｺｰﾄﾞのｺﾋﾟｰ"},    {32969, " ｶﾗｰｺｰﾄﾞの交換"}, {32893, " ﾀｸﾞの編集"},
    {57643, " 元に戻す"},         {57644, " やり直す"},
};

constexpr ToolbarButtonEntry kTextButtons[] = {
    {32781, " 改行禁止<NOBR>"},     {32876, " ﾃｷｽﾄの回り込み解除<BR CREAR=>"},
    {32771, " 改行<BR>"},           {32777, " 段落<P>"},
    {32780, " 中央揃え<CENTER>"},   {32970, " 段落指定<DIV>"},
    {32779, " 整形済みﾃｷｽﾄ<PRE>"},  {32795, " 見出し文字列<Hn>"},
    {32872, " ｺﾒﾝﾄ<!-- -->"},       {32956, " 番号付きﾘｽﾄ<OL><LI>"},
    {32959, " ﾏｰｸ付きﾘｽﾄ<UL><LI>"}, {32958, " 定義ﾘｽﾄ<DL><DT><DD>"},
};

constexpr ToolbarButtonEntry kCharButtons[] = {
    {32796, " 太字<B>"},          {32797, " 斜体<I>"},  {32800, " 下線<U>"},
    {32868, " ﾌｫﾝﾄの設定<FONT>"}, {32906, " 特殊文字"},
};

constexpr ToolbarButtonEntry kPageButtons[] = {
    {32776, " 一般ﾍﾟｰｼﾞのｽｹﾙﾄﾝ作成"},
    {32891, " ﾀｲﾄﾙ<TITLE>"},
    {32892, " HTMLのﾊﾞｰｼﾞｮﾝ<!DOCTYPE=>"},
    {32890, " <META>付加情報"},
    {32887, " <HTML>HTMLの宣言"},
    {32889, " <HEAD>ﾍｯﾀﾞｰ"},
    {32888, " <BODY>本文"},
    {32814, " <HR>水平線"},
    {32873, " ｸﾘｯｶﾌﾞﾙﾏｯﾌﾟ<MAP><AREA>"},
    {32783, " 画像<IMG>"},
    {32845, " 表(ｵﾌﾟｼｮﾝなし)<TABLE>"},
    {32846, " 表<TABLE>"},
    {32847, " 表のﾍｯﾀﾞｰ(ｵﾌﾟｼｮﾝなし)<TH>"},
    {32848, " 表のﾍｯﾀﾞｰ<TH>"},
    {32849, " 表の行(ｵﾌﾟｼｮﾝなし)<TR>"},
    {32850, " 表の行<TR>"},
    {32851, " 表のﾃﾞｰﾀｾﾙ(ｵﾌﾟｼｮﾝなし)<TD>"},
    {32852, " 表のﾃﾞｰﾀｾﾙ<TD>"},
    {32815, " ﾘﾝｸ<A HREF=>"},
    {32816, " ﾒｰﾙへのﾘﾝｸ<A HREF=mailto:>"},
    {32817, " ﾘﾝｸｱﾝｶｰ<A NAME=>"},
    {32961, " 入力ﾌｫｰﾑ"},
};

constexpr ToolbarButtonEntry kFrameButtons[] = {
    {32819, " ﾌﾚｰﾑﾍﾟｰｼﾞのｽｹﾙﾄﾝ作成"},
    {32895, " ﾌﾚｰﾑﾍﾟｰｼﾞの宣言<FRAMESET>"},
    {32853, " ﾌﾚｰﾑ<FRAME>"},
    {32854, " ﾌﾚｰﾑ非対応ﾌﾞﾗｳｻﾞのｺｰﾄﾞ<NOFRAMES>"},
};

constexpr ToolbarButtonEntry kToolButtons[] = {
    {32794, " IEでﾌﾟﾚﾋﾞｭｰ"},
    {32793, " NNでﾌﾟﾚﾋﾞｭｰ"},
    {32792, " ｴｸｽﾌﾟﾛｰﾗｰを起動"},
    {32786, " 再描画"},
};

constexpr ToolbarButtonEntry kWindowButtons[] = {
    {32778, " ｳｲﾝﾄﾞｳを並べて表示"},
    {32784, " VeskViewを表示"},
    {32897, " 後ろに戻る"},
    {32898, " 前に進む"},
};

constexpr ToolbarButtonEntry kHtmlToolButtons[] = {
    {32877, " 現在の日付を挿入"},
    {32870, " 改行を<BR>に変換"},
    {32878, " ｴｽｹｰﾌﾟｼｰｹﾝｽ変換"},
    {32901, " ﾀｸﾞの消去"},
};

struct ToolbarDescription {
    std::span<const ToolbarButtonEntry> buttons;
    int resourceId;
    const char* countName;    // number of layout entries
    const char* entryPrefix;  // "%s%d" with the position from 0
};

const ToolbarDescription kToolbars[kToolbarCount] = {
    {kMainButtons, 128, "n_MainButton", "MainButton#"},
    {kTextButtons, 135, "n_TextButton", "TextButton#"},
    {kCharButtons, 187, "n_CharButton", "CharButton#"},
    {kPageButtons, 190, "n_PageButton", "PageButton#"},
    {kFrameButtons, 192, "n_FrameButton", "FrameButton#"},
    {kToolButtons, 194, "n_ToolButton", "ToolButton#"},
    {kWindowButtons, 109, "n_WindowButton", "WindowButton#"},
    {kHtmlToolButtons, 204, "n_HTMLToolButton", "HTMLToolButton#"},
};

const ButtonLayouts kDefaultLayouts = {
    ButtonLayout{0, 1, 2, 3, 4, -1, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 12, 13},
    ButtonLayout{0, 1, 2, 3, -1, 4, 5, 6, -1, 7, 8, -1, 9, 10, 11},
    ButtonLayout{0, 1, 2, -1, 3, -1, 4},
    ButtonLayout{0,  -1, 1,  2,  3,  4,  5,  6,  -1, 7,  -1, 8,  9, 10,
                 11, 12, 13, 14, 15, 16, 17, -1, 18, 19, 20, -1, 21},
    ButtonLayout{0, -1, 1, 2, 3},
    ButtonLayout{0, 1, -1, 2, 3},
    ButtonLayout{0, 1, -1, 2, 3},
    ButtonLayout{0, -1, 1, 2, -1, 3},
};

const QString kSection = QStringLiteral("ToolButonSetting");
const QString kSavedFlag = QStringLiteral("ButtonSettings");

QString EntryName(const ToolbarDescription& bar, int position) {
    return QString::fromLatin1(bar.entryPrefix) + QString::number(position);
}

ButtonLayout LoadOneLayout(ISettingsStore& store, ToolbarId id) {
    const ToolbarDescription& bar = kToolbars[id];
    const int count = store.GetProfileInt(kSection, QString::fromLatin1(bar.countName), -1);
    if (count < 0)
        return kDefaultLayouts[id];
    const int buttons = static_cast<int>(bar.buttons.size());
    ButtonLayout layout;
    for (int i = 0; i < count; ++i) {
        const QString name = EntryName(bar, i);
        // A count larger than the stored entries must not make us invent buttons
        // (or loop over a corrupt count); the layout ends where the entries do.
        if (!store.HasEntry(kSection, name))
            break;
        const int entry = store.GetProfileInt(kSection, name, -1);
        // An index outside the bar's button set would address a missing button;
        // the layout ends there, as the customization page does.
        if (entry < -1 || entry >= buttons)
            break;
        layout.push_back(entry);
    }
    return layout;
}

}  // namespace

std::span<const ToolbarButtonEntry> ToolbarButtonSet(ToolbarId bar) {
    return kToolbars[bar].buttons;
}

const ButtonLayout& DefaultButtonLayout(ToolbarId bar) {
    return kDefaultLayouts[bar];
}

ButtonLayouts DefaultButtonLayouts() {
    return kDefaultLayouts;
}

int ToolbarResourceId(ToolbarId bar) {
    return kToolbars[bar].resourceId;
}

ButtonLayouts LoadButtonLayouts(ISettingsStore& store) {
    if (store.GetProfileInt(kSection, kSavedFlag, 0) != 1)
        return kDefaultLayouts;
    ButtonLayouts layouts;
    for (int bar = 0; bar < kToolbarCount; ++bar) {
        layouts[bar] = LoadOneLayout(store, static_cast<ToolbarId>(bar));
    }
    return layouts;
}

void SaveButtonLayouts(ISettingsStore& store, const ButtonLayouts& layouts) {
    // Stale entries of a longer earlier layout must not survive.
    store.DeleteSection(kSection);
    for (int id = 0; id < kToolbarCount; ++id) {
        const ToolbarDescription& bar = kToolbars[id];
        const ButtonLayout& layout = layouts[id];
        store.WriteProfileInt(kSection, QString::fromLatin1(bar.countName),
                              static_cast<int>(layout.size()));
        for (int i = 0; i < static_cast<int>(layout.size()); ++i) {
            store.WriteProfileInt(kSection, EntryName(bar, i), layout[i]);
        }
    }
    // Written last: a save cut short leaves the defaults in force rather than half a layout.
    store.WriteProfileInt(kSection, kSavedFlag, 1);
}
