// Building blocks shared by the parameter dialogs: labelled number fields and the button row.
#pragma once

#include <QString>

class QDialog;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QTextEdit;
class QWidget;

// Text of a number in the 'g' format with six significant digits.
QString numText(double v);
// Number in the field (C locale); 0 when the text is not a number.
double fieldDouble(const QLineEdit* e);
// Decimal integer in the field; 0 when the text is not an integer.
int fieldInt(const QLineEdit* e);

// Appends a row "label: line edit" (the label's accelerator focuses the edit) to form and
// returns the edit, named name, with its tool tip and What's This text.
QLineEdit* addField(QFormLayout* form, const QString& label, const QString& name,
                    const QString& tip = QString(), const QString& whatsThis = QString());
// Row with the buttons "&OK" (accept, default) and "&Cancel" (reject) of dialog d.
QHBoxLayout* okCancelRow(QDialog* d);
// Read-only multi-line text area named name, in a fixed-pitch font when fixedPitch is set.
QTextEdit* readOnlyText(QWidget* parent, const QString& name, bool fixedPitch);
