// VeskHtml: an HTML source editor.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/veskhtml_app.h"

int main(int argc, char** argv) {
    // Batch modes open no window and need no display.
    {
        std::vector<std::string> arguments(argv + 1, argv + argc);
        std::ios::sync_with_stdio(false);
        if (std::optional<int> status =
                RunCommandLineMode(arguments, std::cin, std::cout, std::cerr)) {
            return *status;
        }
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName("Brindlework");
    QApplication::setApplicationName("VeskHtml");
    QApplication::setApplicationVersion("2.7.6");

    // The interface is Japanese whatever the locale, the system's dialogs included.
    QTranslator qtTranslator;
    if (qtTranslator.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    CVeskHtmlApp app;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments))
        return 1;
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
