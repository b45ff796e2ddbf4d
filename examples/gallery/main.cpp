// The Corvane Widgets gallery: a host application built only on the installed public API.
#include <corvane/CorvaneWidgets.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScrollArea>

class ShapeSettings : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
public:
    PropertyDescriptionList propertyList() override
    {
        PropertiesListBuilder builder(QStringLiteral("Shape"));
        builder.AddPanel(QStringLiteral("Appearance"));
        builder.AddLabel(QStringLiteral("A sample property sheet built from descriptions."));
        builder.AddSeparator();
        builder.AddLabel(QStringLiteral("Rows bind to the object's Qt properties."));
        builder.AddPanel(QStringLiteral("About"));
        builder.AddLabel(QStringLiteral("Corvane Widgets gallery"));
        return builder;
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Render each page into DIR and exit."), QStringLiteral("DIR"));
    parser.addOption(screenshot);
    parser.process(app);

    ShapeSettings settings;
    QScrollArea window;
    window.setWidgetResizable(true);
    window.setWidget(new PropertyListWidget(&settings, nullptr));
    window.setStyleSheet([] {
        QFile css(QStringLiteral(":/force-styles.css"));
        css.open(QIODevice::ReadOnly);
        return QString::fromUtf8(css.readAll());
    }());
    window.resize(360, 480);
    window.setWindowTitle(QStringLiteral("Corvane Widgets Gallery"));

    if (parser.isSet(screenshot)) {
        const QDir dir(parser.value(screenshot));
        QDir().mkpath(dir.path());
        window.show();
        QApplication::processEvents();
        return window.grab().save(dir.filePath(QStringLiteral("property-sheet.png"))) ? 0 : 1;
    }
    window.show();
    return app.exec();
}

#include "main.moc"
