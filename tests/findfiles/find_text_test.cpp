// Finding a text in one file's text and replacing it in the file's own bytes.

#include "findfiles/find_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "findfiles/file_search.h"
#include "support/scratch_volume.h"
#include "support/test_env.h"

namespace vesk::findfiles {
namespace {

// "日本語" in each encoding, from the published code tables.
const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string kNihongoSjis = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kNihongoEuc = "\xC6\xFC\xCB\xDC\xB8\xEC";
const std::string kNihongoJis = "\x1B$BF|K\\8l\x1B(B";

std::string Fill(std::string pattern, const std::string& with) {
    for (std::size_t at = pattern.find('%'); at != std::string::npos;
         at = pattern.find('%', at + with.size())) {
        pattern.replace(at, 1, with);
    }
    return pattern;
}

TEST(FindText, MatchesWithTheirLinesAndColumns) {
    struct Case {
        const char* name;
        std::string text;
        std::string what;
        bool matchCase;
        std::vector<std::pair<int, std::size_t>> expected;  // line, column
    };
    const Case cases[] = {
        {"either case", "<P>x</P>\r\n  <p class=\"P\">", "<p", false, {{1, 0}, {2, 2}}},
        {"case matters", "<P>x</P>\r\n  <p class=\"P\">", "<p", true, {{2, 2}}},
        {"no overlaps", "aaaaa", "aa", true, {{1, 0}, {1, 2}}},
        {"lone CR and LF", "a\rb\nc\r\nd a", "a", true, {{1, 0}, {4, 2}}},
        {"only ASCII folds",
         "\xC3\x89t\xC3\xA9 \xC3\xA9t\xC3\xA9",
         "\xC3\xA9t\xC3\xA9",
         false,
         {{1, 6}}},
        {"Japanese", kNihongoUtf8 + "\n" + kNihongoUtf8, "\xE6\x9C\xAC", false, {{1, 3}, {2, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextFinder finder(c.what, c.matchCase);
        const std::vector<std::size_t> offsets = finder.FindAll(c.text);
        const std::vector<LineMatch> matches =
            MatchesByLine(c.text, offsets, finder.Length(), DetectLineBreaks(c.text));
        std::vector<std::pair<int, std::size_t>> got;
        for (const LineMatch& m : matches) got.emplace_back(m.line, m.column);
        EXPECT_EQ(got, c.expected);
    }
}

TEST(FindText, ExcerptDropsIndentAndCutsLongLinesAroundTheMatch) {
    const std::string text = "\t  <td>" + std::string(300, 'x') + "needle" + std::string(300, 'y');
    const TextFinder finder("needle", true);
    const std::vector<LineMatch> matches =
        MatchesByLine(text, finder.FindAll(text), finder.Length(), LineBreakStyle::None);
    ASSERT_EQ(matches.size(), 1u);
    const LineMatch& m = matches[0];
    EXPECT_EQ(m.excerpt.substr(m.markStart, m.markLength), "needle");
    EXPECT_EQ(m.excerpt.substr(0, 3), "\xE2\x80\xA6");  // cut before: an ellipsis
    EXPECT_EQ(m.excerpt.substr(m.excerpt.size() - 3), "\xE2\x80\xA6");
    EXPECT_LT(m.excerpt.size(), 240u);

    const std::string shortLine = "\t  <td>needle</td>";
    const LineMatch s =
        MatchesByLine(shortLine, finder.FindAll(shortLine), 6, LineBreakStyle::None)[0];
    EXPECT_EQ(s.excerpt, "<td>needle</td>");
    EXPECT_EQ(s.markStart, 4u);
}

// The file's bytes with "page" (either case) at each "%", replaced: everything else is kept
// byte for byte, in the file's encoding, BOM and line breaks.
TEST(PlanReplace, KeepsEveryOtherByteOfTheFile) {
    const std::string sjisMeta = "<META charset=\"Shift_JIS\">";
    struct Case {
        const char* name;
        std::string file;  // with "%" where the matches stand
        std::string replacement;
        std::string replacementBytes;
    };
    const Case cases[] = {
        {"UTF-8, LF", "<p>" + kNihongoUtf8 + " % x</p>\n<p>%</p>\n", kNihongoUtf8, kNihongoUtf8},
        {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBF<p>%</p>\r\n<p>%</p>\r\n", "x", "x"},
        {"Shift-JIS, CR LF", sjisMeta + "\r\n<p>" + kNihongoSjis + "%</p>\r\n%\r\n", kNihongoUtf8,
         kNihongoSjis},
        // ED 40 reads as a character that CP932 writes as FA 5C: it stays ED 40.
        {"Shift-JIS with NEC-selected codes", "<p>" + kNihongoSjis + "\xED\x40%</p>\r\n%",
         kNihongoUtf8, kNihongoSjis},
        {"EUC-JP, CR", "<META charset=\"EUC-JP\">\r<p>" + kNihongoEuc + "%</p>\r", kNihongoUtf8,
         kNihongoEuc},
        {"ISO-2022-JP", "<p>" + kNihongoJis + " %</p>\r\n", kNihongoUtf8, kNihongoJis},
        {"Windows-1252", "<META charset=\"windows-1252\"><p>caf\xE9 %</p>\n", "na\xC3\xAFve",
         "na\xEFve"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = c.file;
        // Every second match in capitals: found all the same.
        bool upper = false;
        for (std::size_t at = file.find('%'); at != std::string::npos; at = file.find('%', at)) {
            file.replace(at, 1, upper ? "PAGE" : "page");
            upper = !upper;
        }
        const DecodedText decoded = DecodeFileBytes(file);
        ASSERT_FALSE(decoded.guessed);
        const TextFinder finder("page", false);
        const std::vector<std::size_t> offsets = finder.FindAll(decoded.utf8);
        const ReplacePlan plan = PlanReplace(file, decoded, offsets, 4, c.replacement);
        EXPECT_EQ(plan.outcome, ReplaceOutcome::Replaced);
        EXPECT_EQ(plan.count, static_cast<int>(std::count(c.file.begin(), c.file.end(), '%')));
        EXPECT_EQ(plan.bytes, Fill(c.file, c.replacementBytes));
    }
}

TEST(PlanReplace, SkipsFilesItCannotRewriteFaithfully) {
    struct Case {
        const char* name;
        std::string file;
        std::string replacement;
        ReplaceOutcome outcome;
        std::string failChar;
    };
    const Case cases[] = {
        {"Windows-1252 has no kanji", "<META charset=\"windows-1252\"><p>caf\xE9 page</p>",
         kNihongoUtf8, ReplaceOutcome::CannotHold, "\xE6\x97\xA5"},
        {"Shift-JIS has no emoji", "<p>" + kNihongoSjis + " page</p>", "\xF0\x9F\x98\x80",
         ReplaceOutcome::CannotHold, "\xF0\x9F\x98\x80"},
        // ESC $ @ is written again as ESC $ B.
        {"ISO-2022-JP in its old designation", "<p>\x1B$@F|K\\8l\x1B(B page</p>", "x",
         ReplaceOutcome::WouldChangeOtherBytes, ""},
        {"bytes that read as nothing", "page \x81\xFF\x9F\xFE\x80\xFF\x81\x8D", "x",
         ReplaceOutcome::NotDecodedCleanly, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedText decoded = DecodeFileBytes(c.file);
        const std::vector<std::size_t> offsets = TextFinder("page", true).FindAll(decoded.utf8);
        ASSERT_EQ(offsets.size(), 1u);
        const ReplacePlan plan = PlanReplace(c.file, decoded, offsets, 4, c.replacement);
        EXPECT_EQ(plan.outcome, c.outcome);
        EXPECT_EQ(plan.failChar, c.failChar);
        EXPECT_TRUE(plan.bytes.empty());
    }
}

// On a disk that is full or read-only the replace is refused with the system's reason, and
// the file keeps every byte.
TEST(ReplaceInFile, AFullOrReadOnlyDiskLeavesTheFileAsItWas) {
    for (const bool full : {true, false}) {
        SCOPED_TRACE(full ? "full" : "read-only");
        vesk::test::ScratchVolume volume(512 * 1024);
        VESK_REQUIRE_VOLUME(volume);
        std::string page;
        for (int i = 0; i < 2000; ++i) page += "<P>a</P>\r\n";
        const QString path = vesk::test::WriteTestFile(volume.Path() + "/page.html", page);
        ASSERT_TRUE(full ? volume.FillLeaving(8 * 1024) : volume.MakeReadOnly());
        const FileReplaceResult result =
            ReplaceInFile(path, TextFinder("a", true), "a longer text");
        EXPECT_EQ(result.outcome, ReplaceOutcome::Replaced);  // planned, but not written
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(vesk::test::ReadTestFile(path), page);
    }
}

}  // namespace
}  // namespace vesk::findfiles
