// Building blocks shared by the parameter dialogs: labelled number fields and the button row.
#pragma once

#include <QString>
#include <QWidget>

class QDialog;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QTextEdit;

// Names widget w and gives it its tool tip and What's This text; returns w.
template <typename W>
W* describe(W* w, const QString& name, const QString& tip = QString(),
            const QString& whatsThis = QString())
{
    w->setObjectName(name);
    w->setToolTip(tip);
    w->setWhatsThis(whatsThis);
    return w;
}

// Text of a number in the 'g' format with six significant digits.
QString numText(double v);
// Text of v in the printf format format, with a decimal point whatever the locale, trimmed.
QString printfText(const char* format, double v);
// Number in the field (C locale); 0 when the text is not a number.
double fieldDouble(const QLineEdit* e);
// Decimal integer in the field; 0 when the text is not an integer.
int fieldInt(const QLineEdit* e);

// Appends a row "label: line edit" (the label's accelerator focuses the edit) to form and
// returns the edit, named name, with its tool tip and What's This text.
QLineEdit* addField(QFormLayout* form, const QString& label, const QString& name,
                    const QString& tip = QString(), const QString& whatsThis = QString());
// Enables or disables field together with the label whose accelerator leads to it.
void enableField(QWidget* field, bool on);
// Shows and enables w, or hides and disables it.
void showControl(QWidget* w, bool on);
// Label of selection row i (from 0) with its accelerator: "&1" ... "&9", "1&0".
QString rowKey(int i);
// Row with the buttons "&OK" (accept, default) and "&Cancel" (reject) of dialog d.
QHBoxLayout* okCancelRow(QDialog* d);
// Row with one right-aligned default button, named name, that accepts dialog d.
QHBoxLayout* closeRow(QDialog* d, const QString& text, const QString& name);
// Read-only multi-line text area named name, in a fixed-pitch font when fixedPitch is set.
QTextEdit* readOnlyText(QWidget* parent, const QString& name, bool fixedPitch);
// Shows text in the text area in points-sized type (sizes below 1 keep the font) from its start.
void showText(QTextEdit* area, const QString& text, int points);
