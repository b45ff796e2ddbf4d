// The Corvane Widgets gallery: a host application built only on the installed public API.
#include "GalleryWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane Widgets Gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows every control of Corvane Widgets."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Render each page into PNG files in DIR and exit."), QStringLiteral("DIR"));
    parser.addOption(screenshot);
    parser.process(app);

    GalleryWindow window;
    if (parser.isSet(screenshot))
        return window.saveScreenshots(QDir(parser.value(screenshot))) ? 0 : 1;
    window.show();
    return app.exec();
}
