#include "dialogfields.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

#include <cmath>
#include <cstdio>

#include "foundation/textconv.h"

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
