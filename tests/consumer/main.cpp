// A host that only knows an installed package: it builds a sheet from a described object. It
// must run on the library of its own Qt major, from the prefix it was built against, alone.
#include <corvane/CorvaneWidgets.h>

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <link.h>

static_assert(QT_VERSION_MAJOR == EXPECTED_QT_MAJOR, "the package brings the other Qt major");

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

// Every loaded library whose file name starts with libCorvaneWidgets.
static QStringList loadedCorvaneLibraries()
{
    QStringList files;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            const QFileInfo file(QString::fromLocal8Bit(info->dlpi_name));
            if (file.fileName().startsWith(QLatin1String("libCorvaneWidgets")))
                static_cast<QStringList*>(data)->append(file.canonicalFilePath());
            return 0;
        },
        &files);
    return files;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList loaded = loadedCorvaneLibraries();
    const QStringList expected { QFileInfo(QStringLiteral(EXPECTED_LIBRARY)).canonicalFilePath() };
    if (loaded != expected) {
        std::fprintf(stderr, "runs on [%s], not on [%s]\n",
            qPrintable(loaded.join(QLatin1Char(' '))), qPrintable(expected.join(QLatin1Char(' '))));
        return 1;
    }
    Host host;
    PropertyListWidget sheet(&host, nullptr);
    return sheet.windowTitle() == QLatin1String("Consumer") ? 0 : 2;
}

#include "main.moc"
