// Read-only window with the program's quick help text.
#pragma once

#include <QDialog>

class QTextEdit;

class ObQuickDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObQuickDialog(QWidget* parent = nullptr);

    // Inserts line at the cursor; the line "$$$" is not shown but moves the cursor to the start,
    // so that the text inserted afterwards comes first.
    void setHelpLine(const QString& line);

private:
    QTextEdit* textEdit1;
};
