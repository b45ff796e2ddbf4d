#include "ThumbnailsPage.h"

#include "PageArt.h"

#include <corvane/Button.h>
#include <corvane/ImageViewer.h>
#include <corvane/Label.h>
#include <corvane/ThumbnailsList.h>
#include <corvane/ThumbnailsListItem.h>

#include <QBoxLayout>
#include <QLabel>

namespace {
const QColor kAccents[] = { QColor(0x4a, 0x7b, 0xd9), QColor(0xd9, 0x6a, 0x4a),
    QColor(0x3c, 0x9a, 0x6a), QColor(0x8e, 0x5a, 0xc8), QColor(0xc8, 0x9a, 0x2e) };
const QSize kThumbSize(200, 150);
} // namespace

ThumbnailsPage::ThumbnailsPage(QWidget* parent)
    : QWidget(parent)
    , m_list(new ThumbnailsList)
    , m_page(new ImageViewer)
    , m_title(new QLabel)
    , m_log(new QLabel)
{
    m_list->setObjectName(QStringLiteral("pages"));
    m_list->setMinimumWidth(150);
    m_list->setMaximumWidth(220);
    m_page->setObjectName(QStringLiteral("pageView"));
    m_page->setMinimumSize(160, 120);
    m_title->setObjectName(QStringLiteral("pageTitle"));
    m_log->setObjectName(QStringLiteral("statusLine"));
    m_log->setWordWrap(true);

    auto* add = new Button(tr("Add page"));
    auto* rename = new Button(tr("Rename"));
    auto* remove = new Button(tr("Delete"));
    add->setObjectName(QStringLiteral("addPage"));
    rename->setObjectName(QStringLiteral("renamePage"));
    remove->setObjectName(QStringLiteral("deletePage"));
    connect(add, qOverload<>(&Button::buttonClicked), this, [this] { addPage(true); });
    connect(rename, qOverload<>(&Button::buttonClicked), this, &ThumbnailsPage::renameCurrent);
    connect(remove, qOverload<>(&Button::buttonClicked), this, &ThumbnailsPage::deleteCurrent);

    auto* help = new Label(tr("Double-click a page to open it, double-click its name or press F2 "
                              "to rename it, press Delete or its \u00d7 button to remove it."));
    help->setObjectName(QStringLiteral("pageIntro"));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(add);
    buttons->addWidget(rename);
    buttons->addWidget(remove);
    buttons->addStretch(1);

    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(help);
    right->addLayout(buttons);
    right->addWidget(m_title);
    right->addWidget(m_page, 1);
    right->addWidget(m_log);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(m_list);
    layout->addLayout(right, 1);

    // The list reports; the host decides and calls back.
    connect(m_list, &ThumbnailsList::activateItem, this, &ThumbnailsPage::openPage);
    connect(m_list, qOverload<QString const&>(&ThumbnailsList::renameItem), this,
        [this](QString const& text) {
            const QString name = text.trimmed().isEmpty() ? tr("Untitled") : text.trimmed();
            m_list->renameItem(m_list->currentIndex(), name);
            log(tr("Renamed page %1 to \u201c%2\u201d.").arg(m_list->currentIndex() + 1).arg(name));
        });
    connect(m_list, &ThumbnailsList::deleted, this, &ThumbnailsPage::deleteCurrent);
    connect(m_list, &ThumbnailsList::selectionChanged, this, [this] {
        if (m_list->current())
            log(tr("Selected \u201c%1\u201d.").arg(m_list->current()->text()));
    });

    for (int i = 0; i < 5; ++i)
        addPage(i == 0);
    openPage(0);
}

void ThumbnailsPage::addPage(bool select)
{
    ++m_created;
    const QString name = tr("Page %1").arg(m_created);
    const QColor accent = kAccents[(m_created - 1) % int(std::size(kAccents))];
    m_accents.append(accent);
    m_list->insertItem(m_list->count(),
        pageart::pagePicture(name, accent, kThumbSize, devicePixelRatioF()), name, select);
    log(tr("Added \u201c%1\u201d.").arg(name));
}

void ThumbnailsPage::renameCurrent()
{
    if (m_list->currentIndex() >= 0 && m_list->currentIndex() < m_list->count())
        m_list->initRename(m_list->currentIndex());
}

void ThumbnailsPage::deleteCurrent()
{
    const int index = m_list->currentIndex();
    if (index < 0 || index >= m_list->count())
        return;
    const QString name = m_list->getItem(index)->text();
    m_accents.removeAt(index);
    if (!m_list->removeItem(index)) {
        m_page->removeImage();
        m_page->update();
        m_title->clear();
    }
    log(tr("Deleted \u201c%1\u201d.").arg(name));
}

void ThumbnailsPage::openPage(int index)
{
    ThumbnailsListItem* item = m_list->getItem(index);
    if (!item)
        return;
    m_page->setImage(pageart::pagePicture(
        item->text(), m_accents.value(index), QSize(320, 240), devicePixelRatioF())
                         .toImage());
    m_title->setText(tr("Open: %1").arg(item->text()));
    log(tr("Opened \u201c%1\u201d.").arg(item->text()));
}

void ThumbnailsPage::log(QString const& message)
{
    m_log->setText(message);
}
