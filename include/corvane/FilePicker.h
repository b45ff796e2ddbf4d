#pragma once

/// @file
/// FilePicker, a file row with browse and remove buttons.

#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QPointer>

#include <memory>

class IFileSource;
class MixedState;
class QComboBox;
class QPushButton;

/// A file row: an optional title above a combo of the source's files, a browse button and a
/// remove button. Accepts one dropped file that the source welcomes. Owns its IFileSource.
/// The combo and the buttons take the focus from a click; with corvane::setFullKeyboardAccess(),
/// Tab and Shift+Tab stop at each of them too. The combo never takes the mouse wheel. The
/// property sheet's `file` rows are FilePickers, their source from IPropertyListHelper.
///
/// Theming: class `FilePicker`; its parts are named "title" (absent without a title), "combo",
/// "view" (the combo's list), "browse" and "remove". Both buttons are drawn by the theme alone.
class CORVANE_WIDGETS_EXPORT FilePicker : public QFrame
{
    Q_OBJECT
public:
    /// A picker without a source, titled `title` (no title row when empty).
    explicit FilePicker(QString const& title, QWidget* parent = nullptr);
    ~FilePicker() override;

    /// Builds the parts; the constructor calls it, later calls change nothing.
    void makeGui(QString const& title);
    /// Connects the combo and the buttons; the constructor calls it.
    void connectAll();

    /// Takes `source` over, deleting the previous one, and rebuilds the list. A parentless
    /// source becomes the picker's child; null leaves the picker without a source, which
    /// offers only the current file, and neither browses nor takes drops.
    void setSource(IFileSource* source);
    /// The current source, or null (also after the host destroyed it).
    IFileSource* getSource();

    /// Shows `fileName` as the current file and ends the mixed state; emits nothing. The remove
    /// button is enabled while the name is not empty.
    void setFileName(QString const& fileName);
    /// The current file, as set or selected.
    QString getFileName() const;
    /// Makes `fileName` the current file as a user choice would: emits fileChanged() when it
    /// differs from the current one (always while mixed), then rebuilds the list.
    void SelectFile(QString const& fileName);
    /// Rebuilds the combo from IFileSource::getFileList(), an empty entry first, the current
    /// file selected (none while mixed); without files from the source, the one entry is the
    /// current file. A hidden picker skips this; showing it, and pressing on the combo, rebuild.
    void UpdateFileList();
    /// `text` elided at the left to fit the combo.
    QString elidedText(QString const& text);

    /// Mixed: the picker stands for several files that differ. The combo offers the source's
    /// files with none current and shows "Mixed" as placeholder and accessible description; the
    /// remove button is enabled, so that the file can be cleared for all. Any file the user
    /// selects, including the one last set, is announced and ends the state; so does
    /// setFileName().
    void setMixed(bool mixed);
    /// Whether the picker is in the mixed state.
    bool isMixed() const;

Q_SIGNALS:
    /// The user chose a file: from the combo, through the browse button, by a drop, or cleared
    /// it with the remove button (an empty name). Also emitted by SelectFile(); never by
    /// setFileName().
    void fileChanged(QString const& strFileName);

protected:
    /// Rebuilds the list when the combo is pressed, shows the full path as its tooltip, and
    /// leaves the wheel to the parent.
    bool eventFilter(QObject* obj, QEvent* e) override;
    /// Accepts a drag of exactly one existing file that the source accepts.
    void dragEnterEvent(QDragEnterEvent* e) override;
    /// Selects the dropped file, as SelectFile() does, when the source accepts it.
    void dropEvent(QDropEvent* e) override;
    /// Rebuilds the list.
    void showEvent(QShowEvent* e) override;
    /// With full keyboard access, hands the focus on to the first (or, going back, the last)
    /// enabled part.
    void focusInEvent(QFocusEvent* e) override;
    /// With full keyboard access, moves Tab and Shift+Tab between the parts.
    bool focusNextPrevChild(bool next) override;

private Q_SLOTS:
    void onCurrentIndexChanged(int idx);
    void onAddFile();
    void onRemoveFile();

private:
    QList<QWidget*> tabStops() const;

    QString m_fileName;
    QComboBox* m_combo = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_remove = nullptr;
    // Guarded: a host may still destroy its source behind the picker's back.
    QPointer<IFileSource> m_source;
    std::unique_ptr<MixedState> m_mixed;
};
