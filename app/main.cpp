// Program entry: the GUI application, its font, the program directory as current directory and
// the main window.
#include <QApplication>
#include <QDir>
#include <QFont>

#include "orbikaapp.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setFont(QFont(QStringLiteral("helvetica"), 10));
    // The configuration file is read from and written to the program directory.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    OrbikaApp window;
    window.show();
    return app.exec();
}
