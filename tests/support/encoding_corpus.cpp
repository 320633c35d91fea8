#include "support/encoding_corpus.h"

#include <iconv.h>

#include <stdexcept>

namespace vesk::corpus {

namespace {

// Texts written for these tests. "prose" has kanji, kana and punctuation; "kana" has
// no kanji at all (EUC-JP kana also reads as Shift-JIS half-width katakana); "menu"
// mixes half-width katakana words with full-width text; "short" is one line.
struct Text {
    const char* name;
    const char* body;
};

const Text kJapanese[] = {
    {"prose",
     "<H1>手書きで作るホームページ</H1>\n"
     "<P>ホームページは、テキストエディタとブラウザさえあれば誰にでも作れます。"
     "タグの意味をひとつずつ覚えながら、見出しや段落、画像、リンクを書き足していきましょう。</P>\n"
     "<P>保存したら、ブラウザで表示を確かめます。文字化けしたときは、文書の文字コードと"
     "META タグの宣言が合っているかを見直してください。</P>\n"
     "<UL><LI>見出しは H1 から H6 まで</LI><LI>段落は P、改行は BR</LI>"
     "<LI>表は TABLE、行は TR、セルは TD</LI></UL>\n"},
    {"kana",
     "<P>きょうは あさから あめが ふって いました。</P>\n"
     "<P>ひるすぎに やんだので、こうえんまで さんぽに でかけました。"
     "いけの まわりを ゆっくり あるいて、かえりに パンやさんに よりました。</P>\n"
     "<P>あしたも はれると いいですね。</P>\n"},
    {"menu",
     "<P>ﾒﾆｭｰの［ﾌｧｲﾙ］から［上書き保存］を選ぶと、編集中の文書を保存します。</P>\n"
     "<P>ｳｨﾝﾄﾞｳを並べて表示するには［ｳｨﾝﾄﾞｳ］の［並べて表示］を使います。</P>\n"},
    {"short", "<P>お問い合わせはこちらへ。</P>\n"},
    {"thanks", "<P>ありがとうございました。</P>\n"},
    {"title", "<P>会社概要</P>\n"},
    {"hankaku", "<P>ﾌｧｲﾙ ｳｨﾝﾄﾞｳ ﾍﾙﾌﾟ</P>\n"},
};

// Characters CP932 writes with two different codes; the pages use the codes that
// encoding the text again would not pick.
const char kNecIbmSjis[] = "\x87\x40\x87\x9A\xFA\x4A\xFA\x59\xED\x40";  // ①∵Ⅰ№纊
const char kNecIbmUtf8[] = "①∵Ⅰ№纊";
// A list of nothing but such characters.
const char kNecListSjis[] =
    "\x87\x40\x87\x41\x87\x42 \xFA\x4A\xFA\x4B\xFA\x4C \xFA\x59 \xED\x40\xED\x41";
const char kNecListUtf8[] = "①②③ ⅠⅡⅢ № 纊褜";

const Text kWestern[] = {
    {"cafe",
     "<H1>Café de la Gare</H1>\n"
     "<P>Ouvert tous les jours, été comme hiver. Réservation conseillée.</P>\n"
     "<P>Menu à 12,50 € : entrée, plat, dessert. Température du vin : 14 °C.</P>\n"
     "<P>© 2024 Café de la Gare – tous droits réservés.</P>\n"},
    {"recipe",
     "<H1>Apfelkuchen nach Großmutters Art</H1>\n"
     "<P>Für den Teig ½ Pfund Mehl, 125 g Butter und 1 Ei verkneten. Äpfel schälen, "
     "in Spalten schneiden und auf dem Teig verteilen.</P>\n"
     "<P>Bei 180° etwa 45 Minuten backen. Dazu passt Schlagsahne.</P>\n"},
    {"notice",
     "<P>ÉCOLE NATIONALE — «Résumé» of the year’s work, “naïve” art and more.</P>\n"
     "<P>Registered® trademark; all rights reserved.</P>\n"},
    {"creme", "<P>Café crème</P>\n"},
    {"resume", "<P>Résumé</P>\n"},
    {"gmbh", "<P>© 2024 Müller GmbH</P>\n"},
};

std::string Convert(const std::string& text, const char* to) {
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no iconv for ") + to);
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);  // back to the initial shift state
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0)
        throw std::runtime_error(std::string("cannot convert the corpus to ") + to);
    out.resize(out.size() - outLeft);
    return out;
}

struct Target {
    const char* suffix;
    const char* iconvName;  // nullptr: UTF-8 as it is
    const char* charset;
    TextEncoding encoding;
    bool bom;
    const char* detectName;
    bool crlf = false;  // Windows-made pages
};

const Target kJapaneseTargets[] = {
    {"sjis", "CP932", "Shift_JIS", TextEncoding::ShiftJis, false, "Shift-JIS", true},
    {"euc", "EUC-JP", "EUC-JP", TextEncoding::EucJp, false, "EUC-JP"},
    {"jis", "ISO-2022-JP", "ISO-2022-JP", TextEncoding::Iso2022Jp, false, "ISO-2022-JP"},
    {"utf8", nullptr, "UTF-8", TextEncoding::Utf8, false, "UTF-8"},
    {"utf8bom", nullptr, "UTF-8", TextEncoding::Utf8, true, "UTF-8 BOM", true},
};

std::string Wrap(const std::string& charset, const std::string& body) {
    std::string head = "<HTML>\n<HEAD>\n";
    if (!charset.empty()) {
        head +=
            "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=" + charset + "\">\n";
    }
    return head + "<TITLE>page</TITLE>\n</HEAD>\n<BODY>\n" + body + "</BODY>\n</HTML>\n";
}

std::string Breaks(std::string text, const Target& target) {
    if (!target.crlf)
        return text;
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

void Add(std::vector<Page>& pages, const std::string& name, const Target& target,
         const std::string& utf8, const std::string& bytes) {
    Page page;
    page.name = name;
    page.utf8 = Breaks(utf8, target);
    page.bytes = (target.bom ? "\xEF\xBB\xBF" : "") + Breaks(bytes, target);
    page.encoding = target.encoding;
    page.bom = target.bom;
    page.detectName = target.detectName;
    pages.push_back(std::move(page));
}

}  // namespace

std::vector<Page> Pages() {
    std::vector<Page> pages;
    for (const Text& text : kJapanese) {
        for (const Target& target : kJapaneseTargets) {
            // Half-width katakana have no place in ISO-2022-JP proper, and are rare in
            // EUC-JP; a page of nothing else is taken for Shift-JIS kanji there.
            const std::string name = text.name;
            if ((name == "menu" && target.encoding == TextEncoding::Iso2022Jp) ||
                (name == "hankaku" && (target.encoding == TextEncoding::Iso2022Jp ||
                                       target.encoding == TextEncoding::EucJp))) {
                continue;
            }
            for (bool meta : {false, true}) {
                const std::string utf8 = Wrap(meta ? target.charset : "", text.body);
                const std::string bytes = target.iconvName ? Convert(utf8, target.iconvName) : utf8;
                Add(pages,
                    std::string(text.name) + "-" + target.suffix + (meta ? "-meta" : "") + ".html",
                    target, utf8, bytes);
            }
        }
    }
    // Shift-JIS with NEC special and IBM extension characters, in codes of their own.
    for (bool meta : {false, true}) {
        const std::string before = std::string(kJapanese[0].body) + "<P>";
        const std::string after = "</P>\n<P>丸数字とローマ数字の一覧です。</P>\n";
        const std::string utf8 = Wrap(meta ? "Shift_JIS" : "", before + kNecIbmUtf8 + after);
        const std::size_t at = utf8.find(kNecIbmUtf8);
        const std::string bytes =
            Convert(utf8.substr(0, at), "CP932") + kNecIbmSjis +
            Convert(utf8.substr(at + std::string(kNecIbmUtf8).size()), "CP932");
        Add(pages, std::string("necibm-sjis") + (meta ? "-meta" : "") + ".html",
            kJapaneseTargets[0], utf8, bytes);
    }
    for (bool meta : {false, true}) {
        const std::string utf8 =
            Wrap(meta ? "Shift_JIS" : "", std::string("<P>") + kNecListUtf8 + "</P>\n");
        const std::size_t at = utf8.find(kNecListUtf8);
        const std::string bytes =
            Convert(utf8.substr(0, at), "CP932") + kNecListSjis +
            Convert(utf8.substr(at + std::string(kNecListUtf8).size()), "CP932");
        Add(pages, std::string("neclist-sjis") + (meta ? "-meta" : "") + ".html",
            kJapaneseTargets[0], utf8, bytes);
    }
    const Target western = {"1252", "WINDOWS-1252", "windows-1252", TextEncoding::Windows1252,
                            false,  "Windows-1252"};
    const Target latin1 = {"latin1", "WINDOWS-1252", "ISO-8859-1", TextEncoding::Windows1252,
                           false,    "Windows-1252"};
    for (const Text& text : kWestern) {
        for (const Target* target : {&western, &latin1}) {
            for (bool meta : {false, true}) {
                if (!meta && target == &latin1)
                    continue;  // the same bytes as the undeclared Windows-1252 page
                const std::string utf8 = Wrap(meta ? target->charset : "", text.body);
                Add(pages,
                    std::string(text.name) + "-" + target->suffix + (meta ? "-meta" : "") + ".html",
                    *target, utf8, Convert(utf8, target->iconvName));
            }
        }
    }
    return pages;
}

}  // namespace vesk::corpus
