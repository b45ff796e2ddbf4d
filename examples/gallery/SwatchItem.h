#pragma once

#include <corvane/CollectionViewItem.h>

// A collection view cell: a coloured swatch with its number. The style sheet draws the frame,
// keyed on the cell's `selected` property.
class SwatchItem : public CollectionViewItem
{
    Q_OBJECT
public:
    explicit SwatchItem(QWidget* parent = nullptr);

    void setSwatch(QColor const& color, QString const& caption);

    void OnSelectionChanged(bool selected) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    QString m_caption;
};
