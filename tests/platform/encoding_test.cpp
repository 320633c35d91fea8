#include "platform/encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/own_code_lines.h"

namespace vesk {
namespace {

// "日本語" in each encoding, from the published code tables.
const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string kNihongoSjis = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kNihongoEuc = "\xC6\xFC\xCB\xDC\xB8\xEC";
const std::string kNihongoJis = "\x1B$BF|K\\8l\x1B(B";
// "あいう" in EUC-JP: every byte is also a half-width katakana in Shift-JIS.
const std::string kAiuUtf8 = "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86";
const std::string kAiuEuc = "\xA4\xA2\xA4\xA4\xA4\xA6";

std::string Page(const std::string& head, const std::string& body, const std::string& br) {
    return "<HTML>" + br + "<HEAD>" + head + "</HEAD>" + br + "<BODY>" + body + "</BODY>" + br +
           "</HTML>" + br;
}

// Opening and saving without edits, the way the document does it.
std::string OpenAndSave(const std::string& bytes) {
    DecodedText decoded = DecodeFileBytes(bytes);
    const LineBreakStyle breaks = DetectLineBreaks(decoded.utf8);
    const std::string shown = BreaksToCrLf(decoded.utf8, breaks);
    EncodeResult saved = EncodeText(BreaksFromCrLf(shown, breaks), decoded.encoding, decoded.bom);
    EXPECT_TRUE(saved.ok) << "fails at " << saved.failOffset;
    return saved.bytes;
}

TEST(DeclaredCharset, FindsMetaDeclarations) {
    EXPECT_EQ(DeclaredCharset("<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" "
                              "CONTENT=\"text/html; CHARSET=Shift_JIS\"></HEAD>"),
              "shift_jis");
    EXPECT_EQ(DeclaredCharset("<html><head><meta charset='EUC-JP'>"), "euc-jp");
    EXPECT_EQ(DeclaredCharset("<meta\ncharset = \"utf-8\" />"), "utf-8");
    // The word outside a META tag, or a META without it, declares nothing.
    EXPECT_EQ(DeclaredCharset("<p>charset=shift_jis</p><meta name=\"author\" content=\"x\">"), "");
    EXPECT_EQ(DeclaredCharset("<meta name=\"a\"><meta content=\"text/html; charset=iso-2022-jp\">"),
              "iso-2022-jp");
}

TEST(DeclaredCharset, LooksOnlyAtTheFirst4096Bytes) {
    const std::string meta = "<meta charset=\"euc-jp\">";
    EXPECT_EQ(DeclaredCharset(std::string(4096 - meta.size(), ' ') + meta), "euc-jp");
    EXPECT_EQ(DeclaredCharset(std::string(4096, ' ') + meta), "");
}

TEST(EncodingFromCharset, MapsLabelsInAnyCase) {
    EXPECT_EQ(EncodingFromCharset("Shift_JIS"), TextEncoding::ShiftJis);
    EXPECT_EQ(EncodingFromCharset("x-sjis"), TextEncoding::ShiftJis);
    EXPECT_EQ(EncodingFromCharset("X-EUC-JP"), TextEncoding::EucJp);
    EXPECT_EQ(EncodingFromCharset(" utf-8 "), TextEncoding::Utf8);
    EXPECT_EQ(EncodingFromCharset("koi8-r"), std::nullopt);
}

TEST(DecodeFileBytes, ShiftJisPageWithCrLf) {
    const std::string bytes = Page("<TITLE>" + kNihongoSjis + "</TITLE>",
                                   "\x83\x65\x83\x58\x83\x67 \xB1\xB2", "\r\n");  // テスト ｱｲ
    DecodedText decoded = DecodeFileBytes(bytes);
    EXPECT_EQ(decoded.encoding, TextEncoding::ShiftJis);
    EXPECT_FALSE(decoded.guessed);
    EXPECT_EQ(decoded.utf8,
              Page("<TITLE>" + kNihongoUtf8 + "</TITLE>",
                   "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88 \xEF\xBD\xB1\xEF\xBD\xB2", "\r\n"));
    EXPECT_EQ(DetectLineBreaks(decoded.utf8), LineBreakStyle::CrLf);
    EXPECT_EQ(OpenAndSave(bytes), bytes);
}

TEST(DecodeFileBytes, EucJpPageWithLf) {
    const std::string bytes = Page("", kNihongoEuc + "\n" + kAiuEuc + " \x8E\xB1", "\n");
    DecodedText decoded = DecodeFileBytes(bytes);
    EXPECT_EQ(decoded.encoding, TextEncoding::EucJp);
    EXPECT_EQ(decoded.utf8, Page("", kNihongoUtf8 + "\n" + kAiuUtf8 + " \xEF\xBD\xB1", "\n"));
    EXPECT_EQ(DetectLineBreaks(decoded.utf8), LineBreakStyle::Lf);
    EXPECT_EQ(OpenAndSave(bytes), bytes);
}

TEST(DecodeFileBytes, DeclaredCharsetDecidesBetweenFittingEncodings) {
    // Undeclared, hiragana in EUC-JP also reads as Shift-JIS half-width katakana; the
    // hiragana reading makes more sense.
    const std::string plain = "<p>" + kAiuEuc + "</p>";
    EXPECT_EQ(DecodeFileBytes(plain).encoding, TextEncoding::EucJp);
    EXPECT_EQ(OpenAndSave(plain), plain);

    // A declaration the bytes satisfy wins over the more plausible reading.
    const std::string declared = "<meta charset=\"shift_jis\"><p>" + kAiuEuc + "</p>";
    DecodedText decoded = DecodeFileBytes(declared);
    EXPECT_EQ(decoded.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(OpenAndSave(declared), declared);
}

TEST(DecodeFileBytes, WrongDeclarationFallsBackToWhatFits) {
    const std::string bytes = "<meta charset=\"euc-jp\"><p>" + kNihongoSjis + "</p>";
    DecodedText decoded = DecodeFileBytes(bytes);
    EXPECT_EQ(decoded.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(decoded.utf8, "<meta charset=\"euc-jp\"><p>" + kNihongoUtf8 + "</p>");
}

TEST(DecodeFileBytes, ShiftJisWithDoubledCodesIsTakenAndItsCodesKeptByLine) {
    // ED 40 (NEC-selected IBM extension) reads fine but encodes again as FA 5C.
    const std::string bytes = "<p>" + kNihongoSjis + "\xED\x40</p>\n<p>" + kNihongoSjis + "</p>";
    DecodedText decoded = DecodeFileBytes(bytes);
    EXPECT_EQ(decoded.encoding, TextEncoding::ShiftJis);
    EXPECT_TRUE(decoded.otherCodesOnEncoding);
    const EncodeResult again = EncodeText(decoded.utf8, TextEncoding::ShiftJis);
    ASSERT_TRUE(again.ok);
    EXPECT_NE(again.bytes, bytes);
    const OwnCodeLines own = OwnCodeLines::Collect(bytes, decoded.utf8, again.bytes);
    EXPECT_EQ(own.Restore(decoded.utf8, again.bytes), bytes);

    // Edited elsewhere, the line keeps its code; the edited line takes the usual one.
    const std::string edited = "<br>" + decoded.utf8 + "\n" + decoded.utf8;
    const std::string expected =
        "<br><p>" + kNihongoSjis + "\xFA\x5C</p>\n<p>" + kNihongoSjis + "</p>\n" + bytes;
    EXPECT_EQ(own.Restore(edited, EncodeText(edited, TextEncoding::ShiftJis).bytes), expected);
}

TEST(DecodeFileBytes, Iso2022Jp) {
    const std::string bytes = "<HTML>\r\n<TITLE>" + kNihongoJis + "</TITLE>\r\n</HTML>\r\n";
    DecodedText decoded = DecodeFileBytes(bytes);
    EXPECT_EQ(decoded.encoding, TextEncoding::Iso2022Jp);
    EXPECT_EQ(decoded.utf8, "<HTML>\r\n<TITLE>" + kNihongoUtf8 + "</TITLE>\r\n</HTML>\r\n");
    EXPECT_EQ(OpenAndSave(bytes), bytes);

    // Half-width katakana in the JIS X 0201 set.
    const std::string kana = "a\x1B(I12\x1B(Bb";
    decoded = DecodeFileBytes(kana);
    EXPECT_EQ(decoded.encoding, TextEncoding::Iso2022Jp);
    EXPECT_EQ(decoded.utf8,
              "a\xEF\xBD\xB1\xEF\xBD\xB2"
              "b");
    EXPECT_EQ(OpenAndSave(kana), kana);
}

TEST(DecodeFileBytes, Utf8WithAndWithoutBom) {
    const std::string body = "<p>" + kNihongoUtf8 + "</p>\n";
    DecodedText decoded = DecodeFileBytes("\xEF\xBB\xBF" + body);
    EXPECT_EQ(decoded.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(decoded.bom);
    EXPECT_EQ(decoded.utf8, body);
    EXPECT_EQ(OpenAndSave("\xEF\xBB\xBF" + body), "\xEF\xBB\xBF" + body);

    // UTF-8 wins over what the page declares.
    const std::string declared = "<meta charset=\"shift_jis\">" + body;
    decoded = DecodeFileBytes(declared);
    EXPECT_EQ(decoded.encoding, TextEncoding::Utf8);
    EXPECT_FALSE(decoded.bom);
    EXPECT_EQ(decoded.utf8, declared);
    EXPECT_EQ(OpenAndSave(declared), declared);
}

TEST(DecodeFileBytes, BomBeforeNonUtf8IsNotBelieved) {
    const std::string bytes = "\xEF\xBB\xBF<p>" + kNihongoSjis + "\x80</p>";
    DecodedText decoded = DecodeFileBytes(bytes);
    EXPECT_FALSE(decoded.bom);
    EXPECT_EQ(OpenAndSave(bytes), bytes);
}

TEST(DecodeFileBytes, PureAsciiTakesTheDeclaredCharset) {
    const std::string sjis =
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=x-sjis\">\r\n<P>a\\b~</P>";
    DecodedText decoded = DecodeFileBytes(sjis);
    EXPECT_EQ(decoded.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(decoded.utf8, sjis);
    EXPECT_EQ(OpenAndSave(sjis), sjis);

    EXPECT_EQ(DecodeFileBytes("<meta charset=iso-2022-jp><p>a</p>").encoding,
              TextEncoding::Iso2022Jp);
    EXPECT_EQ(DecodeFileBytes("<p>plain</p>").encoding, TextEncoding::Utf8);
    EXPECT_EQ(DecodeFileBytes("<meta charset=\"koi8-r\"><p>a</p>").encoding, TextEncoding::Utf8);
    EXPECT_EQ(DecodeFileBytes("").encoding, TextEncoding::Utf8);
}

TEST(DecodeFileBytes, InvalidUtf8FormsAreNotUtf8) {
    // Overlong "/" and an encoded surrogate.
    for (const std::string& bytes : {std::string("<p>\xC0\xAF</p>"), std::string("a\xED\xA0\x80z"),
                                     std::string("\xF4\x90\x80\x80"), std::string("ab\xE6\x97")}) {
        DecodedText decoded = DecodeFileBytes(bytes);
        EXPECT_NE(decoded.encoding, TextEncoding::Utf8) << bytes;
        EXPECT_EQ(OpenAndSave(bytes), bytes);
    }
}

TEST(DecodeFileBytes, AnyBytesComeBackUnchanged) {
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    DecodedText decoded = DecodeFileBytes(all);
    EXPECT_EQ(decoded.encoding, TextEncoding::Windows1252);
    EXPECT_TRUE(decoded.guessed);
    EXPECT_EQ(OpenAndSave(all), all);

    // Every byte pair, as one file: whatever it is taken as, it must come back.
    std::string pairs;
    for (int a = 0x80; a < 256; ++a) {
        for (int b = 0x20; b < 256; b += 7) {
            pairs.push_back(static_cast<char>(a));
            pairs.push_back(static_cast<char>(b));
        }
    }
    EXPECT_EQ(OpenAndSave(pairs), pairs);
}

TEST(DecodeAs, RejectsBytesInvalidInTheEncoding) {
    EXPECT_EQ(DecodeAs(kNihongoSjis, TextEncoding::ShiftJis), kNihongoUtf8);
    EXPECT_EQ(DecodeAs(kNihongoEuc, TextEncoding::EucJp), kNihongoUtf8);
    EXPECT_EQ(DecodeAs(kNihongoJis, TextEncoding::Iso2022Jp), kNihongoUtf8);
    EXPECT_EQ(DecodeAs(kNihongoSjis, TextEncoding::EucJp), std::nullopt);
    EXPECT_EQ(DecodeAs(kNihongoSjis, TextEncoding::Utf8), std::nullopt);
    EXPECT_EQ(DecodeAs(kNihongoSjis, TextEncoding::Iso2022Jp), std::nullopt);
    // Cut off inside a double-byte character.
    EXPECT_EQ(DecodeAs(kNihongoSjis.substr(0, 5), TextEncoding::ShiftJis), std::nullopt);
    EXPECT_EQ(DecodeAs(kNihongoEuc.substr(0, 3), TextEncoding::EucJp), std::nullopt);
    // No BOM handling here: it stays in the text.
    EXPECT_EQ(DecodeAs("\xEF\xBB\xBF"
                       "a",
                       TextEncoding::Utf8),
              "\xEF\xBB\xBF"
              "a");
    EXPECT_EQ(DecodeAs("\xE9t\xE9", TextEncoding::Windows1252), "\xC3\xA9t\xC3\xA9");
}

TEST(EncodeText, CharactersOutsideTheEncodingFailWithTheirOffset) {
    const std::string yoshi = "\xF0\xA0\xAE\xB7";  // 𠮷, not in JIS X 0208
    const std::string text = "<p>" + kNihongoUtf8 + yoshi + "</p>";
    for (TextEncoding encoding :
         {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Iso2022Jp}) {
        EncodeResult result = EncodeText(text, encoding);
        EXPECT_FALSE(result.ok) << EncodingName(encoding);
        EXPECT_EQ(result.failOffset, 3 + kNihongoUtf8.size()) << EncodingName(encoding);
        EXPECT_EQ(result.failChar, yoshi) << EncodingName(encoding);
    }

    const std::string emoji = "\xF0\x9F\x98\x80";
    EncodeResult result = EncodeText("a" + emoji, TextEncoding::ShiftJis);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failOffset, 1u);
    EXPECT_EQ(result.failChar, emoji);

    result = EncodeText("caf\xC3\xA9 " + kNihongoUtf8, TextEncoding::Windows1252);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failOffset, 6u);
    EXPECT_EQ(result.failChar, "\xE6\x97\xA5");

    // Circled digit one: Shift-JIS (NEC row 13) holds it, ISO-2022-JP does not.
    EXPECT_TRUE(EncodeText("\xE2\x91\xA0", TextEncoding::ShiftJis).ok);
    result = EncodeText("x\xE2\x91\xA0", TextEncoding::Iso2022Jp);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failOffset, 1u);
}

TEST(EncodeText, NoQuietLookAlikes) {
    // iconv would write the yen sign as the byte 0x5C, which reads back as a backslash.
    EncodeResult result = EncodeText("a\\b\xC2\xA5", TextEncoding::ShiftJis);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failOffset, 3u);
    EXPECT_EQ(result.failChar, "\xC2\xA5");
    EXPECT_FALSE(EncodeText("\xC2\xA5", TextEncoding::EucJp).ok);
    // ISO-2022-JP holds it in JIS-Roman.
    result = EncodeText("\xC2\xA5", TextEncoding::Iso2022Jp);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(DecodeAs(result.bytes, TextEncoding::Iso2022Jp), "\xC2\xA5");

    // The wave dash is the same JIS character as the full-width tilde of CP932.
    result = EncodeText("\xE3\x80\x9C", TextEncoding::ShiftJis);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.bytes, "\x81\x60");
}

TEST(EncodeText, WritesEachEncoding) {
    EXPECT_EQ(EncodeText(kNihongoUtf8, TextEncoding::Iso2022Jp).bytes, kNihongoJis);
    EXPECT_EQ(EncodeText("a\xEF\xBD\xB1\xEF\xBD\xB2"
                         "b" +
                             kNihongoUtf8,
                         TextEncoding::Iso2022Jp)
                  .bytes,
              "a\x1B(I12\x1B(Bb" + kNihongoJis);
    EXPECT_EQ(EncodeText("a", TextEncoding::Utf8, true).bytes,
              "\xEF\xBB\xBF"
              "a");
    EXPECT_EQ(EncodeText("a", TextEncoding::ShiftJis, true).bytes, "a");
}

TEST(EncodeText, LongTextRoundTrips) {
    // Long enough to make every buffer grow.
    std::string sjis;
    std::string utf8;
    for (int i = 0; i < 20000; ++i) {
        sjis += "<TD>" + kNihongoSjis + "\xB1\xB2\xB3</TD>\r\n";
        utf8 += "<TD>" + kNihongoUtf8 + "\xEF\xBD\xB1\xEF\xBD\xB2\xEF\xBD\xB3</TD>\r\n";
    }
    DecodedText decoded = DecodeFileBytes(sjis);
    EXPECT_EQ(decoded.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(decoded.utf8, utf8);
    EXPECT_EQ(EncodeText(utf8, TextEncoding::ShiftJis).bytes, sjis);
    EncodeResult jis = EncodeText(utf8, TextEncoding::Iso2022Jp);
    ASSERT_TRUE(jis.ok);
    EXPECT_EQ(DecodeAs(jis.bytes, TextEncoding::Iso2022Jp), utf8);
}

TEST(LineBreaks, DetectsEveryStyle) {
    EXPECT_EQ(DetectLineBreaks(""), LineBreakStyle::None);
    EXPECT_EQ(DetectLineBreaks("abc"), LineBreakStyle::None);
    EXPECT_EQ(DetectLineBreaks("a\r\nb\r\n"), LineBreakStyle::CrLf);
    EXPECT_EQ(DetectLineBreaks("a\nb\n"), LineBreakStyle::Lf);
    EXPECT_EQ(DetectLineBreaks("a\rb\r"), LineBreakStyle::Cr);
    EXPECT_EQ(DetectLineBreaks("\r"), LineBreakStyle::Cr);
    EXPECT_EQ(DetectLineBreaks("a\r\nb\n"), LineBreakStyle::Mixed);
    EXPECT_EQ(DetectLineBreaks("a\nb\r"), LineBreakStyle::Mixed);
    EXPECT_EQ(DetectLineBreaks("a\r\r\n"), LineBreakStyle::Mixed);
    EXPECT_EQ(DetectLineBreaks("a\n\r"), LineBreakStyle::Mixed);
    EXPECT_EQ(LineBreakName(LineBreakStyle::None), "CRLF");
    EXPECT_EQ(LineBreakName(LineBreakStyle::Mixed), "混在");
}

TEST(LineBreaks, LoneBreaksGoToCrLfAndBack) {
    const std::string lf = "\na\nb\n\nc";
    EXPECT_EQ(BreaksToCrLf(lf, LineBreakStyle::Lf), "\r\na\r\nb\r\n\r\nc");
    EXPECT_EQ(BreaksFromCrLf(BreaksToCrLf(lf, LineBreakStyle::Lf), LineBreakStyle::Lf), lf);

    const std::string cr = "\ra\rb\r\rc\r";
    EXPECT_EQ(BreaksToCrLf(cr, LineBreakStyle::Cr), "\r\na\r\nb\r\n\r\nc\r\n");
    EXPECT_EQ(BreaksFromCrLf(BreaksToCrLf(cr, LineBreakStyle::Cr), LineBreakStyle::Cr), cr);

    // Lines typed with Enter come out in the file's own style.
    EXPECT_EQ(BreaksFromCrLf("a\r\nb", LineBreakStyle::Lf), "a\nb");
    EXPECT_EQ(BreaksFromCrLf("a\r\nb", LineBreakStyle::Cr), "a\rb");
}

TEST(LineBreaks, OtherStylesStayAsTheyAre) {
    const std::string mixed = "a\r\nb\nc\rd";
    for (LineBreakStyle style :
         {LineBreakStyle::Mixed, LineBreakStyle::CrLf, LineBreakStyle::None}) {
        EXPECT_EQ(BreaksToCrLf(mixed, style), mixed);
        EXPECT_EQ(BreaksFromCrLf(mixed, style), mixed);
    }
    // A pair already there is not doubled.
    EXPECT_EQ(BreaksToCrLf("a\r\nb\n", LineBreakStyle::Lf), "a\r\nb\r\n");
    EXPECT_EQ(BreaksToCrLf("a\r\nb\r", LineBreakStyle::Cr), "a\r\nb\r\n");
}

}  // namespace
}  // namespace vesk
