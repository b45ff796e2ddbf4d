#include "SampleFileSource.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>

SampleFileSource::SampleFileSource(QStringList samples, QObject* parent)
    : IFileSource(parent)
    , m_files(std::move(samples))
{ }

QStringList SampleFileSource::getFileList(QWidget*)
{
    return m_files;
}

bool SampleFileSource::browseFile(QWidget* parent, QString& fileName)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, tr("Choose a texture"),
        QFileInfo(fileName).absolutePath(), tr("Images (*.png *.jpg *.jpeg *.bmp)"));
    if (chosen.isEmpty() || !isFileAccepted(chosen))
        return false;
    if (!m_files.contains(chosen))
        m_files.append(chosen);
    fileName = chosen;
    return true;
}

bool SampleFileSource::isFileAccepted(QString const& filePath)
{
    const QByteArray format = QImageReader::imageFormat(filePath);
    if (format.isEmpty())
        return false;
    if (!m_files.contains(filePath))
        m_files.append(filePath);
    return true;
}
