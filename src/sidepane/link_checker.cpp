#include "sidepane/link_checker.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <ostream>

#include "platform/encoding.h"
#include "platform/file_io.h"

namespace vesk {

namespace {

// One link per line: breaks and tabs inside a value would split the record.
std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    return line;
}

}  // namespace

const char* LinkGroupName(LinkListId list) {
    switch (list) {
        case kInlineLinks:
            return "inline";
        case kAnchorLinks:
            return "anchor";
        case kInternalLinks:
            return "internal";
        case kExternalLinks:
            return "external";
        case kMailLinks:
            return "mail";
        default:
            return "";
    }
}

std::vector<CheckedLink> CheckLinks(std::string_view text, std::string_view documentPath,
                                    const PathExists& exists) {
    const LinkLists lists = ExtractLinks(text);
    std::vector<CheckedLink> links;
    for (const LinkTreeGroup& group : BuildLinkGroups(lists, documentPath, exists)) {
        for (const LinkTreeItem& item : group.items) {
            links.push_back(
                {group.list, IsMissingCode(item.code), lists[group.list][item.index].text});
        }
    }
    return links;
}

std::vector<std::string> PagesToCheck(const std::vector<std::string>& arguments) {
    std::vector<std::string> pages;
    for (const std::string& argument : arguments) {
        const QString path = QString::fromLocal8Bit(argument.c_str());
        if (!QFileInfo(path).isDir()) {
            pages.push_back(argument);
            continue;
        }
        std::vector<std::string> found;
        QDirIterator it(path, {QStringLiteral("*.html"), QStringLiteral("*.htm")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) found.push_back(it.next().toLocal8Bit().toStdString());
        std::sort(found.begin(), found.end());
        pages.insert(pages.end(), found.begin(), found.end());
    }
    return pages;
}

int RunLinkCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    bool unreadable = false;
    bool missing = false;
    for (const std::string& file : PagesToCheck(arguments)) {
        const QString path = QString::fromLocal8Bit(file.c_str());
        const QFileInfo info(path);
        FileReadResult read;
        if (info.isDir()) {
            read.error = QStringLiteral("フォルダです");
        } else {
            read = ReadWholeFile(path);
        }
        if (!read.ok) {
            err << "veskhtml: ファイル [ " << file
                << " ] を読めませんでした: " << read.error.toStdString() << "\n";
            unreadable = true;
            continue;
        }
        // The text as the editor holds it once the file is open.
        const DecodedText decoded = DecodeFileBytes(read.bytes);
        const LineBreakStyle breaks = decoded.breaks;
        const std::string text = breaks == LineBreakStyle::Lf || breaks == LineBreakStyle::Cr
                                     ? BreaksToCrLf(decoded.utf8, breaks)
                                     : decoded.utf8;
        const std::string documentPath = info.absoluteFilePath().toStdString();
        for (const CheckedLink& link : CheckLinks(text, documentPath)) {
            missing = missing || link.missing;
            out << file << '\t' << LinkGroupName(link.list) << '\t'
                << (link.missing ? "missing" : "ok") << '\t' << OneLine(link.text) << '\n';
        }
    }
    out.flush();
    if (unreadable)
        return 2;
    return missing ? 1 : 0;
}

}  // namespace vesk
