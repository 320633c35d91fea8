#include "bench_page.h"

#include <sys/resource.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>

namespace bench {

namespace {
const char kBlock[] =
    "<!-- ===== 商品一覧 ===== -->\r\n"
    "<TABLE BORDER=1 CELLPADDING=4 WIDTH=\"100%\" BGCOLOR=\"#FFFFEE\">\r\n"
    "<TR><TH COLSPAN=3>新着のお知らせ</TH></TR>\r\n"
    "<TR>\r\n"
    "<TD><A HREF=\"items/item001.html\"><IMG SRC=\"img/item001.jpg\" WIDTH=120 HEIGHT=90 "
    "ALT=\"商品の写真\" BORDER=0></A></TD>\r\n"
    "<TD><FONT COLOR=\"#336699\" SIZE=\"+1\"><B>手作りの器</B></FONT><BR>\r\n"
    "職人がひとつずつ焼き上げた、温かみのある器です。ﾃｷｽﾄ 2,800円(税込)</TD>\r\n"
    "<TD ALIGN=center><A HREF=\"cart.cgi?id=001&amp;n=1\">カートに入れる</A></TD>\r\n"
    "</TR>\r\n"
    "</TABLE>\r\n"
    "<P>お問い合わせは <A HREF=\"mailto:info@example.jp\">info@example.jp</A> まで。"
    "<A NAME=\"top\"></A></P>\r\n"
    "<HR SIZE=2 NOSHADE>\r\n";

QTemporaryDir& Dir() {
    static QTemporaryDir dir;
    return dir;
}
}  // namespace

const std::string& PageText(int megabytes) {
    static std::map<int, std::string> pages;
    std::string& text = pages[megabytes];
    if (text.empty()) {
        std::string t =
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
            "<HTML>\r\n<HEAD>\r\n<TITLE>大きなページ</TITLE>\r\n</HEAD>\r\n"
            "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\">\r\n";
        while (t.size() < static_cast<std::size_t>(megabytes) * 1000 * 1000) t += kBlock;
        t += "</BODY>\r\n</HTML>\r\n";
        text = std::move(t);
    }
    return text;
}

QString PageFile(vesk::TextEncoding encoding, bool lfBreaks, int megabytes) {
    const QString path = Dir().path() + QString("/page-%1-%2-%3.html")
                                            .arg(static_cast<int>(encoding))
                                            .arg(lfBreaks ? "lf" : "crlf")
                                            .arg(megabytes);
    if (QFile::exists(path))
        return path;
    std::string text = lfBreaks
                           ? vesk::BreaksFromCrLf(PageText(megabytes), vesk::LineBreakStyle::Lf)
                           : PageText(megabytes);
    std::string bytes = vesk::EncodeText(text, encoding).bytes;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double RestartPeak() {
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");  // resets the high-water mark of resident memory
    clear.close();
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return PeakMegabytes();
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return PeakMegabytes();
}

}  // namespace bench
