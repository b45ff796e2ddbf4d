#include "DesignerWidget.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

DesignerWidget::DesignerWidget(Description description, QObject* parent)
    : QObject(parent)
    , m_description(std::move(description))
{ }

QString DesignerWidget::name() const
{
    return m_description.className;
}

QString DesignerWidget::group() const
{
    return QStringLiteral("Corvane Widgets");
}

QString DesignerWidget::toolTip() const
{
    return m_description.toolTip;
}

QString DesignerWidget::whatsThis() const
{
    return m_description.toolTip;
}

QString DesignerWidget::includeFile() const
{
    return QStringLiteral("corvane/%1.h").arg(m_description.className);
}

QIcon DesignerWidget::icon() const
{
    // Painted at the widget box's size and at twice that for high-density screens.
    QIcon icon;
    for (const int scale : { 1, 2 }) {
        QPixmap pixmap(IconSize * scale, IconSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        m_description.paintIcon(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

bool DesignerWidget::isContainer() const
{
    return false;
}

QWidget* DesignerWidget::createWidget(QWidget* parent)
{
    return m_description.create(parent);
}

QString DesignerWidget::domXml() const
{
    // The object name Designer numbers for new instances: "inputLineSlider", "inputLineSlider_2"...
    QString objectName = m_description.className;
    objectName[0] = objectName[0].toLower();
    // The header is included as <corvane/Name.h>, like every public header of the library.
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">%3</widget>\n"
                          " <customwidgets>\n"
                          "  <customwidget>\n"
                          "   <class>%1</class>\n"
                          "   <header location=\"global\">%4</header>\n"
                          "  </customwidget>\n"
                          " </customwidgets>\n"
                          "</ui>\n")
        .arg(m_description.className, objectName, m_description.properties, includeFile());
}
