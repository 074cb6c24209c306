#pragma once
#include <QDialog>

// The About box: the program's name and version.
class TFrm_about : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_about(QWidget *parent = nullptr);
};
