#pragma once

#include <QWidget>

class CollectionView;
class QLabel;
class SwatchDelegate;

// A collection view over a hundred thousand generated swatches, with a selection mode switch and
// a status line that tells how few cells really exist.
class CollectionPage : public QWidget
{
    Q_OBJECT
public:
    explicit CollectionPage(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateStatus();

    SwatchDelegate* m_delegate;
    CollectionView* m_view;
    QLabel* m_status;
    unsigned long m_placed = 0;
    unsigned long m_pooled = 0;
    unsigned long m_selected = 0;
    QString m_activated;
    bool m_shown = false;
};
