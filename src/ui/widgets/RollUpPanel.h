#pragma once
// A panel with a caption bar whose button rolls the content up and down.
#include <QWidget>

class QToolButton;

class RollUpPanel : public QWidget {
    Q_OBJECT
public:
    RollUpPanel(const QString &caption, int height, QWidget *parent = nullptr);
    QWidget *content() const { return m_content; }
    bool isRolledUp() const;
    void setRolledUp(bool up);

private:
    QWidget *m_content;
    QToolButton *m_roll;
    int m_height;
};
