#include "platform/ThemeRegistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QStyle>
#include <QWidget>

#include <utility>

namespace {

// Controls take their look from this host resource unless the host sets a theme of its own.
QString resourcePath()
{
    return QStringLiteral(":/force-styles.css");
}

// Polishes `widget` and every widget inside it again, in the order Qt uses when a style sheet
// above them changes, without touching any sheet: Qt evaluates property selectors only when it
// polishes, and a widget that is polished again drops the rules it had.
void repolishTree(QWidget* widget)
{
    widget->style()->polish(widget);
    QEvent change(QEvent::StyleChange);
    QCoreApplication::sendEvent(widget, &change);
    const QObjectList children = widget->children();
    for (QObject* child : children) {
        if (child->isWidgetType())
            repolishTree(static_cast<QWidget*>(child));
    }
}

} // namespace

ThemeRegistry& ThemeRegistry::instance()
{
    static ThemeRegistry registry;
    return registry;
}

QString ThemeRegistry::text()
{
    return m_hasHostText ? m_hostText : resourceText();
}

QString ThemeRegistry::resourceText()
{
    if (!m_resource.isEmpty())
        return m_resourceText;
    QFile file(resourcePath());
    if (!file.open(QIODevice::ReadOnly)) {
        // Said once when it goes missing, not at every control while it stays so.
        if (!m_resourceMissing)
            qWarning("Corvane Widgets: the theme resource \":/force-styles.css\" is missing; "
                     "controls are drawn without it.");
        m_resourceMissing = true;
        m_resourceText.clear();
        return m_resourceText;
    }
    m_resourceMissing = false;
    m_resource = file.readAll();
    // Read as a zero-terminated 8-bit string: whatever follows a zero byte is not part of it.
    const qsizetype end = m_resource.indexOf('\0');
    m_resourceText = QString::fromLatin1(m_resource.constData(), end < 0 ? m_resource.size() : end);
    return m_resourceText;
}

void ThemeRegistry::setHostText(QString const& css)
{
    const QString old = m_hasHostText ? m_hostText : m_resourceText;
    m_hostText = css;
    m_hasHostText = true;
    replaceText(old);
}

void ThemeRegistry::useResource()
{
    const QString old = m_hasHostText ? m_hostText : m_resourceText;
    m_hasHostText = false;
    m_hostText.clear();
    m_resource.clear();
    m_resourceText.clear();
    resourceText();
    replaceText(old);
}

void ThemeRegistry::replaceText(QString const& oldText)
{
    const QString now = text();
    // A widget whose sheet the host replaced meanwhile is no longer ours to change.
    QList<QPointer<QWidget>> carriers;
    carriers.reserve(m_carriers.size());
    for (auto it = m_carriers.begin(); it != m_carriers.end();) {
        if (it.value() && it.value()->styleSheet() == oldText) {
            carriers.append(it.value());
            ++it;
        } else {
            it = m_carriers.erase(it);
        }
    }
    m_prunedSize = int(m_carriers.size());
    if (now == oldText)
        return;
    for (const QPointer<QWidget>& widget : std::as_const(carriers)) {
        if (widget)
            widget->setStyleSheet(now);
    }
}

void ThemeRegistry::carry(QWidget* widget)
{
    widget->setStyleSheet(text());
    QPointer<QWidget>& entry = m_carriers[widget];
    // A new widget, or one at the address of a widget that is gone.
    if (entry != widget)
        entry = widget;
    if (m_carriers.size() > 2 * m_prunedSize + 64)
        prune();
}

void ThemeRegistry::prune()
{
    for (auto it = m_carriers.begin(); it != m_carriers.end();) {
        if (it.value())
            ++it;
        else
            it = m_carriers.erase(it);
    }
    m_prunedSize = int(m_carriers.size());
}

void ThemeRegistry::restyle(QWidget* widget, bool lookChanged)
{
    if (m_shared) {
        // An unpolished widget meets its look when Qt first polishes it.
        if (lookChanged && widget->testAttribute(Qt::WA_WState_Polished))
            repolishTree(widget);
        return;
    }
    if (!lookChanged) {
        // Applying the very sheet again would only make Qt parse it again.
        const auto it = m_carriers.constFind(widget);
        if (it != m_carriers.cend() && it.value() == widget && widget->styleSheet() == text())
            return;
    }
    carry(widget);
}

void ThemeRegistry::refreshLook(QWidget* widget)
{
    if (m_shared && widget->testAttribute(Qt::WA_WState_Polished))
        repolishTree(widget);
}

void ThemeRegistry::polished(QWidget* widget)
{
    if (m_shared || !widget->styleSheet().isEmpty())
        return;
    if (text().isEmpty()) {
        // Nothing to parse; the widget is only remembered for a theme set later.
        m_carriers[widget] = widget;
        return;
    }
    carry(widget);
}
