// A host that only knows the installed package: it builds a sheet from a described object.
#include <corvane/CorvaneWidgets.h>

#include <QApplication>

class Host : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
public:
    PropertyDescriptionList propertyList() override
    {
        PropertiesListBuilder builder(QStringLiteral("Consumer"));
        builder.AddPanel(QStringLiteral("Panel"));
        builder.AddLabel(QStringLiteral("Hello"));
        return builder;
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Host host;
    PropertyListWidget sheet(&host, nullptr);
    return sheet.windowTitle() == QLatin1String("Consumer") ? 0 : 1;
}

#include "main.moc"
