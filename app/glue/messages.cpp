#include "app/glue/messages.h"

#include <QMessageBox>

void inform(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::information(parent, title, text);
}

void warnQuit(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Orbika"), text, QMessageBox::NoButton,
                    parent);
    box.addButton(QObject::tr("Quit"), QMessageBox::AcceptRole);
    box.exec();
}

void warn(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("Orbika"), text);
}
