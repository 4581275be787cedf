// Removal of selected satellites: one marked row per satellite to remove.
#pragma once

#include <QDialog>

#include <array>

#include "core/records.h"

class QCheckBox;
class QLineEdit;

class ObRemSatDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObRemSatDialog(QWidget* parent = nullptr);

    // Shows the names of the first n selected satellites, one row each; other rows are hidden.
    void setParams(int n);
    // Stores the ten marks in row order in flags (true = remove).
    void getParams(bool flags[kMaxSat]) const;

public slots:
    // Marks every row in use.
    void alldlt();

private:
    int nboxes = 0;  // rows in use
    std::array<QCheckBox*, kMaxSat> boxes{};
    std::array<QLineEdit*, kMaxSat> names{};
};
