#pragma once
// A block of ball toggles: checkable buttons in one QButtonGroup whose ids are the ball
// numbers, so one handler serves them all. A toggle shows its state by its colour: the
// selected colour when chosen, the button face otherwise.
#include <QColor>
#include <QWidget>
#include <vector>

class QAbstractButton;
class QButtonGroup;

class BallToggleGrid : public QWidget {
    Q_OBJECT
public:
    // Balls 1..count captioned "01".., objectNames "<namePrefix><ball>" ("redBall7"), laid out
    // columns to a row (a single row when columns >= count).
    BallToggleGrid(int count, const QString &namePrefix, const QColor &selectedColour, int columns,
                   QWidget *parent = nullptr);

    int count() const { return m_count; }
    bool isSelected(int ball) const;
    // Change states without emitting ballToggled: only the user's activations do.
    void setSelected(int ball, bool selected);
    void setAll(bool selected);
    void invert();
    // selection()[k-1] tells whether ball k is selected.
    std::vector<bool> selection() const;
    QAbstractButton *toggle(int ball) const;
    QColor selectedColour() const { return m_selectedColour; }
    // The colour ball shows now: the selected colour or the button face.
    QColor colour(int ball) const;

signals:
    // The user turned ball on or off, whichever way: mouse, keyboard, an accessibility action
    // (a screen reader's Toggle or Press) or QAbstractButton::click(); selected is its new state.
    void ballToggled(int ball, bool selected);

private:
    void paintToggle(QAbstractButton *button);

    int m_count;
    QColor m_selectedColour;
    QColor m_face;
    QButtonGroup *m_group;
    bool m_settingByCode = false; // setSelected is changing a state: not the user's toggle
};
