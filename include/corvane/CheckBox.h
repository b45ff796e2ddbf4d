#pragma once

#include <corvane/CorvaneExport.h>

#include <QCheckBox>

#include <memory>

class MixedState;

// Visual rank of a check box; the style sheet reads it through the box's style_type.
enum eOrder : int {
    ePrimary = 0,
    ePrimaryLight = 1,
    eSecondary = 2,
};

class CORVANE_WIDGETS_EXPORT CheckBox : public QCheckBox
{
    Q_OBJECT
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    CheckBox(QString const& text, eOrder order, QWidget* parent = nullptr);
    ~CheckBox() override;

    QString getStyleType() const;

    // Mixed: the box stands for several objects that differ, and is partially checked, which
    // screen readers announce as mixed. A click checks it and ends the state, and so does
    // setChecked(); the user cannot bring the partial state back.
    void setMixed(bool mixed);
    bool isMixed() const;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void checkStateSet() override;
    void nextCheckState() override;

private:
    void endMixed();

    eOrder m_order;
    std::unique_ptr<MixedState> m_mixed;
};
