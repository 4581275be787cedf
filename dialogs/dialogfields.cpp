#include "dialogfields.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>

#include <cmath>
#include <cstdio>

#include "foundation/textconv.h"

#include "astro/timescales.h"

namespace {

// Years accepted in date fields.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

// Text of the label that leads to field, without its accelerator mark and colon.
QString fieldLabel(const QWidget* field)
{
    if (field->parentWidget()) {
        for (const QLabel* label : field->parentWidget()->findChildren<QLabel*>()) {
            if (label->buddy() == field) {
                QString text = label->text().remove('&').trimmed();
                return text.endsWith(':') ? text.chopped(1) : text;
            }
        }
    }
    return field->objectName();
}

// Warns that field holds no value within range; gives it the focus; returns false.
bool rejectField(QWidget* dialog, QLineEdit* field, const QString& range)
{
    QMessageBox::warning(dialog, QStringLiteral("Orbika"),
                         QObject::tr("%1: %2 is not valid (%3).")
                             .arg(fieldLabel(field), field->text().trimmed(), range));
    field->setFocus();
    field->selectAll();
    return false;
}

// Whole number of field within lo..hi into v; false (with the warning) otherwise.
bool checkInt(QWidget* dialog, QLineEdit* field, int lo, int hi, int& v)
{
    bool ok = false;
    v = field->text().trimmed().toInt(&ok);
    if (ok && v >= lo && v <= hi)
        return true;
    return rejectField(dialog, field, QObject::tr("%1 to %2").arg(lo).arg(hi));
}

// Days of month (1..12) in year, by the program's calendar.
int daysInMonth(int year, int month)
{
    const double first = mjd(1, month, year, 0.0);
    const double next = month == 12 ? mjd(1, 1, year + 1, 0.0) : mjd(1, month + 1, year, 0.0);
    return static_cast<int>(std::lround(next - first));
}

}  // namespace

QString numText(double v) { return QString::number(v, 'g', 6); }

QString printfText(const char* format, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    decdot(buf);
    return QString::fromLatin1(buf).trimmed();
}

double fieldDouble(const QLineEdit* e)
{
    const double v = e->text().toDouble();
    return std::isfinite(v) ? v : 0.0;  // "inf", "nan" and overflows count as not a number
}

int fieldInt(const QLineEdit* e) { return e->text().trimmed().toInt(); }

bool checkDateFields(QWidget* dialog, const DateTimeEdits& e)
{
    int year, month, day, v;
    return checkInt(dialog, e.year, kFirstYear, kLastYear, year) &&
           checkInt(dialog, e.month, 1, 12, month) &&
           checkInt(dialog, e.day, 1, daysInMonth(year, month), day) &&
           checkInt(dialog, e.hour, 0, 23, v) && checkInt(dialog, e.minute, 0, 59, v) &&
           checkInt(dialog, e.second, 0, 59, v);
}

bool checkEpochFields(QWidget* dialog, QLineEdit* year, QLineEdit* dayOfYear)
{
    int y;
    if (!checkInt(dialog, year, kFirstYear, kLastYear, y))
        return false;
    bool ok = false;
    const double day = dayOfYear->text().trimmed().toDouble(&ok);
    const double end = 1.0 + std::lround(mjd(1, 1, y + 1, 0.0) - mjd(1, 1, y, 0.0));
    if (ok && day >= 1.0 && day < end)
        return true;
    return rejectField(dialog, dayOfYear, QObject::tr("from 1 to below %1").arg(end));
}

QLineEdit* addField(QFormLayout* form, const QString& label, const QString& name,
                    const QString& tip, const QString& whatsThis)
{
    auto* edit = describe(new QLineEdit, name, tip, whatsThis);
    auto* text = new QLabel(label);
    text->setBuddy(edit);
    form->addRow(text, edit);
    return edit;
}

void showControl(QWidget* w, bool on)
{
    w->setVisible(on);
    w->setEnabled(on);
}

void enableField(QWidget* field, bool on)
{
    field->setEnabled(on);
    if (!field->parentWidget())
        return;
    for (QLabel* label : field->parentWidget()->findChildren<QLabel*>())
        if (label->buddy() == field)
            label->setEnabled(on);
}

QString rowKey(int i) { return i < 9 ? QString("&%1").arg(i + 1) : QString("1&0"); }

QHBoxLayout* okCancelRow(QDialog* d)
{
    auto* ok = new QPushButton(QObject::tr("&OK"));
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(QObject::tr("&Cancel"));
    cancel->setObjectName("cancelButton");
    QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QHBoxLayout* closeRow(QDialog* d, const QString& text, const QString& name)
{
    auto* close = new QPushButton(text);
    close->setObjectName(name);
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, d, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    return row;
}

QTextEdit* readOnlyText(QWidget* parent, const QString& name, bool fixedPitch)
{
    auto* text = new QTextEdit(parent);
    text->setObjectName(name);
    text->setReadOnly(true);
    text->setLineWrapMode(QTextEdit::NoWrap);
    if (fixedPitch)
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return text;
}

void showText(QTextEdit* area, const QString& text, int points)
{
    if (points > 0) {
        QFont font = area->font();
        font.setPointSize(points);
        area->setFont(font);
    }
    area->setPlainText(text);
    area->moveCursor(QTextCursor::Start);
}
