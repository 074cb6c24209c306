#pragma once
#include <QDialog>

// The About box: the program's name and version.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // The folder whose db1.db and user/ files are in use.
    void setDataFolder(const QString &path);

private:
    class QLabel *m_dataFolder = nullptr;
};
