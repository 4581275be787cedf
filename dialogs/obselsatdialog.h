// Satellite selection: searches the open TLE file by name, NORAD number or launch designator
// and adds the entries found to the list of selected satellites.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

class ObSelSatDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObSelSatDialog(QWidget* parent = nullptr);

    // Fills the dialog from the last search and shows the selection list.
    void setParams();
    // Shows a found entry (or the no-match text) and refills the search fields.
    void dSatInfo(const QString& text);
    // Shows the TLE file name and the selection list.
    void dSatList();

public slots:
    void findSlot();
    void moreSlot();
    void selectSlot();
    void newsSlot();
    void noradSlot();
    void idsnSlot();
    void lowSlot();

private:
    // Runs a search from the file start (more false) or for the next match and shows the result.
    void search(bool more);
    // Shows or hides and enables or disables one button.
    static void showButton(QPushButton* b, bool on);

    QTextEdit* satinfEdit;
    QPushButton* closeButton;
    QPushButton* newButton;
    QPushButton* findButton;
    QPushButton* moreButton;
    QPushButton* selectButton;
    QLineEdit* noradEdit;
    QCheckBox* noradBox;
    QCheckBox* lowBox;
    QCheckBox* recentBox;
    QLineEdit* satnameEdit;
    QCheckBox* idsnBox;
    QLabel* nameLabel;
};
