#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QPointer>

#include <memory>

class IFileSource;
class MixedState;
class QComboBox;
class QPushButton;

// A file row: an optional title above a combo of the source's files, a browse button and a
// remove button. Accepts one dropped file that the source welcomes. Owns its IFileSource.
class CORVANE_WIDGETS_EXPORT FilePicker : public QFrame
{
    Q_OBJECT
public:
    explicit FilePicker(QString const& title, QWidget* parent = nullptr);
    ~FilePicker() override;

    void makeGui(QString const& title);
    void connectAll();

    void setSource(IFileSource* source);
    IFileSource* getSource();

    void setFileName(QString const& fileName);
    QString getFileName() const;
    void SelectFile(QString const& fileName);
    void UpdateFileList();
    QString elidedText(QString const& text);

    // Mixed: the picker stands for several files that differ. The combo offers the source's
    // files with none current and shows "Mixed" as placeholder and accessible description; the
    // remove button is enabled, so that the file can be cleared for all. Any file the user
    // selects, including the one last set, is announced and ends the state; so does
    // setFileName().
    void setMixed(bool mixed);
    bool isMixed() const;

Q_SIGNALS:
    void fileChanged(QString const& strFileName);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void showEvent(QShowEvent* e) override;

private Q_SLOTS:
    void onCurrentIndexChanged(int idx);
    void onAddFile();
    void onRemoveFile();

private:
    QString m_fileName;
    QComboBox* m_combo = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_remove = nullptr;
    // Guarded: a host may still destroy its source behind the picker's back.
    QPointer<IFileSource> m_source;
    std::unique_ptr<MixedState> m_mixed;
};
