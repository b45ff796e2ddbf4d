#pragma once

#include <corvane/FileSource.h>

// Offers the gallery's generated sample textures plus whatever images the user browsed to.
class SampleFileSource : public IFileSource
{
    Q_OBJECT
public:
    explicit SampleFileSource(QStringList samples, QObject* parent = nullptr);

    QStringList getFileList(QWidget* picker) override;
    bool browseFile(QWidget* parent, QString& fileName) override;
    bool isFileAccepted(QString const& filePath) override;

private:
    QStringList m_files;
};
