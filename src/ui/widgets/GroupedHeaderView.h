#pragma once
// A horizontal header whose titles have up to three levels: neighbouring columns
// with the same upper levels share one title cell. The levels come from the
// model's header data under the role given.
#include <QHeaderView>

class GroupedHeaderView : public QHeaderView {
    Q_OBJECT
public:
    GroupedHeaderView(int levelsRole, int levelCount, QWidget *parent = nullptr);

    int levelHeight() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Whether two sections' titles share their cells down to `level`.
    static bool shareUpTo(const QStringList &a, const QStringList &b, int level);
    void paintCell(QPainter &painter, const QRect &rect, const QString &text) const;

    int m_role;
    int m_levelCount;
};
