// Read-only window with the local visibility text of a clicked map or sky position.
#pragma once

#include <QDialog>

class QTextEdit;

class ObLocalDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObLocalDialog(QWidget* parent = nullptr);

    // Shows text in the map font size fontsize (points) from its start.
    void setParams(const QString& text, int fontsize);

private:
    QTextEdit* textEdit;
};
