#pragma once

#include <corvane/CorvaneExport.h>

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QString>

class QWidget;

// The process-wide theme: its text, the widgets that carry it as their own style sheet, and the
// mode in which controls get it.
class CORVANE_AUTOTEST_EXPORT ThemeRegistry
{
public:
    static ThemeRegistry& instance();

    // The host's text if it set one, else the resource's. A resource found missing or empty is
    // looked for again at the next call.
    QString text();
    void setHostText(QString const& css);
    void useResource();

    bool shared() const { return m_shared; }
    void setShared(bool on) { m_shared = on; }

    // Makes `widget` carry the theme as its own style sheet and remembers it, so that a new
    // theme reaches it.
    void carry(QWidget* widget);
    // A control set its look. In the default mode it carries the theme afterwards; an unchanged
    // look on a control that already carries the current theme is left alone. In the shared
    // mode a changed look polishes the control and the widgets inside it again.
    void restyle(QWidget* widget, bool lookChanged);
    // A property the theme selects on changed on a widget that never carries the theme itself
    // (a collection view cell): in the shared mode it is polished again with the widgets inside
    // it; in the default mode whoever owns it does what it always did.
    void refreshLook(QWidget* widget);
    // From a control's first polish: the copy it postponed so that Qt parses it once, for the
    // parents it is shown in. A sheet the host set meanwhile stays.
    void polished(QWidget* widget);

private:
    ThemeRegistry() = default;
    QString resourceText();
    void replaceText(QString const& oldText);
    void prune();

    QByteArray m_resource;
    QString m_resourceText;
    QString m_hostText;
    bool m_hasHostText = false;
    bool m_resourceMissing = false;
    bool m_shared = false;
    QHash<QWidget*, QPointer<QWidget>> m_carriers;
    int m_prunedSize = 0;
};
