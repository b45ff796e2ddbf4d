#include "NumericPage.h"

#include "TwoLineInputLine.h"

#include <corvane/InputLineSlider.h>
#include <corvane/Label.h>

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>

namespace {
constexpr int kTitleWidth = 90;
constexpr int kStackedBelow = 760;
} // namespace

NumericPage::NumericPage(QWidget* parent)
    : QWidget(parent)
    , m_readout(new QLabel)
    , m_columns(new QBoxLayout(QBoxLayout::LeftToRight))
{
    m_readout->setObjectName(QStringLiteral("statusLine"));

    // InputLine: the "V" button opens a slider under the pointer, or a spinner steps the value.
    auto* popup = new TwoLineInputLine(tr("Zoom"), kTitleWidth);
    popup->setMinValue(10);
    popup->setMaxValue(400);
    popup->setValueAndInit(100, eIntValues | eSliderInsteadSpinner);
    auto* spinner = new TwoLineInputLine(tr("Copies"), kTitleWidth);
    spinner->setMinValue(1);
    spinner->setMaxValue(99);
    spinner->setSlider(false);
    spinner->setSpinner(true);
    spinner->setValueAndInit(3, eIntValues);
    auto* percent = new TwoLineInputLine(tr("Blend"), kTitleWidth);
    percent->setMinValue(0);
    percent->setMaxValue(1);
    // Percent presentation comes with the percent flag alone.
    percent->setValueAndInit(0.5f, ePercents);
    auto* real = new TwoLineInputLine(tr("Gamma"), kTitleWidth);
    real->setMinValue(0.1f);
    real->setMaxValue(4.0f);
    real->setPrecision(2);
    real->setSlider(false);
    real->setSpinner(true);
    real->setValueAndInit(2.2f, eRealValues);
    real->setTwoLines(true);

    auto* inputLines = new QGroupBox(tr("InputLine: popup slider and spinner"));
    auto* inputLayout = new QVBoxLayout(inputLines);
    inputLayout->setSpacing(6);
    for (InputLine* row : { popup, spinner, percent, real })
        inputLayout->addWidget(row);

    // InputLineSlider: drag the field sideways, type, use Up/Down, or move the slider.
    auto* width = new InputLineSlider(tr("Width"), eIntValues | eSliderInsteadSpinner);
    width->setObjectName(QStringLiteral("width"));
    width->setMinValue(0);
    width->setMaxValue(1920);
    width->setValueAndInit(640, eIntValues | eSliderInsteadSpinner);
    auto* opacity
        = new InputLineSlider(tr("Opacity"), ePercents | eIntValues | eSliderInsteadSpinner);
    opacity->setMinValue(0);
    opacity->setMaxValue(1);
    opacity->setValueAndInit(0.75f, ePercents | eIntValues | eSliderInsteadSpinner);
    auto* angle = new InputLineSlider(tr("Angle"), eRealValues | eFineStep);
    angle->setMinValue(-90);
    angle->setMaxValue(90);
    angle->setPrecision(1);
    angle->setValueAndInit(12.5f, eRealValues | eFineStep);
    auto* radius = new InputLineSlider(tr("Corner radius (two lines)"),
        eIntValues | eSliderInsteadSpinner | eTwoLines | eSliderIntStep);
    radius->setMinValue(0);
    radius->setMaxValue(64);
    radius->setValueAndInit(8, eIntValues | eSliderInsteadSpinner | eTwoLines | eSliderIntStep);
    auto* disabled = new InputLineSlider(tr("Disabled"), eIntValues | eSliderInsteadSpinner);
    disabled->setMinValue(0);
    disabled->setMaxValue(10);
    disabled->setValueAndInit(4, eIntValues | eSliderInsteadSpinner);
    disabled->setEnabled(false);

    auto* sliders = new QGroupBox(tr("InputLineSlider: drag the number sideways"));
    auto* sliderLayout = new QVBoxLayout(sliders);
    sliderLayout->setSpacing(6);
    for (InputLineSlider* row : { width, opacity, angle, radius, disabled })
        sliderLayout->addWidget(row);

    auto* intro = new Label(tr("Press and drag a number sideways to step it, click it to type. "
                               "The \u201cV\u201d button opens a slider under the pointer."));
    intro->setObjectName(QStringLiteral("pageIntro"));

    QBoxLayout* columns = m_columns;
    columns->setSpacing(12);
    columns->addWidget(inputLines, 1, Qt::AlignTop);
    columns->addWidget(sliders, 1, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(intro);
    layout->addLayout(columns);
    layout->addStretch(1);
    layout->addWidget(m_readout);
    // The side-by-side columns would hold the page wide; below kStackedBelow they stack.
    setMinimumWidth(320);

    watch(popup, tr("Zoom"));
    watch(spinner, tr("Copies"));
    watch(percent, tr("Blend"));
    watch(real, tr("Gamma"));
    watch(width, tr("Width"));
    watch(opacity, tr("Opacity"));
    watch(angle, tr("Angle"));
    watch(radius, tr("Corner radius"));
    m_readout->setText(tr("Change a value: the row's changed(float) shows here."));
}

void NumericPage::watch(IInputLine* row, QString const& name)
{
    const auto report = [this, name](float value) {
        m_readout->setText(tr("%1 changed to %2").arg(name).arg(double(value)));
    };
    if (auto* line = qobject_cast<InputLine*>(row))
        connect(line, qOverload<float>(&InputLine::changed), this, report);
    else if (auto* slider = qobject_cast<InputLineSlider*>(row))
        connect(slider, qOverload<float>(&InputLineSlider::changed), this, report);
}

void NumericPage::resizeEvent(QResizeEvent* event)
{
    m_columns->setDirection(
        event->size().width() < kStackedBelow ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    QWidget::resizeEvent(event);
}
