#pragma once
// Finding a text in the files of a folder, and replacing it in one file on disk. No widgets:
// the worker of the result pane and the benchmark run these.

#include <QHash>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "findfiles/find_text.h"
#include "platform/encoding.h"

namespace vesk::findfiles {

// Larger files are listed as not searched: the editor could not open them anyway.
inline constexpr std::int64_t kMaxFileBytes = 64LL * 1024 * 1024;
// Matches described per file; more are counted, not listed.
inline constexpr std::size_t kMaxListedPerFile = 5000;

// The text of a document open in the editor, searched in place of its file.
struct OpenText {
    std::string text;  // as the editor holds it
    TextEncoding encoding = TextEncoding::Utf8;
};

struct SearchRequest {
    QString folder;
    QStringList patterns;  // "*.html" and the like, letters in either case; empty: every file
    bool subfolders = true;
    std::string what;  // UTF-8
    bool matchCase = false;
    // Set for a replace: each file is also judged as the replace would treat it.
    std::optional<std::string> replacement;
    // Open documents, by canonical path.
    QHash<QString, OpenText> openTexts;
};

enum class FileProblem { None, Unreadable, TooLarge };

struct FileResult {
    QString path;
    bool open = false;  // searched in the open document's text
    int count = 0;
    std::vector<LineMatch> matches;  // the first kMaxListedPerFile of them
    FileProblem problem = FileProblem::None;
    QString error;  // the system's reason, for Unreadable
    TextEncoding encoding = TextEncoding::Utf8;
    // For a replace request, what the replace would do with the file.
    ReplaceOutcome outcome = ReplaceOutcome::NoMatch;
    std::string failChar;
};

// "*.html;*.htm" (also with blanks or commas between) as a list of patterns.
QStringList SplitPatterns(const QString& text);

// The files under folder whose names fit a pattern, in path order; hidden files and folders
// and folders reached through links are left out, a file reached twice through links is
// listed once. Stops early (with what it has) when stop is set.
QStringList ListFiles(const QString& folder, const QStringList& patterns, bool subfolders,
                      const std::atomic<bool>& stop);

// One file (or its open document) searched.
FileResult SearchFile(const QString& path, const SearchRequest& request, const TextFinder& finder);

// Every file of the request: progress(done, total) as it goes (total -1 while the files are
// still being listed), found() for each file with a match or a problem, in path order.
void RunSearch(const SearchRequest& request, const std::atomic<bool>& stop,
               const std::function<void(int done, int total)>& progress,
               const std::function<void(FileResult)>& found);

struct FileReplaceResult {
    ReplaceOutcome outcome = ReplaceOutcome::NoMatch;
    int count = 0;
    TextEncoding encoding = TextEncoding::Utf8;
    std::string failChar;
    // Why the file could not be read or written (the system's reason); empty otherwise.
    QString error;
};

// Reads the file again, replaces every match in its own encoding and line breaks, and writes
// it back through WriteFileAtomically. Nothing is written unless the outcome is Replaced.
FileReplaceResult ReplaceInFile(const QString& path, const TextFinder& finder,
                                std::string_view replacement);

}  // namespace vesk::findfiles
