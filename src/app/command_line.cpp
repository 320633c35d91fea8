#include "app/command_line.h"

#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <charconv>
#include <iostream>
#include <iterator>

#include "platform/encoding.h"
#include "platform/file_io.h"
#include "sidepane/link_checker.h"
#include "tools/conversions.h"
#include "tools/plain_text.h"

namespace {

const char kUsage[] =
    "使い方: veskhtml --convert=MODE < 入力.html > 出力.html\n"
    "MODE:\n"
    "  upper       タグを大文字に\n"
    "  lower       タグを小文字に\n"
    "  br          改行を <BR> に\n"
    "  br-lower    改行を <br> に\n"
    "  escape=N    特殊文字をエスケープ (N = 1 <> + 2 \" + 4 &, 0 から 7)\n"
    "  strip       タグを消去\n"
    "  plain=N     プレーンテキストに変換 (N = 変換オプションの合計, 0 から 255)\n";

const char kCheckLinksUsage[] =
    "使い方: veskhtml --check-links ファイルまたはフォルダ...\n"
    "各リンクを 1 行ずつ出力: ファイル<TAB>グループ<TAB>ok|missing<TAB>リンク\n";

const char kDetectUsage[] =
    "使い方: veskhtml --detect ファイル...\n"
    "各ファイルを 1 行ずつ出力: ファイル<TAB>文字コード<TAB>改行\n";

std::string_view DetectedEncodingName(const vesk::DecodedText& decoded) {
    if (decoded.encoding == vesk::TextEncoding::Utf8 && decoded.bom)
        return "UTF-8 BOM";
    return vesk::EncodingName(decoded.encoding);
}

std::string_view DetectedBreaksName(vesk::LineBreakStyle breaks) {
    switch (breaks) {
        case vesk::LineBreakStyle::CrLf:
            return "CRLF";
        case vesk::LineBreakStyle::Lf:
            return "LF";
        case vesk::LineBreakStyle::Cr:
            return "CR";
        case vesk::LineBreakStyle::Mixed:
            return "mixed";
        case vesk::LineBreakStyle::None:
            break;
    }
    return "none";
}

// The encoding and line breaks opening each file would give.
int RunDetect(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
    bool unreadable = false;
    for (const std::string& file : files) {
        const QString path = QString::fromLocal8Bit(file.c_str());
        vesk::FileReadResult read;
        if (QFileInfo(path).isDir()) {
            read.error = QStringLiteral("フォルダです");
        } else {
            read = vesk::ReadWholeFile(path);
        }
        if (!read.ok) {
            err << "veskhtml: ファイル [ " << file
                << " ] を読めませんでした: " << read.error.toStdString() << "\n";
            unreadable = true;
            continue;
        }
        const vesk::DecodedText decoded = vesk::DecodeFileBytes(read.bytes);
        out << file << '\t' << DetectedEncodingName(decoded) << '\t'
            << DetectedBreaksName(decoded.breaks) << '\n';
    }
    out.flush();
    return unreadable ? 2 : 0;
}

// The number after "name=", within [0, max].
std::optional<int> NumberAfter(const std::string& mode, const std::string& name, int max) {
    const std::string prefix = name + "=";
    if (mode.rfind(prefix, 0) != 0)
        return std::nullopt;
    const char* first = mode.data() + prefix.size();
    const char* last = mode.data() + mode.size();
    int value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last || value < 0 || value > max) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::string> ConvertForMode(const std::string& mode, const std::string& text) {
    using vesk::TagCase;
    if (mode == "upper")
        return vesk::ConvertTagCase(text, TagCase::kUpper);
    if (mode == "lower")
        return vesk::ConvertTagCase(text, TagCase::kLower);
    if (mode == "br")
        return vesk::BreaksToBr(text, TagCase::kUpper);
    if (mode == "br-lower")
        return vesk::BreaksToBr(text, TagCase::kLower);
    if (mode == "strip")
        return vesk::RemoveTags(text);
    if (auto n = NumberAfter(mode, "escape", 7))
        return vesk::EscapeText(text, *n);
    if (auto n = NumberAfter(mode, "plain", 255))
        return vesk::ConvertToPlainText(text, *n);
    return std::nullopt;
}

std::optional<int> RunCommandLineMode(const std::vector<std::string>& arguments, std::istream& in,
                                      std::ostream& out, std::ostream& err) {
    // Every argument behind either switch names a file (or, to check links, a folder).
    using FileMode = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    const struct {
        const char* flag;
        const char* usage;
        FileMode run;
    } fileModes[] = {{"--check-links", kCheckLinksUsage, &vesk::RunLinkCheck},
                     {"--detect", kDetectUsage, &RunDetect}};
    for (const auto& mode : fileModes) {
        const auto at = std::find(arguments.begin(), arguments.end(), mode.flag);
        if (at == arguments.end())
            continue;
        const std::vector<std::string> files(at + 1, arguments.end());
        if (files.empty()) {
            err << mode.usage;
            return 2;
        }
        return mode.run(files, out, err);
    }

    const std::string flag = "--convert";
    std::optional<std::string> mode;
    for (const std::string& argument : arguments) {
        if (argument == flag) {
            mode = std::string();
        } else if (argument.rfind(flag + "=", 0) == 0) {
            mode = argument.substr(flag.size() + 1);
        }
    }
    if (!mode)
        return std::nullopt;

    // Check the mode before reading anything.
    if (!ConvertForMode(*mode, std::string())) {
        err << "veskhtml: 変換の指定 \"" << *mode << "\" が正しくありません。\n" << kUsage;
        return 2;
    }

    // Read, decode and take the line breaks in as opening a file does.
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    vesk::DecodedText decoded = vesk::DecodeFileBytes(bytes);
    const vesk::LineBreakStyle breaks = decoded.breaks;
    const std::string text = vesk::BreaksToCrLf(decoded.utf8, breaks);

    std::string converted = *ConvertForMode(*mode, text);

    // And write back as saving does: the file's own breaks and encoding.
    const std::string stored = vesk::BreaksFromCrLf(converted, breaks);
    vesk::EncodeResult encoded = vesk::EncodeText(stored, decoded.encoding, decoded.bom);
    if (!encoded.ok) {
        err << "veskhtml: 文字 [ " << encoded.failChar << " ] は "
            << vesk::EncodingName(decoded.encoding)
            << " では出力できません。何も出力しませんでした。\n";
        return 1;
    }
    out.write(encoded.bytes.data(), static_cast<std::streamsize>(encoded.bytes.size()));
    out.flush();
    return out ? 0 : 1;
}
