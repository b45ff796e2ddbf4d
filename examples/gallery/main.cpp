// The Corvane Widgets gallery: a host application built only on the installed public API.
#include "GalleryWindow.h"

#include <corvane/Theme.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <cstring>

namespace {

// The screen scale has to be known before the application starts; QT_SCALE_FACTOR is how Qt
// takes it then.
void applyScaleOption(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--scale") == 0)
            qputenv("QT_SCALE_FACTOR", argv[i + 1]);
    }
}

} // namespace

int main(int argc, char** argv)
{
    applyScaleOption(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane Widgets Gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows every control of Corvane Widgets."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Render each page into PNG files in DIR and exit."), QStringLiteral("DIR"));
    const QCommandLineOption steps(QStringLiteral("steps"),
        QStringLiteral("With --screenshot, also render the pages after each selection and focus "
                       "change of a short tour."));
    const QCommandLineOption scale(QStringLiteral("scale"),
        QStringLiteral("Draw at a screen scale of FACTOR, for example 2."),
        QStringLiteral("FACTOR"));
    const QCommandLineOption reverse(
        QStringLiteral("reverse"), QStringLiteral("Lay everything out right to left."));
    const QCommandLineOption theme(QStringLiteral("theme"),
        QStringLiteral("Start with the light or the dark theme."), QStringLiteral("light|dark"),
        QStringLiteral("light"));
    const QCommandLineOption shared(QStringLiteral("shared-theme"),
        QStringLiteral(
            "Share one copy of the theme among all controls (corvane::setSharedTheme)."));
    parser.addOptions({ screenshot, steps, scale, reverse, theme, shared });
    parser.process(app);

    // The mode is chosen before any control is made.
    corvane::setSharedTheme(parser.isSet(shared));
    if (parser.isSet(reverse))
        QApplication::setLayoutDirection(Qt::RightToLeft);

    GalleryWindow window(parser.value(theme) == QLatin1String("dark"));
    if (parser.isSet(screenshot)) {
        // A blinking caret would make two pictures of the same state differ.
        QApplication::setCursorFlashTime(0);
        const QDir dir(parser.value(screenshot));
        return window.saveScreenshots(dir, parser.isSet(steps)) ? 0 : 1;
    }
    window.show();
    return app.exec();
}
