#include <corvane/IInputLine.h>

IInputLine::IInputLine(QWidget* parent)
    : QFrame(parent)
{ }

IInputLine::~IInputLine() = default;
