// Time step of the pass details, tracks and plots in minutes and seconds.
#pragma once

#include <QDialog>

class QLineEdit;

class ObStepDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObStepDialog(QWidget* parent = nullptr);

    void setParams(int minutes, double seconds);
    void getParams(int& minutes, double& seconds) const;

private:
    QLineEdit* minEdit;
    QLineEdit* secEdit;
};
