#include "findfiles/file_search.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

#include "findfiles/find_in_files_texts.h"
#include "platform/file_io.h"

namespace vesk::findfiles {

namespace {

const OpenText* FindOpenText(const SearchRequest& request, const QString& path) {
    if (request.openTexts.isEmpty())
        return nullptr;
    auto found = request.openTexts.constFind(QFileInfo(path).canonicalFilePath());
    return found == request.openTexts.constEnd() ? nullptr : &*found;
}

}  // namespace

QStringList SplitPatterns(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

QStringList ListFiles(const QString& folder, const QStringList& patterns, bool subfolders,
                      const std::atomic<bool>& stop) {
    // Without QDir::Hidden neither hidden files nor hidden folders are visited; without
    // FollowSymlinks no linked folder is entered. Name filters ignore case unless asked.
    QDirIterator it(QFileInfo(folder).absoluteFilePath(),
                    patterns.isEmpty() ? QStringList{QStringLiteral("*")} : patterns,
                    QDir::Files | QDir::NoDotAndDotDot,
                    subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    QStringList files;
    bool anyLink = false;
    while (it.hasNext() && !stop.load(std::memory_order_relaxed)) {
        it.next();
        files << it.filePath();
        anyLink = anyLink || it.fileInfo().isSymLink();
    }
    std::sort(files.begin(), files.end());
    if (!anyLink)
        return files;
    // A file reached twice (a link beside its target) would be replaced twice.
    QStringList unique;
    QSet<QString> seen;
    for (const QString& path : files) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical))
            continue;
        seen.insert(canonical);
        unique << path;
    }
    return unique;
}

FileResult SearchFile(const QString& path, const SearchRequest& request, const TextFinder& finder) {
    FileResult result;
    result.path = path;
    if (const OpenText* open = FindOpenText(request, path)) {
        result.open = true;
        result.encoding = open->encoding;
        const std::vector<std::size_t> offsets = finder.FindAll(open->text);
        result.count = static_cast<int>(offsets.size());
        result.matches = MatchesByLine(open->text, offsets, finder.Length(),
                                       DetectLineBreaks(open->text), kMaxListedPerFile);
        if (request.replacement && result.count > 0) {
            // The document takes any text; only its encoding decides whether it can be saved.
            EncodeResult encoded = EncodeText(*request.replacement, open->encoding);
            result.outcome = encoded.ok ? ReplaceOutcome::Replaced : ReplaceOutcome::CannotHold;
            result.failChar = encoded.failChar;
        }
        return result;
    }
    if (QFileInfo(path).size() > kMaxFileBytes) {
        result.problem = FileProblem::TooLarge;
        return result;
    }
    FileReadResult file = ReadWholeFile(path);
    if (!file.ok) {
        result.problem = FileProblem::Unreadable;
        result.error = file.error;
        return result;
    }
    const DecodedText decoded = DecodeFileBytes(file.bytes);
    result.encoding = decoded.encoding;
    const std::vector<std::size_t> offsets = finder.FindAll(decoded.utf8);
    result.count = static_cast<int>(offsets.size());
    if (result.count == 0)
        return result;
    result.matches =
        MatchesByLine(decoded.utf8, offsets, finder.Length(), decoded.breaks, kMaxListedPerFile);
    if (request.replacement) {
        ReplacePlan plan =
            PlanReplace(file.bytes, decoded, offsets, finder.Length(), *request.replacement);
        result.outcome = plan.outcome;
        result.failChar = std::move(plan.failChar);
    }
    return result;
}

void RunSearch(const SearchRequest& request, const std::atomic<bool>& stop,
               const std::function<void(int done, int total)>& progress,
               const std::function<void(FileResult)>& found) {
    progress(0, -1);
    const QStringList files = ListFiles(request.folder, request.patterns, request.subfolders, stop);
    const TextFinder finder(request.what, request.matchCase);
    const int total = static_cast<int>(files.size());
    progress(0, total);
    for (int i = 0; i < total && !stop.load(std::memory_order_relaxed); ++i) {
        FileResult result = SearchFile(files[i], request, finder);
        if (result.count > 0 || result.problem != FileProblem::None)
            found(std::move(result));
        progress(i + 1, total);
    }
}

FileReplaceResult ReplaceInFile(const QString& path, const TextFinder& finder,
                                std::string_view replacement) {
    FileReplaceResult result;
    if (QFileInfo(path).size() > kMaxFileBytes) {
        result.error = QString::fromUtf8(findfiles_text::kTooLarge);
        return result;
    }
    FileReadResult file = ReadWholeFile(path);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    const DecodedText decoded = DecodeFileBytes(file.bytes);
    result.encoding = decoded.encoding;
    const std::vector<std::size_t> offsets = finder.FindAll(decoded.utf8);
    ReplacePlan plan = PlanReplace(file.bytes, decoded, offsets, finder.Length(), replacement);
    result.outcome = plan.outcome;
    result.count = plan.count;
    result.failChar = std::move(plan.failChar);
    if (plan.outcome != ReplaceOutcome::Replaced)
        return result;
    const FileWriteResult written = WriteFileAtomically(path, plan.bytes);
    if (!written.ok)
        result.error = written.error;
    return result;
}

}  // namespace vesk::findfiles
