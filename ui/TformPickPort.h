#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace ui {

// The small modal port selection dialog. It has no logic: the caller fills listPorts, runs
// it and reads the selection.
class TformPickPort : public QDialog {
    Q_OBJECT
public:
    explicit TformPickPort(QWidget *parent = nullptr);

    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QComboBox *listPorts = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace ui
