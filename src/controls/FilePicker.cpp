#include <corvane/FilePicker.h>
#include <corvane/FileSource.h>
#include <corvane/Label.h>

#include "controls/MixedState.h"
#include "platform/DragAndDropUrl.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QToolTip>

#include <utility>

namespace {

// Width of the combo that file names leave free, for its arrow and frame.
constexpr int ElideAllowance = 32;

QFileInfo droppedFile(QUrl const& url)
{
    return QFileInfo(qthelpers::fixDragAndDropUrl(url).toLocalFile());
}

} // namespace

FilePicker::FilePicker(QString const& title, QWidget* parent)
    : QFrame(parent)
    , m_mixed(new MixedState)
{
    makeGui(title);
    connectAll();
    setAcceptDrops(true);
}

FilePicker::~FilePicker() = default;

void FilePicker::setMixed(bool mixed)
{
    if (!m_mixed->set(mixed, m_combo, m_combo))
        return;
    m_remove->setEnabled(mixed || !m_fileName.isEmpty());
    UpdateFileList();
}

bool FilePicker::isMixed() const
{
    return m_mixed->isOn();
}

void FilePicker::makeGui(QString const& title)
{
    if (m_combo)
        return;

    Label* label = nullptr;
    if (!title.isEmpty()) {
        label = new Label(title, this);
        label->setFocusPolicy(Qt::NoFocus);
        label->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
        label->setObjectName(QStringLiteral("title"));
        label->setAttribute(Qt::WA_LayoutUsesWidgetRect);
    }

    auto* view = new QListView;
    view->setObjectName(QStringLiteral("view"));

    m_combo = new QComboBox(this);
    m_combo->setView(view);
    m_combo->setFocusPolicy(Qt::ClickFocus);
    m_combo->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    m_combo->installEventFilter(this);
    m_combo->setMouseTracking(true);
    m_combo->setObjectName(QStringLiteral("combo"));
    m_combo->setAttribute(Qt::WA_LayoutUsesWidgetRect);
    m_combo->setAttribute(Qt::WA_MacShowFocusRect, false);

    // Both buttons are drawn entirely by the host's style sheet.
    m_browse = new QPushButton(this);
    m_browse->setFocusPolicy(Qt::ClickFocus);
    m_browse->setObjectName(QStringLiteral("browse"));
    m_browse->setAttribute(Qt::WA_LayoutUsesWidgetRect);

    m_remove = new QPushButton(this);
    m_remove->setFocusPolicy(Qt::ClickFocus);
    m_remove->setEnabled(false);
    m_remove->setObjectName(QStringLiteral("remove"));
    m_remove->setAttribute(Qt::WA_LayoutUsesWidgetRect);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    row->addWidget(m_combo);
    row->addWidget(m_browse);
    row->addWidget(m_remove);

    if (label) {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        column->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        column->addWidget(label);
        column->addLayout(row);
    } else {
        setLayout(row);
    }
}

void FilePicker::connectAll()
{
    connect(m_combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
        &FilePicker::onCurrentIndexChanged);
    connect(m_browse, &QPushButton::clicked, this, &FilePicker::onAddFile);
    connect(m_remove, &QPushButton::clicked, this, &FilePicker::onRemoveFile);
}

void FilePicker::setSource(IFileSource* source)
{
    if (source != m_source) {
        delete m_source.data();
        m_source = source;
        if (source && !source->parent())
            source->setParent(this);
    }
    UpdateFileList();
}

IFileSource* FilePicker::getSource()
{
    return m_source.data();
}

void FilePicker::setFileName(QString const& fileName)
{
    if (fileName == m_fileName && !m_mixed->isOn())
        return;
    m_mixed->set(false, m_combo, m_combo);
    m_fileName = fileName;
    UpdateFileList();
    m_remove->setEnabled(!m_fileName.isEmpty());
}

QString FilePicker::getFileName() const
{
    return m_fileName;
}

void FilePicker::SelectFile(QString const& fileName)
{
    // While mixed, even the file last set is news for the objects that hold another.
    if (fileName == m_fileName && !m_mixed->isOn())
        return;
    m_mixed->set(false, m_combo, m_combo);
    m_fileName = fileName;

    // A listener may destroy the picker; nothing is left to update then.
    QPointer<FilePicker> self(this);
    Q_EMIT fileChanged(m_fileName);
    if (!self)
        return;

    if (m_fileName.isEmpty())
        m_browse->setFocus(Qt::OtherFocusReason);
    m_remove->setEnabled(!m_fileName.isEmpty());
    UpdateFileList();
}

void FilePicker::UpdateFileList()
{
    // A hidden picker keeps its entries; showing it rebuilds them.
    if (!isVisible())
        return;

    const QSignalBlocker blocker(m_combo);
    m_combo->clear();
    const QFileInfo current(m_fileName);

    int selected = 0;
    const QStringList files = m_source ? m_source->getFileList(this) : QStringList();
    if (!files.isEmpty()) {
        QStringList entries = files;
        entries.prepend(QString());
        for (QString const& entry : std::as_const(entries)) {
            const int i = m_combo->count();
            m_combo->insertItem(i, elidedText(QFileInfo(entry).fileName()));
            m_combo->setItemData(i, entry, Qt::UserRole);
            m_combo->setItemData(i, entry, Qt::ToolTipRole);
            if (i > 0 && !m_fileName.isEmpty()
                && QFileInfo(entry).absoluteFilePath() == current.absoluteFilePath())
                selected = i;
        }
    } else {
        m_combo->insertItem(0, elidedText(current.fileName()));
        m_combo->setItemData(0, m_fileName, Qt::UserRole);
        m_combo->setItemData(0, m_fileName, Qt::ToolTipRole);
    }
    m_combo->setCurrentIndex(m_mixed->isOn() ? -1 : selected);
}

QString FilePicker::elidedText(QString const& text)
{
    return m_combo->fontMetrics().elidedText(
        text, Qt::ElideLeft, m_combo->width() - ElideAllowance, 0);
}

void FilePicker::onCurrentIndexChanged(int idx)
{
    SelectFile(m_combo->itemData(idx, Qt::UserRole).toString());
}

void FilePicker::onAddFile()
{
    if (!m_source)
        return;
    QString fileName = m_fileName;
    // The browse dialog runs its own event loop, in which the picker may be destroyed.
    QPointer<FilePicker> self(this);
    const bool chosen = m_source->browseFile(this, fileName);
    if (self && chosen)
        SelectFile(fileName);
}

void FilePicker::onRemoveFile()
{
    SelectFile(QString());
}

void FilePicker::showEvent(QShowEvent* e)
{
    QFrame::showEvent(e);
    UpdateFileList();
}

bool FilePicker::eventFilter(QObject* obj, QEvent* e)
{
    // The cast fails while the combo is being torn down, when it is no QComboBox any more.
    if (obj != m_combo || !qobject_cast<QComboBox*>(obj))
        return false;

    switch (e->type()) {
    case QEvent::MouseButtonPress:
        // The popup that this press opens shows the source's list as it is now.
        UpdateFileList();
        return false;
    case QEvent::ToolTip:
        if (!m_fileName.isEmpty())
            QToolTip::showText(QCursor::pos(), m_fileName, m_combo);
        return false;
    case QEvent::Wheel:
        // Left unaccepted, the wheel goes on to the scrolling sheet around the row.
        e->ignore();
        return true;
    default:
        return false;
    }
}

void FilePicker::dragEnterEvent(QDragEnterEvent* e)
{
    // Without a source there is nobody to ask whether a file is welcome.
    const QMimeData* mime = e->mimeData();
    if (m_source && mime && mime->hasFormat(QStringLiteral("text/uri-list"))) {
        const QList<QUrl> urls = mime->urls();
        if (urls.size() == 1) {
            const QFileInfo file = droppedFile(urls.first());
            if (file.isFile() && m_source->isFileAccepted(file.absoluteFilePath())) {
                e->acceptProposedAction();
                return;
            }
        }
    }
    e->ignore();
}

void FilePicker::dropEvent(QDropEvent* e)
{
    const QMimeData* mime = e->mimeData();
    if (!m_source || !mime) {
        e->ignore();
        return;
    }
    const QList<QUrl> urls = mime->urls();
    if (urls.isEmpty())
        return;
    const QFileInfo file = droppedFile(urls.first());
    const QString path = QDir::toNativeSeparators(file.canonicalFilePath());
    if (file.isFile() && m_source->isFileAccepted(path))
        SelectFile(path);
}
