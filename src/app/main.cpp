// VeskHtml: an HTML source editor.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/veskhtml_app.h"

int main(int argc, char** argv) {
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
