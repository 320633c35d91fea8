// Colouring: the style of every byte after a scan, and the ranges recoloured around edits.

#include "editor/colouring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

using vesk::ColourSpan;
using vesk::ColourSwitches;

namespace {

ColourSwitches Switches(bool tag, bool com, bool val) {
    ColourSwitches s;
    s.tag = tag;
    s.com = com;
    s.val = val;
    return s;
}

// One digit per byte: 0 text, 1 tag, 2 param, 3 com.
std::string Digits(const std::string& styles) {
    std::string out;
    for (char c : styles) out += static_cast<char>('0' + c);
    return out;
}

// An expected style string written in groups: P("111 22 1") is "111221".
std::string P(std::string_view groups) {
    std::string out;
    for (char c : groups)
        if (c != ' ')
            out += c;
    return out;
}

std::string Styles(std::string_view text, const ColourSwitches& switches = {}) {
    std::string styles;
    vesk::ComputeColourStyles(text, switches, styles);
    return Digits(styles);
}

// The scan written the slow, obvious way (every search from scratch, -1 when absent),
// to check the fast one against.
int Find(std::string_view t, std::string_view what, long from) {
    if (from < 0)
        from = 0;
    if (static_cast<std::size_t>(from) > t.size())
        return -1;
    const std::size_t r = t.find(what, from);
    return r == std::string_view::npos ? -1 : static_cast<int>(r);
}

void Paint(std::string& st, int from, int to, char style) {
    for (int i = from; i < to; ++i) st[i] = style;
}

void ReferenceValues(std::string_view text, int f, int h, std::string& st) {
    const std::string_view t = text.substr(f, h - f + 1);
    int v = 0, r = 0;
    do {
        const int q = Find(t, "\"", v);
        const int e = Find(t, "=", v);
        if (e != -1 && (q == -1 || e < q)) {
            r = Find(t, "\"", e + 2);
            if (t[e + 1] == '"' && r != -1) {
                Paint(st, f + e + 1, f + r + 1, 2);
                v = r + 1;
            } else {
                r = Find(t, " ", e + 1);
                if (r != -1) {
                    Paint(st, f + e + 1, f + r, 2);
                    v = r + 1;
                } else {
                    Paint(st, f + e + 1, f + static_cast<int>(t.size()) - 1, 2);
                }
            }
        } else if (q != -1) {
            const int s = Find(t, "\"", q + 1);
            if (s != -1) {
                Paint(st, f + q, f + s + 1, 2);
                v = s + 1;
            } else {
                v = q + 1;
            }
        } else {
            break;
        }
    } while (r != -1);
}

std::string ReferenceStyles(std::string_view text, const ColourSwitches& sw,
                            std::vector<std::size_t>* progress) {
    std::string st(text.size(), 0);
    if (!(sw.tag || sw.com || sw.val))
        return st;
    int p = 0, f;
    do {
        f = Find(text, "<", p);
        const int h = Find(text, ">", f + 1);
        const int c = Find(text, "<!--", p);
        const int m = Find(text, "-->", c + 3);
        if (c != -1 && c < h && m != -1) {
            if (sw.com)
                Paint(st, c, m + 3, 3);
            p = m + 3;
        } else {
            if (f == -1 || h == -1 || !(f < h))
                break;
            if (sw.tag)
                Paint(st, f, h + 1, 1);
            p = h + 1;
            if (sw.tag && sw.val)
                ReferenceValues(text, f, h, st);
        }
        progress->push_back(p);
    } while (f != -1);
    return st;
}

std::string RandomHtmlish(std::mt19937& rng, int tokens) {
    static const char* const kPieces[] = {"<", ">", "<!--", "-->",  "=",      "\"",       " ",
                                          "a", "B", "x",    "\r\n", "日本",   "<B>",      "</A>",
                                          "-", "!", "<!-",  "--",   "=\"v\"", "<A HREF=", "z=1"};
    std::uniform_int_distribution<int> pick(0, std::size(kPieces) - 1);
    std::string s;
    for (int i = 0; i < tokens; ++i) s += kPieces[pick(rng)];
    return s;
}

void ExpectSameAsReference(const std::string& text) {
    for (int bits = 0; bits < 8; ++bits) {
        const ColourSwitches sw = Switches(bits & 1, bits & 2, bits & 4);
        std::vector<std::size_t> expectedProgress, progress;
        const std::string expected = ReferenceStyles(text, sw, &expectedProgress);
        std::string styles = "stale";
        vesk::ComputeColourStyles(text, sw, styles, [&](std::size_t p) { progress.push_back(p); });
        ASSERT_EQ(Digits(styles), Digits(expected)) << "text: " << text << " switches: " << bits;
        if (sw.Any()) {
            ASSERT_EQ(progress, expectedProgress) << "text: " << text;
        }
    }
}

// ---- the scan ----

TEST(ColourStylesTest, TagsAndTheirValues) {
    // The whole tag in the tag style, then the quoted value with both quotes as param.
    EXPECT_EQ(Styles("<A HREF=\"file.html\">x</A>"), P("11111111 22222222222 1 0 1111"));
    // Unquoted values: up to the blank, and the last one up to but not including ">".
    EXPECT_EQ(Styles("<IMG WIDTH=10 HEIGHT=20>"), P("11111111111 22 11111111 22 1"));
    // Multi-byte text in a value is coloured byte for byte.
    EXPECT_EQ(Styles("<A TITLE=\"日本\">"), std::string(9, '1') + std::string(8, '2') + "1");
    // Only the blank ends an unquoted value: a line break does not.
    EXPECT_EQ(Styles("<IMG\r\nSRC=a.gif\r\nALT=x>"),
              std::string(10, '1') + std::string(12, '2') + "1");
}

TEST(ColourStylesTest, QuotesInsideTags) {
    // A quoted string before any "=" is a value of its own.
    EXPECT_EQ(Styles("<B \"q\">"), P("111 222 1"));
    // A quote before "=" pairs with the next quote, even across the "=".
    EXPECT_EQ(Styles("<B \"a=\" b=\"c\">"), P("111 2222 111 222 1"));
    // A lone quote is skipped; the value after it still counts.
    EXPECT_EQ(Styles("<B \" a=1>"), P("1111111 2 1"));
    // No closing quote: the value ends at the next blank, or at ">".
    EXPECT_EQ(Styles("<A HREF=\"a b>"), P("11111111 22 111"));
    EXPECT_EQ(Styles("<B a=\">"), P("11111 2 1"));
    EXPECT_EQ(Styles("<B a=\"\">"), P("11111 22 1"));
    // An unquoted value runs to the blank even through quotes.
    EXPECT_EQ(Styles("<B a=x\"y\" c>"), P("11111 2222 111"));
}

TEST(ColourStylesTest, Comments) {
    const std::string comment = "<!-- <B> -->";
    EXPECT_EQ(Styles(comment), std::string(comment.size(), '3'));
    // With comments off the comment stays plain and the tag inside it is not coloured;
    // tags after it still are.
    EXPECT_EQ(Styles(comment + "<B>", Switches(true, false, true)),
              std::string(comment.size(), '0') + "111");
    // "<!--" without "-->" is an ordinary tag up to the next ">".
    EXPECT_EQ(Styles("<!-- x <B>y"), P("1111111111 0"));
    EXPECT_EQ(Styles("<!-->"), "11111");
    // A comment opening before the pending tag's ">" wins over the tag.
    EXPECT_EQ(Styles("<a <!-- x -->"), "000" + std::string(10, '3'));
}

TEST(ColourStylesTest, SwitchesAndUnbalancedText) {
    const std::string page = "<P CLASS=\"c\">a<!-- n --><B>b</B>";
    EXPECT_EQ(Styles(page, Switches(false, false, false)), std::string(page.size(), '0'));
    // Values need tags on: with tags off nothing inside a tag is coloured.
    EXPECT_EQ(Styles(page, Switches(false, true, true)),
              std::string(14, '0') + std::string(10, '3') + std::string(8, '0'));
    EXPECT_EQ(Styles(page, Switches(true, false, false)),
              std::string(13, '1') + std::string(11, '0') + P("111 0 1111"));

    EXPECT_EQ(Styles("a > b"), "00000");
    EXPECT_EQ(Styles("x<B>y<B z=1"), P("0111 0 000000"));
    EXPECT_EQ(Styles(""), "");
}

TEST(ColourStylesTest, ProgressReportsTheScanPosition) {
    std::vector<std::size_t> seen;
    std::string styles;
    vesk::ComputeColourStyles("<B>x<!--c--><I>", {}, styles,
                              [&](std::size_t p) { seen.push_back(p); });
    EXPECT_EQ(seen, (std::vector<std::size_t>{3, 12, 15}));
}

TEST(ColourStylesTest, MatchesTheStraightforwardScanOnRandomText) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> shortLength(0, 40);
    for (int i = 0; i < 3000; ++i) ExpectSameAsReference(RandomHtmlish(rng, shortLength(rng)));
    // Longer texts, where remembered search results must stay right over many tags.
    for (int i = 0; i < 40; ++i) ExpectSameAsReference(RandomHtmlish(rng, 1500));
    // Few comment markers: the case the remembered searches exist for.
    std::string sparse;
    for (int i = 0; i < 300; ++i) sparse += "<P A=\"1\" B=2>text ";
    ExpectSameAsReference(sparse + "<!-- x" + sparse + "-->" + sparse);
    ExpectSameAsReference("<!-- " + sparse + "<!--" + sparse);
}

// ---- ranges recoloured after an edit ----

struct Span {
    int from, to;
    bool none;
    bool operator==(const Span&) const = default;
};
Span S(int from, int to) {
    return {from, to, false};
}
Span Of(const ColourSpan& s) {
    return s.none ? Span{0, 0, true} : Span{s.from, s.to, false};
}
std::ostream& operator<<(std::ostream& os, const Span& s) {
    return s.none ? os << "none" : os << "[" << s.from << ", " << s.to << ")";
}

Span AroundCaret(std::string_view text, int caret, int opener = -1) {
    return Of(vesk::RecolourAroundCaretSpan(text, caret, caret, opener));
}

TEST(RecolourSpanTest, AroundTheCaret) {
    // Inside a closed comment: the comment.
    EXPECT_EQ(AroundCaret("<P>a<!-- note -->b<B>", 10), S(4, 17));
    // Inside an unclosed comment: from the "<" before it to the next "<".
    EXPECT_EQ(AroundCaret("<P>a<!-- note b<B>x", 10), S(0, 15));
    // Plain text between tags: from the last "<" to the next.
    EXPECT_EQ(AroundCaret("<B>bold</B> plain <I>x</I>", 14), S(7, 18));
    EXPECT_EQ(AroundCaret("plain", 2), S(0, 5));
    // A comment closer ahead with no opener before it: through the "<" after it.
    EXPECT_EQ(AroundCaret("<B>x</B> a --> y <I>z", 9), S(4, 17));
    EXPECT_EQ(AroundCaret("<B>x</B> a <!-- c --> <I>", 9), S(4, 11));
    // The last "<" before the caret lies in a closed comment: from behind the comment.
    EXPECT_EQ(AroundCaret("<P>a<!--c-->bc<I>", 13), S(12, 14));
    // A "<!--" was near the caret (now broken up): from the last "-->" to the next one.
    EXPECT_EQ(AroundCaret("<P>a-->b<!-c-->d<I>", 11, 2), S(7, 15));
    EXPECT_EQ(AroundCaret("<P>a-->b<!-c-->d<I>", 11), S(8, 16));
}

TEST(RecolourSpanTest, RightAfterACommentCloser) {
    EXPECT_EQ(AroundCaret("<P>a<!-- c -->b<B>", 14), S(0, 15));
    EXPECT_EQ(AroundCaret("<P>a<!-- c -->b<!-- d -->e<I>", 14), S(4, 26));
    EXPECT_EQ(AroundCaret("a -->b", 5), (Span{0, 0, true}));
}

TEST(RecolourSpanTest, AroundAPastedSpan) {
    const std::string page = "<B>x</B> pasted <I>y</I>";
    EXPECT_EQ(Of(vesk::RecolourPastedSpan(page, 9, 6, -1)), S(4, 16));
    EXPECT_EQ(Of(vesk::RecolourPastedSpan(page, 9, -1, -1)), S(0, 24));
    // The pasted text holds a comment opener: up to the next closer.
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<P>a<!-- x -->b<I>", 4, 6, -1)), S(0, 14));
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<!--a-->b<!--c-->d", 9, 5, -1)), S(8, 17));
    // An opener right behind the pasted text counts too.
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<P>ab<!--c-->", 3, 2, -1)), S(0, 13));
    // Pasted inside a comment: the comment, or up to the next "<" when it is not closed.
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<P><!-- abc def --> <I>", 8, 3, -1)), S(3, 19));
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<P><!-- abc def <I>", 8, 3, -1)), S(3, 16));
    // Just before a comment opener; just behind a comment.
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<P>ab<!--c-->", 3, 1, -1)), S(0, 5));
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<P>a<!--c-->bX<I>", 13, 1, -1)), S(12, 14));
    // An opener was near the caret before the edit.
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<P>a-->b<!-c-->d<I>", 8, 0, 1)), S(7, 15));
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<P>a-->b<!-c-->d<I>", 8, 0, -1)), S(7, 8));
}

TEST(RecolourSpanTest, RangesStayInsideTheText) {
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<B>x", 50, 3, -1)), S(0, 4));
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<B>x<I>", 4, -7, -1)), S(0, 4));
    EXPECT_EQ(Of(vesk::RecolourPastedSpan("<B>x<I>", 1, 2000000000, -1)), S(0, 7));
    EXPECT_EQ(AroundCaret("<B>x", 99), S(0, 4));

    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = RandomHtmlish(rng, i % 30);
        const int length = static_cast<int>(text.size());
        std::uniform_int_distribution<int> pos(-2, length + 2);
        const int a = pos(rng), b = pos(rng), opener = pos(rng) % 5 - 1;
        for (const ColourSpan span : {vesk::RecolourAroundCaretSpan(text, a, b, opener),
                                      vesk::RecolourPastedSpan(text, a, b - a, opener)}) {
            if (span.none)
                continue;
            ASSERT_LE(0, span.from) << text;
            ASSERT_LE(span.from, span.to) << text << " " << a << " " << b;
            ASSERT_LE(span.to, length) << text;
        }
    }
}

// ---- caret context ----

TEST(CaretContextTest, CommentOpenerNear) {
    EXPECT_EQ(vesk::CommentOpenerNear("ab<!--cd", 4, 4), 2);
    EXPECT_EQ(vesk::CommentOpenerNear("<!--x", 0, 0), 0);
    EXPECT_EQ(vesk::CommentOpenerNear("xxxx<!--", 8, 8), 0);
    // Only 4 bytes either side are looked at.
    EXPECT_EQ(vesk::CommentOpenerNear("<!--abc", 5, 5), -1);
    EXPECT_EQ(vesk::CommentOpenerNear("ab cd <!--", 2, 2), -1);
    // With a selection, the selected text is searched.
    EXPECT_EQ(vesk::CommentOpenerNear("abc<!--def", 1, 9), 2);
    EXPECT_EQ(vesk::CommentOpenerNear("abc<!--def", 9, 1), 2);
    EXPECT_EQ(vesk::CommentOpenerNear("abc<!--def", 4, 10), -1);
    EXPECT_EQ(vesk::CommentOpenerNear("", 0, 0), -1);
}

TEST(CaretContextTest, InsideTagFlag) {
    auto flag = [](std::string_view text, int s, int e = -1) {
        return vesk::InsideTagFlag(text, s, e < 0 ? s : e);
    };
    EXPECT_EQ(flag("<B><I>", 3), 1);  // after ">", even before "<"
    EXPECT_EQ(flag("x<B>", 1), 0);    // before "<"
    EXPECT_EQ(flag("x\r\n<B>", 3), 1);
    EXPECT_EQ(flag("<<", 1), 0);  // before "<" is checked before after "<"
    EXPECT_EQ(flag("<B>", 0), 0);
    EXPECT_EQ(flag("<B>", 1), 1);  // after "<"
    EXPECT_EQ(flag("<!--", 3), 1);
    EXPECT_EQ(flag("<!--", 2), 1);
    EXPECT_EQ(flag("a=\"x", 3), 1);
    EXPECT_EQ(flag("x\"", 1), 0);  // before a quote
    EXPECT_EQ(flag("\r\n\"a", 2), 1);
    EXPECT_EQ(flag("abcd", 2), 0);
    EXPECT_EQ(flag("abcd", 1, 3), 1);  // any selection
    EXPECT_EQ(flag("abcd", 3, 1), 1);
    EXPECT_EQ(flag("", 0), 0);
}

}  // namespace

namespace vesk {
namespace {

// The control's text in two pieces reads exactly as in one, wherever the seam falls: the
// searches and the recolouring spans of every position agree.
TEST(SplitText, ReadsAsTheWholeTextWhereverTheSeamFalls) {
    const std::string text =
        "<!-- a --><P>x<!--b-->y</P>\r\n<A HREF=\"#\">z</A>-->\r\n<!-- open <B>";
    const std::string_view whole = text;
    for (std::size_t seam = 0; seam <= text.size(); ++seam) {
        const SplitText split(whole.substr(0, seam), whole.substr(seam));
        SCOPED_TRACE(seam);
        ASSERT_EQ(split.substr(0, text.size()), text);
        for (std::string_view what : {"<", "<!--", "-->", "\r\n", ">z<"}) {
            for (std::size_t at = 0; at <= text.size() + 1; ++at) {
                ASSERT_EQ(split.find(what, at), whole.find(what, at)) << what << " " << at;
                ASSERT_EQ(split.rfind_before(what, at),
                          whole.substr(0, std::min(at, text.size())).rfind(what))
                    << what << " " << at;
                ASSERT_EQ(split.find_first_of("<>", at), whole.find_first_of("<>", at));
                ASSERT_EQ(split.find_last_of("<>", at), whole.find_last_of("<>", at));
            }
        }
        for (int caret = 0; caret <= static_cast<int>(text.size()); ++caret) {
            for (int opener : {-1, 0}) {
                const ColourSpan a = RecolourAroundCaretSpan(split, caret, caret, opener);
                const ColourSpan b = RecolourAroundCaretSpan(whole, caret, caret, opener);
                ASSERT_EQ(std::tie(a.from, a.to, a.none), std::tie(b.from, b.to, b.none));
                const ColourSpan c = RecolourPastedSpan(split, caret, 3, opener);
                const ColourSpan d = RecolourPastedSpan(whole, caret, 3, opener);
                ASSERT_EQ(std::tie(c.from, c.to, c.none), std::tie(d.from, d.to, d.none));
            }
        }
    }
}

}  // namespace
}  // namespace vesk
