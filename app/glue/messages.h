// The program's message boxes.
#pragma once

#include <QString>

class QWidget;

// Information box with text, titled title.
void inform(QWidget* parent, const QString& text, const QString& title);
// Warning box titled "Orbika" with text and the single button "Quit".
void warnQuit(QWidget* parent, const QString& text);
// Warning box titled "Orbika" with text and the button OK.
void warn(QWidget* parent, const QString& text);
