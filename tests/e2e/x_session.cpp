#include "x_session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>

#include "support/test_env.h"

namespace vesk::e2e {

namespace {

constexpr int kPollMs = 50;

QProcess& Server() {
    static QProcess server;
    return server;
}

QString& DisplayName() {
    static QString display;
    return display;
}

QString Run(const QString& program, const QStringList& arguments, int timeoutMs = 10000) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", DisplayName());
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void Pause(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

}  // namespace

QString XServer::Display(QString* problem) {
    if (!DisplayName().isEmpty())
        return DisplayName();
    for (const char* tool : {"Xvfb", "xdotool", "import"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            *problem =
                QStringLiteral("%1 is not installed (scripts/setup.sh installs it)").arg(tool);
            return {};
        }
    }
    // A display number nobody holds; Xvfb itself refuses a taken one.
    for (int number = 90 + (::getpid() % 40) * 3; number < 250; ++number) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        const QString display = QStringLiteral(":%1").arg(number);
        Server().start("Xvfb",
                       {display, "-screen", "0", "1280x900x24", "-nolisten", "tcp", "-noreset"});
        if (!Server().waitForStarted(5000))
            continue;
        DisplayName() = display;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            if (!Run("xdotool", {"getdisplaygeometry"}).isEmpty())
                return display;
            if (Server().state() != QProcess::Running)
                break;
            Pause(kPollMs);
        }
        Server().kill();
        Server().waitForFinished();
        DisplayName().clear();
    }
    *problem = QStringLiteral("Xvfb would not start");
    return {};
}

QString XDoTool(const QStringList& arguments) {
    return Run("xdotool", arguments);
}

EditorRun::EditorRun(const QString& home, const QStringList& arguments, const QStringList& settings)
    : home_(home) {
    QString problem;
    const QString display = XServer::Display(&problem);
    if (display.isEmpty())
        return;
    QDir().mkpath(home_ + "/config/Brindlework");
    QDir().mkpath(home_ + "/work");
    if (!settings.isEmpty())
        test::WriteTestFile(home_ + "/config/Brindlework/VeskHtml.conf",
                            settings.join('\n').toStdString() + "\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("HOME", home_);
    env.insert("XDG_CONFIG_HOME", home_ + "/config");
    env.insert("XDG_DATA_HOME", home_ + "/data");
    env.insert("XDG_RUNTIME_DIR", home_);
    env.insert("VESKHTML_DATA_DIR", home_ + "/UsersData");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("SESSION_MANAGER");
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(home_ + "/work");
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(VESKHTML_BINARY), arguments);
    started_ = process_.waitForStarted(5000);
}

EditorRun::~EditorRun() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

unsigned long EditorRun::MainWindow(int timeoutMs) {
    if (main_)
        return main_;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && process_.state() == QProcess::Running) {
        // The largest window whose title starts with the program's name: message boxes have
        // that caption too.
        const QString pid = QString::number(process_.processId());
        int largest = 0;
        for (const QString& id :
             XDoTool({"search", "--onlyvisible", "--pid", pid, "--name", "^VeskHtml"})
                 .split('\n')) {
            if (id.isEmpty())
                continue;
            const QRect rect = Geometry(id.toULong());
            if (rect.width() * rect.height() > largest) {
                largest = rect.width() * rect.height();
                main_ = id.toULong();
            }
        }
        if (main_)
            return main_;
        Pause(kPollMs);
    }
    return 0;
}

bool EditorRun::OpenThroughDialog(unsigned long window, const QString& path) {
    Keys(window, {"ctrl+o"});
    const unsigned long open = WaitForWindow("^開く$");
    if (open == 0)
        return false;
    Keys(open, {"ctrl+a"});
    Type(open, path);
    Keys(open, {"Return"});
    return true;
}

unsigned long EditorRun::WaitForWindow(const QString& titlePattern, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && process_.state() == QProcess::Running) {
        for (const QString& id :
             XDoTool({"search", "--onlyvisible", "--pid", QString::number(process_.processId()),
                      "--name", titlePattern})
                 .split('\n')) {
            if (!id.isEmpty() && id.toULong() != main_)
                return id.toULong();
        }
        Pause(kPollMs);
    }
    return 0;
}

bool EditorRun::WaitForTitle(unsigned long window, const QString& title, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (Title(window) == title)
            return true;
        Pause(kPollMs);
    }
    return false;
}

QString EditorRun::Title(unsigned long window) const {
    return XDoTool({"getwindowname", QString::number(window)});
}

QRect EditorRun::Geometry(unsigned long window) const {
    QRect rect;
    for (const QString& line :
         XDoTool({"getwindowgeometry", "--shell", QString::number(window)}).split('\n')) {
        const QStringList pair = line.split('=');
        if (pair.size() != 2)
            continue;
        const int value = pair[1].toInt();
        if (pair[0] == "X")
            rect.moveLeft(value);
        else if (pair[0] == "Y")
            rect.moveTop(value);
        else if (pair[0] == "WIDTH")
            rect.setWidth(value);
        else if (pair[0] == "HEIGHT")
            rect.setHeight(value);
    }
    return rect;
}

void EditorRun::Keys(unsigned long window, const QStringList& keys) {
    // No window manager gives the focus; the window is given it before each input.
    XDoTool({"windowfocus", "--sync", QString::number(window)});
    QStringList arguments{"key", "--delay", "40"};
    XDoTool(arguments + keys);
    Pause(150);
}

void EditorRun::Type(unsigned long window, const QString& text) {
    XDoTool({"windowfocus", "--sync", QString::number(window)});
    XDoTool({"type", "--delay", "30", text});
    Pause(150);
}

void EditorRun::Click(int x, int y) {
    XDoTool({"mousemove", "--sync", QString::number(x), QString::number(y), "click", "1"});
    Pause(150);
}

void EditorRun::Drag(int fromX, int fromY, int toX, int toY) {
    const QString x0 = QString::number(fromX), y0 = QString::number(fromY);
    XDoTool({"mousemove", "--sync", x0, y0, "click", "--repeat", "2", "1"});
    Pause(900);  // longer than the double-click time: the next press is no triple click
    XDoTool({"mousedown", "1"});  // the pointer is there already
    // A drag starts only after the pointer has moved some distance with the button down.
    for (int step = 1; step <= 8; ++step) {
        XDoTool({"mousemove", "--sync", QString::number(fromX + (toX - fromX) * step / 8),
                 QString::number(fromY + (toY - fromY) * step / 8)});
        Pause(60);
    }
    Pause(200);
    XDoTool({"mouseup", "1"});
    Pause(400);
}

bool EditorRun::WaitForFile(const QString& path, const std::string& bytes, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (QFileInfo::exists(path) && test::ReadTestFile(path) == bytes)
            return true;
        Pause(kPollMs);
    }
    return false;
}

bool EditorRun::WaitForFileChange(const QString& path, const std::string& old, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (test::ReadTestFile(path) != old)
            return true;
        Pause(kPollMs);
    }
    return false;
}

QString EditorRun::Screenshot(const QString& name) const {
    // Kept after the run (the test's own folders are removed), for whoever reads the failure.
    QDir().mkpath(QStringLiteral(VESKHTML_E2E_SHOTS));
    const QString path = QStringLiteral(VESKHTML_E2E_SHOTS "/%1.png").arg(name);
    Run("import", {"-window", "root", path});
    return path;
}

}  // namespace vesk::e2e
