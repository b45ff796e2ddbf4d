#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

class QPainter;

// One control in Designer's widget box: how the form editor (and QUiLoader) creates it, what a
// new instance starts with in a form, and its icon.
class DesignerWidget : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    struct Description
    {
        QString className;
        QString toolTip;
        std::function<QWidget*(QWidget* parent)> create;
        // Draws the icon on a canvas of IconSize x IconSize.
        std::function<void(QPainter&)> paintIcon;
        // <property> elements written into a form with each new instance.
        QString properties;
    };
    static constexpr int IconSize = 22;

    DesignerWidget(Description description, QObject* parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    QString domXml() const override;

private:
    Description m_description;
};
