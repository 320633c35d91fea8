#pragma once
// Drives the real veskhtml program in a real X server: an Xvfb of its own, real key presses
// and clicks through xdotool, window titles read back, screenshots of what went wrong. Each
// program run gets a fresh home, settings and data folder.

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>

namespace vesk::e2e {

// One X server for a whole test program.
class XServer {
  public:
    // The display, or empty with the reason in *problem when X tools are missing.
    static QString Display(QString* problem);
};

class EditorRun {
  public:
    // Starts the program with the arguments in a home of its own under `home`, after
    // settings lines ("[Section]", "key=value") were written into its settings file.
    EditorRun(const QString& home, const QStringList& arguments, const QStringList& settings = {});
    ~EditorRun();

    bool Started() const { return started_; }
    // The main window, once its title starts with "VeskHtml" (0 on time-out).
    unsigned long MainWindow(int timeoutMs = 15000);
    // A visible window whose title matches the pattern, other than the main window.
    unsigned long WaitForWindow(const QString& titlePattern, int timeoutMs = 8000);
    bool WaitForTitle(unsigned long window, const QString& title, int timeoutMs = 5000);
    QString Title(unsigned long window) const;
    QRect Geometry(unsigned long window) const;

    // Input to the window that has the keyboard focus after focusing `window`.
    void Keys(unsigned long window, const QStringList& keys);
    void Type(unsigned long window, const QString& text);
    // Ctrl+O in window, the path typed into the open dialog, Return; false when no dialog came.
    bool OpenThroughDialog(unsigned long window, const QString& path);
    void Click(int x, int y);
    // Selects the word under the first point with a double click and drags it to the second.
    void Drag(int fromX, int fromY, int toX, int toY);

    // Waits until a file holds exactly these bytes.
    bool WaitForFile(const QString& path, const std::string& bytes, int timeoutMs = 5000);
    // Waits until a file no longer holds these bytes.
    bool WaitForFileChange(const QString& path, const std::string& old, int timeoutMs = 5000);
    // Saves a screenshot of the whole screen (for the failure message); returns its path.
    QString Screenshot(const QString& name) const;

    const QString& Home() const { return home_; }

  private:
    QString home_;
    QProcess process_;
    bool started_ = false;
    unsigned long main_ = 0;
};

// Runs xdotool with the arguments on the test's display; its standard output.
QString XDoTool(const QStringList& arguments);

}  // namespace vesk::e2e

// Skips the test with the reason when there is no X server to run in.
#define VESK_REQUIRE_X()                                                                   \
    do {                                                                                   \
        QString problem;                                                                   \
        if (::vesk::e2e::XServer::Display(&problem).isEmpty())                             \
            GTEST_SKIP() << "no X server for end-to-end tests: " << problem.toStdString(); \
    } while (0)
