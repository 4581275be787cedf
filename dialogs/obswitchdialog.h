// Choice of the prime satellite among the selected ones and of the relative satellite mode.
#pragma once

#include <QDialog>

#include <array>

#include "core/records.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;

class ObSwitchDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObSwitchDialog(QWidget* parent = nullptr);

    // prime: index from 0; relmode 1 = relative mode; nsat: number of selected satellites.
    void setParams(int prime, int relmode, int nsat);
    void getParams(int& prime, int& relmode) const;

private:
    QButtonGroup* group;
    std::array<QRadioButton*, kMaxSat> buttons{};
    QCheckBox* relBox;
};
