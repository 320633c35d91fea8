#include "editor/text_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using vesk::FindBackward;
using vesk::FindForward;
using vesk::ReplaceInRange;
using vesk::SearchOptions;

namespace {

SearchOptions Opts(bool matchCase, bool wholeWord) {
    SearchOptions o;
    o.matchCase = matchCase;
    o.wholeWord = wholeWord;
    return o;
}

int Len(std::string_view s) {
    return static_cast<int>(s.size());
}

// Reference matcher, byte by byte, written independently of the searcher.
bool RefIsWord(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_';
}

bool RefMatchAt(const std::string& text, const std::string& what, int q, const SearchOptions& o) {
    if (what.empty() || q < 0 || q + Len(what) > Len(text))
        return false;
    if ((static_cast<unsigned char>(text[q]) & 0xC0) == 0x80)
        return false;
    for (int k = 0; k < Len(what); ++k) {
        char a = text[q + k];
        char b = what[k];
        if (!o.matchCase) {
            if (a >= 'A' && a <= 'Z')
                a = static_cast<char>(a + 32);
            if (b >= 'A' && b <= 'Z')
                b = static_cast<char>(b + 32);
        }
        if (a != b)
            return false;
    }
    if (o.wholeWord) {
        if (q > 0 && RefIsWord(text[q - 1]))
            return false;
        const int end = q + Len(what);
        if (end < Len(text) && RefIsWord(text[end]))
            return false;
    }
    return true;
}

// The upward search as the find dialog describes it: windows [p, pos) growing by
// the length of the search text towards the start; the first window holding a
// match gives the match nearest pos in it.
int WindowedBackward(const std::string& text, const std::string& what, int pos,
                     const SearchOptions& o) {
    const int n = Len(what);
    if (n == 0)
        return -1;
    for (int p = pos;; p -= n) {
        if (p < 0)
            p = 0;
        int nearest = -1;
        for (int q = p; q + n <= pos; ++q) {
            if (RefMatchAt(text, what, q, o))
                nearest = q;
        }
        if (nearest >= 0)
            return nearest;
        if (p == 0)
            return -1;
    }
}

std::string RandomText(std::mt19937& rng, int length) {
    // A small alphabet so that matches, overlaps and word edges are frequent.
    static const char* const kPieces[] = {"a", "A", "b", "_", " ", "1", "\r\n", "あ", "漢"};
    std::uniform_int_distribution<int> pick(0, 8);
    std::string s;
    while (Len(s) < length) s += kPieces[pick(rng)];
    return s;
}

}  // namespace

TEST(FindForwardTest, CaseFoldsOnlyAsciiLetters) {
    const std::string text = "xx HeLLo yy";
    EXPECT_EQ(FindForward(text, "hello", 0, Len(text), Opts(false, false)), 3);
    EXPECT_EQ(FindForward(text, "hello", 0, Len(text), Opts(true, false)), -1);
    EXPECT_EQ(FindForward(text, "HeLLo", 0, Len(text), Opts(true, false)), 3);
    // Full-width letters are no ASCII: "Ａ" and "ａ" stay apart.
    const std::string wide = "ＡＢ ａｂ";
    EXPECT_EQ(FindForward(wide, "ａｂ", 0, Len(wide), Opts(false, false)), Len("ＡＢ "));
    // Bytes that differ by 0x20 outside A-Z are not folded ("@" vs "`", "[" vs "{").
    EXPECT_EQ(FindForward("@[", "`{", 0, 2, Opts(false, false)), -1);
}

TEST(FindForwardTest, WholeWordBoundaries) {
    const SearchOptions whole = Opts(false, true);
    EXPECT_EQ(FindForward("cat category cat", "cat", 1, 16, whole), 13);
    EXPECT_EQ(FindForward("concat", "cat", 0, 6, whole), -1);
    EXPECT_EQ(FindForward("cat_x cat1 (cat)", "cat", 0, 16, whole), 12);
    // Digits and underscores are word characters, punctuation and line breaks are not.
    EXPECT_EQ(FindForward("1cat\r\ncat", "cat", 0, 9, whole), 6);
    // Japanese neighbours do not count as word characters.
    const std::string jp = "日本語TAG表示";
    EXPECT_EQ(FindForward(jp, "tag", 0, Len(jp), whole), Len("日本語"));
    // The whole text decides, not the searched range: the letter before the range blocks.
    EXPECT_EQ(FindForward("xcat", "cat", 1, 4, whole), -1);
}

TEST(FindForwardTest, RangeLimitsAndEmptySearch) {
    const std::string text = "abcabc";
    EXPECT_EQ(FindForward(text, "abc", 1, 6, Opts(true, false)), 3);
    // The match must end inside the range.
    EXPECT_EQ(FindForward(text, "abc", 1, 5, Opts(true, false)), -1);
    EXPECT_EQ(FindForward(text, "abc", 0, 100, Opts(true, false)), 0);
    EXPECT_EQ(FindForward(text, "abc", 4, 2, Opts(true, false)), -1);
    EXPECT_EQ(FindForward(text, "", 0, 6, Opts(true, false)), -1);
    // A match in the very last bytes is found.
    EXPECT_EQ(FindForward("xxend", "end", 0, 5, Opts(true, false)), 2);
}

TEST(FindForwardTest, NeverStartsInsideAMultiByteCharacter) {
    // "あ" is E3 81 82, "い" is E3 81 84: the tail bytes 81 82 must not be a start.
    const std::string text = "あい";
    EXPECT_EQ(FindForward(text, "\x81\x84", 0, Len(text), Opts(true, false)), -1);
    EXPECT_EQ(FindForward(text, "い", 0, Len(text), Opts(true, false)), 3);
    EXPECT_EQ(FindBackward(text, "\x81\x84", Len(text), Opts(true, false)), -1);
}

TEST(FindBackwardTest, CaretRightAfterAMatchFindsIt) {
    const std::string text = "abc abc abc";
    EXPECT_EQ(FindBackward(text, "abc", 7, Opts(false, false)), 4);
    EXPECT_EQ(FindBackward(text, "abc", 6, Opts(false, false)), 0);
    EXPECT_EQ(FindBackward(text, "abc", 3, Opts(false, false)), 0);
    EXPECT_EQ(FindBackward(text, "abc", 2, Opts(false, false)), -1);
    EXPECT_EQ(FindBackward(text, "abc", 0, Opts(false, false)), -1);
    EXPECT_EQ(FindBackward(text, "ABC", 100, Opts(false, false)), 8);
    EXPECT_EQ(FindBackward(text, "ABC", 100, Opts(true, false)), -1);
}

TEST(FindBackwardTest, AgreesWithTheWindowedSearchOnRandomTexts) {
    std::mt19937 rng(20240611);
    const char* const kWhats[] = {"a", "aa", "A a", "ab", "あ", "a\r\n", "_1", "漢あ", "b b"};
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(rng, 1 + round % 60);
        for (const char* what : kWhats) {
            for (int flags = 0; flags < 4; ++flags) {
                const SearchOptions o = Opts(flags & 1, flags & 2);
                for (int pos = 0; pos <= Len(text); ++pos) {
                    ASSERT_EQ(FindBackward(text, what, pos, o),
                              WindowedBackward(text, what, pos, o))
                        << "text [" << text << "] what [" << what << "] pos " << pos << " flags "
                        << flags;
                }
            }
        }
    }
}

TEST(ReplaceInRangeTest, LongerShorterAndEmptyReplacements) {
    const std::string text = "a-a-a";
    auto longer = ReplaceInRange(text, "a", "xyz", 0, Len(text), Opts(true, false));
    EXPECT_EQ(longer.text, "xyz-xyz-xyz");
    EXPECT_EQ(longer.count, 3);
    EXPECT_EQ(longer.newEnd, Len(longer.text));

    auto shorter = ReplaceInRange("<BR><BR>", "<BR>", "<", 0, 8, Opts(true, false));
    EXPECT_EQ(shorter.text, "<<");
    EXPECT_EQ(shorter.newEnd, 2);

    auto removed = ReplaceInRange("x, y, z", ", ", "", 0, 7, Opts(true, false));
    EXPECT_EQ(removed.text, "xyz");
    EXPECT_EQ(removed.count, 2);
    EXPECT_EQ(removed.newEnd, 3);
}

TEST(ReplaceInRangeTest, ReplacementIsNeverSearchedAgain) {
    auto r = ReplaceInRange("ab ab", "ab", "abab", 0, 5, Opts(true, false));
    EXPECT_EQ(r.text, "abab abab");
    EXPECT_EQ(r.count, 2);
    // A replacement that forms a new match with the following text is not taken either.
    auto joined = ReplaceInRange("aab", "ab", "a", 0, 3, Opts(true, false));
    EXPECT_EQ(joined.text, "aa");
    EXPECT_EQ(joined.count, 1);
    // Overlapping occurrences: each replaced match is consumed whole.
    auto overlap = ReplaceInRange("aaaa", "aa", "b", 0, 4, Opts(true, false));
    EXPECT_EQ(overlap.text, "bb");
}

TEST(ReplaceInRangeTest, OnlyTheRangeChanges) {
    const std::string text = "cat cat cat cat";
    auto r = ReplaceInRange(text, "cat", "dog!", 4, 11, Opts(false, false));
    EXPECT_EQ(r.text, "cat dog! dog! cat");
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.newEnd, 13);
    // A match crossing the range end stays.
    auto cut = ReplaceInRange(text, "cat", "x", 0, 6, Opts(false, false));
    EXPECT_EQ(cut.text, "x cat cat cat");
    EXPECT_EQ(cut.newEnd, 4);
    // No match: the text as it was, the end where it was.
    auto none = ReplaceInRange(text, "cow", "x", 2, 9, Opts(false, false));
    EXPECT_EQ(none.text, text);
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.newEnd, 9);
    // Whole words and case, in Japanese surroundings.
    auto jp = ReplaceInRange("日本Cat catty CAT", "cat", "犬", 0, 21, Opts(false, true));
    EXPECT_EQ(jp.text, "日本犬 catty 犬");
}

TEST(ReplaceInRangeTest, ManyMatchesInALargeText) {
    // 100,000 matches in about 10 MB: one pass, every match counted.
    std::string text;
    const std::string line(98, 'x');
    for (int i = 0; i < 100000; ++i) text += "<BR>" + line;
    auto r = ReplaceInRange(text, "<br>", "<BR>\r\n", 0, Len(text), Opts(false, false));
    EXPECT_EQ(r.count, 100000);
    EXPECT_EQ(Len(r.text), Len(text) + 200000);
    EXPECT_EQ(r.newEnd, Len(r.text));
    EXPECT_EQ(r.text.compare(0, 6, "<BR>\r\n"), 0);
    EXPECT_EQ(FindBackward(text, "<BR>", Len(text), Opts(true, false)), Len(text) - 102);
}
