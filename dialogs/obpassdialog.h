// Details of one pass, step by step, with buttons that copy them or the ground track to the
// save file.
#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

class ObPassDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObPassDialog(QWidget* parent = nullptr);

    // Fills the text (in fontsize points) with the details of the clicked pass and its pole.
    void setParams(int fontsize);

public slots:
    void saveSlot();
    void gtrackSlot();

private:
    QTextEdit* passEdit;
    QPushButton* closeButton;
    QPushButton* saveButton;
    QPushButton* gtrackButton;
};
