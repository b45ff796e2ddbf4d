#include <corvane/ComboBox.h>
#include <corvane/Label.h>

#include "controls/MixedState.h"
#include "platform/Accessibility.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QSet>

#include <cmath>

namespace {

// How near an entry's number must be to a value for setValue() to select the entry.
constexpr double NumberTolerance = 0.01;

// The row's box gets its popup list, named "view" for the theme, when the popup first opens, as
// a plain QComboBox makes its own: made with every row, the list, its frame and scrollers are
// half the widgets of a sheet of combo rows.
class RowComboBox final : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        if (!m_view) {
            m_view = new QListView;
            m_view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            m_view->setObjectName(QStringLiteral("view"));
            setView(m_view);
            // Measured for the popup with the theme's rules, as if it had always been there.
            m_view->parentWidget()->ensurePolished();
        }
        QComboBox::showPopup();
    }

private:
    QListView* m_view = nullptr;
};

// The rows whose inner box is emitting its index change, which Qt's box does from inside its
// own setCurrentIndex() and goes on using afterwards.
QSet<const ComboBox*>& emittingRows()
{
    static QSet<const ComboBox*> rows;
    return rows;
}

} // namespace

ComboBox::ComboBox(QString const& title, bool twoLines, QWidget* parent)
    : QFrame(parent)
    // Before the combo exists: the controls' accessible interfaces describe it.
    , m_label((corvane::accessibility::installControls(), new Label(title, this)))
    , m_combo(new RowComboBox(this))
    , m_twoLines(twoLines)
    , m_mixed(new MixedState)
{
    m_label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);

    m_combo->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_combo->installEventFilter(this);

    if (m_twoLines) {
        auto* layout = new QVBoxLayout(this);
        layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(m_label);
        layout->addWidget(m_combo);
        m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    } else {
        auto* layout = new QHBoxLayout(this);
        layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(m_label);
        layout->addStretch(0);
        layout->addWidget(m_combo);
    }

    // QComboBox lost its text-carrying currentIndexChanged in Qt 6; the row's own signal is fed
    // from the index signal with the entry's text, which is what the old signal carried.
    connect(m_combo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        setMixed(false);
        emittingRows().insert(this);
        const QPointer<ComboBox> self(this);
        Q_EMIT currentIndexChanged(m_combo->itemText(index));
        if (self)
            emittingRows().remove(this);
    });
    // Typing ends a mixed state too; the row's own changes of the text are made blocked.
    connect(m_combo, &QComboBox::editTextChanged, this, [this] { setMixed(false); });
}

ComboBox::~ComboBox()
{
    // Deleted by a slot of its own index change: the inner box, still inside setCurrentIndex(),
    // is handed to the event loop to be deleted once it has returned.
    if (emittingRows().remove(this)) {
        m_combo->removeEventFilter(this);
        m_combo->disconnect(this);
        m_combo->hide();
        m_combo->setParent(nullptr);
        m_combo->deleteLater();
    }
}

void ComboBox::setMixed(bool mixed)
{
    QWidget* placeholder = m_combo->isEditable() ? static_cast<QWidget*>(m_combo->lineEdit())
                                                 : static_cast<QWidget*>(m_combo);
    if (!m_mixed->set(mixed, m_combo, placeholder) || !mixed)
        return;
    const QSignalBlocker blocker(m_combo);
    m_combo->setCurrentIndex(-1);
    if (m_combo->isEditable())
        m_combo->setEditText(QString());
}

bool ComboBox::isMixed() const
{
    return m_mixed->isOn();
}

bool ComboBox::isTwoLines() const
{
    return m_twoLines;
}

QString ComboBox::title()
{
    return m_label->text();
}

void ComboBox::setEditable(bool on)
{
    m_combo->setEditable(on);
}

void ComboBox::setValues(QStringList const& texts)
{
    for (QString const& text : texts)
        m_combo->addItem(text);
}

void ComboBox::setValues(QMap<QString, QVariant> const& map)
{
    // Texts that stand for the same number collapse into one entry, the last in key order
    // winning. NaN has no place in an order, so it counts as 0 like any other non-number.
    QMap<float, QString> byNumber;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        float number = it.value().toFloat();
        if (std::isnan(number))
            number = 0.0f;
        byNumber.insert(number, it.key());
    }
    for (auto it = byNumber.cbegin(); it != byNumber.cend(); ++it)
        m_combo->addItem(it.value(), QVariant(it.key()));
}

void ComboBox::setValue(QString const& value)
{
    setMixed(false);
    // Blocked by hand rather than with QSignalBlocker: the box always ends up unblocked.
    m_combo->blockSignals(true);
    const double number = value.toDouble();
    bool found = false;
    for (int i = 0; i < m_combo->count(); ++i) {
        const double entryNumber = m_combo->itemData(i).toDouble();
        if (std::fabs(number - entryNumber) < NumberTolerance || m_combo->itemText(i) == value) {
            m_combo->setCurrentIndex(i);
            found = true;
            break;
        }
    }
    if (!found)
        m_combo->setEditText(value);
    m_combo->blockSignals(false);
}

void ComboBox::setCurrentValue(QString const& text)
{
    setMixed(false);
    m_combo->setCurrentIndex(
        m_combo->findData(text, Qt::DisplayRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void ComboBox::removeValue(QString const& text)
{
    const int index
        = m_combo->findData(text, Qt::DisplayRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_combo->removeItem(index);
}

QString ComboBox::currentValue()
{
    return m_combo->currentText();
}

void ComboBox::setCurrentIndex(int index)
{
    setMixed(false);
    m_combo->setCurrentIndex(index);
}

int ComboBox::currentIndex()
{
    return m_combo->currentIndex();
}

int ComboBox::count()
{
    return m_combo->count();
}

void ComboBox::clear()
{
    m_combo->clear();
}

bool ComboBox::eventFilter(QObject* obj, QEvent* e)
{
    // The cast fails while the box is being torn down, when it is no QComboBox any more.
    if (obj == m_combo && qobject_cast<QComboBox*>(obj)) {
        switch (e->type()) {
        case QEvent::Wheel:
            // Left unaccepted, the wheel goes on to the scrolling sheet around the row.
            e->ignore();
            return true;
        case QEvent::FocusOut:
            // Commits text typed into an editable box when the user leaves it; an untouched
            // mixed box has nothing to commit.
            if (!m_mixed->isOn()) {
                // The host may delete the row from its slot: the event then ends here.
                const QPointer<ComboBox> self(this);
                Q_EMIT currentIndexChanged(m_combo->currentText());
                if (!self)
                    return true;
            }
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(obj, e);
}
