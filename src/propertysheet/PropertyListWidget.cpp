#include <corvane/PropertyListWidget.h>

#include "propertysheet/Panel.h"

#include <corvane/Label.h>
#include <corvane/SeparatorLine.h>

#include <QVBoxLayout>

IUserInterfaceProperties::~IUserInterfaceProperties() = default;
IPropertyListHelper::~IPropertyListHelper() = default;

namespace {

QString stringOf(QMap<QString, QVariant> const& record, char const* key)
{
    return record.value(QString::fromLatin1(key)).toString();
}

} // namespace

PropertyListWidget::PropertyListWidget(
    QObject* object, IPropertyListHelper* listHelper, QWidget* parent)
    : QFrame(parent)
    , m_object(object)
    , m_listHelper(listHelper)
{
    // Without the interface the object describes no rows: the sheet is empty.
    IUserInterfaceProperties* properties = qobject_cast<IUserInterfaceProperties*>(object);
    makeGui();
    setWindowTitle(QStringLiteral("Untitled"));

    const PropertyDescriptionList list
        = properties ? properties->propertyList() : PropertyDescriptionList();
    processProperties(list);

    if (list.size() == 1 && stringOf(list.first(), "type") == QLatin1String("title")) {
        auto* noSettings = new Label(QStringLiteral("No Settings"), nullptr);
        noSettings->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        noSettings->setAlignment(Qt::AlignCenter);
        noSettings->setObjectName(QStringLiteral("noSettings"));
        addWidget(noSettings);
    } else {
        m_layout->addStretch(1000);
    }
}

PropertyListWidget::~PropertyListWidget() = default;

void PropertyListWidget::makeGui()
{
    m_layout = new QVBoxLayout();
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setLayout(m_layout);
    setVisible(true);
}

void PropertyListWidget::processProperties(QList<QMap<QString, QVariant>> const& list)
{
    for (const auto& record : list) {
        QWidget* w = createWidget(record);
        if (!w)
            continue;
        w->setEnabled(checkForEnabled(record));
        addWidget(w);
        m_descriptions.insert(w, record);
    }
}

bool PropertyListWidget::checkForEnabled(QMap<QString, QVariant> const& record)
{
    const QString prop = stringOf(record, "prop");
    if (prop.isEmpty() || !m_object)
        return true;
    const QVariant enabled = m_object->property((prop + QLatin1String("Enabled")).toLatin1());
    if (!enabled.isValid())
        return true;
    return enabled.toBool();
}

void PropertyListWidget::addWidget(QWidget* w)
{
    if (m_panels.isEmpty()) {
        auto* panel = new PropsPanel(windowTitle(), nullptr);
        m_layout->addWidget(panel);
        m_panels.append(panel);
    }
    m_panels.last()->addWidget(w);
}

void PropertyListWidget::addSpacing(int size)
{
    m_layout->addSpacing(size);
}

void PropertyListWidget::addPanel(QWidget* w)
{
    const int n = m_layout->count();
    if (n < 1)
        m_layout->addWidget(w);
    else
        m_layout->insertWidget(n - 1, w);
}

QVector<PropertyListWidget*> PropertyListWidget::panels()
{
    QVector<PropertyListWidget*> result;
    for (int i = 0; i < m_layout->count(); ++i) {
        if (auto* sheet = dynamic_cast<PropertyListWidget*>(m_layout->itemAt(i)->widget()))
            result.append(sheet);
    }
    return result;
}

QWidget* PropertyListWidget::createWidget(QMap<QString, QVariant> const& record)
{
    const QString type = stringOf(record, "type");
    const QString label = stringOf(record, "label");

    if (type == QLatin1String("panel")) {
        auto* panel = new PropsPanel(label, nullptr);
        m_panels.append(panel);
        m_layout->addWidget(panel);
        return nullptr;
    }
    if (type == QLatin1String("title")) {
        setWindowTitle(label);
        return nullptr;
    }
    if (type == QLatin1String("space")) {
        addSpacing(10);
        return nullptr;
    }
    if (type == QLatin1String("line"))
        return new SeparatorLine(this, nullptr);
    if (type == QLatin1String("label")) {
        auto* w = new Label(label, nullptr);
        w->setObjectName(stringOf(record, "w_obj_id"));
        return w;
    }
    return nullptr;
}
