#include "CollectionPage.h"

#include "SwatchDelegate.h"

#include <corvane/ComboBox.h>
#include <corvane/Label.h>

#include <QBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QTimer>

CollectionPage::CollectionPage(QWidget* parent)
    : QWidget(parent)
    , m_delegate(new SwatchDelegate(40, 2500, this))
    , m_view(new CollectionView(m_delegate, QSize(64, 64), 8, 8, 32, 0, true, 12))
    , m_status(new QLabel)
{
    auto* intro = new Label(tr("%1 swatches in %2 groups. Only the cells in view exist; drag a "
                               "selection out as colour names.")
                                .arg(QLocale().toString(qulonglong(m_delegate->totalCount())))
                                .arg(40));
    intro->setObjectName(QStringLiteral("pageIntro"));

    auto* mode = new ComboBox(tr("Selection"), false);
    mode->setObjectName(QStringLiteral("selectionMode"));
    mode->setValues(QStringList { tr("Single"), tr("Multiple") });
    mode->setCurrentIndex(1);
    m_view->setSelectionType(CollectionViewSelectionMultiple);
    connect(mode, &ComboBox::currentIndexChanged, this, [this, mode] {
        m_view->setSelectionType(mode->currentIndex() == 0 ? CollectionViewSelectionSingle
                                                           : CollectionViewSelectionMultiple);
    });

    m_status->setObjectName(QStringLiteral("statusLine"));

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(intro, 1);
    top->addWidget(mode);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);

    connect(m_delegate, &SwatchDelegate::laidOut, this,
        [this](unsigned long placed, unsigned long pooled) {
            m_placed = placed;
            m_pooled = pooled;
            updateStatus();
        });
    connect(m_delegate, &SwatchDelegate::selectionUpdated, this, [this](unsigned long count) {
        m_selected = count;
        updateStatus();
    });
    connect(m_delegate, &SwatchDelegate::activated, this, [this](CollectionViewIndex index) {
        m_activated = SwatchDelegate::colorAt(index).name();
        updateStatus();
    });

    m_view->reload();
    m_view->setSelection({ { 0, 2482 }, { 0, 2485 }, { 0, 2486 } });
    m_selected = static_cast<unsigned long>(m_view->selectionCount());
    updateStatus();
}

void CollectionPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Open where one group ends and the next begins, once the view knows its size.
    QTimer::singleShot(0, this, [this] { m_view->ensureItemVisible({ 1, 30 }); });
}

void CollectionPage::updateStatus()
{
    QString text = tr("Placed cells: %1   Pooled cells: %2   Selected: %3")
                       .arg(m_placed)
                       .arg(m_pooled)
                       .arg(m_selected);
    if (!m_activated.isEmpty())
        text += tr("   Activated: %1").arg(m_activated);
    m_status->setText(text);
}
