#pragma once

/// @file
/// IFileSource, what a FilePicker offers.

#include <corvane/CorvaneExport.h>

#include <QObject>
#include <QStringList>

class QWidget;

/// What a FilePicker offers, how it browses and which dropped files it takes. The host derives
/// from it; the picker owns the object it is given (FilePicker::setSource()), and a sheet gets
/// one per file row from IPropertyListHelper::fileSource().
class CORVANE_WIDGETS_EXPORT IFileSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~IFileSource() override;

    /// The files to offer, in display order. Called at every list rebuild, possibly more than
    /// once in a row: it must be cheap and stable.
    virtual QStringList getFileList(QWidget* picker) = 0;
    /// Lets the user choose a file starting from `fileName`, typically with a QFileDialog
    /// parented to `parent`; true leaves the choice in `fileName`, false cancels. The picker
    /// may be destroyed meanwhile; it then ignores the result.
    virtual bool browseFile(QWidget* parent, QString& fileName) = 0;
    /// Whether this existing file may become the picker's file (asked on drag and drop).
    virtual bool isFileAccepted(QString const& filePath) = 0;
};
