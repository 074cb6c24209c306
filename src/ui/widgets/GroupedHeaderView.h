#pragma once
// A horizontal header whose titles have up to three levels: neighbouring columns
// with the same upper levels share one title cell. The levels come from the
// model's header data under the role given. A title that does not fit its cell is written
// smaller, on one line or on two broken at a sensible point, never cut inside a number.
#include <QHeaderView>

class GroupedHeaderView : public QHeaderView {
    Q_OBJECT
public:
    GroupedHeaderView(int levelsRole, int levelCount, QWidget *parent = nullptr);

    int levelHeight() const;

    // How a title is written in a cell of the given size: the font (the header's, or a smaller
    // one where the title would not fit) and its one or two lines.
    struct TitleLayout {
        QFont font;
        QStringList lines;
    };
    TitleLayout fitTitle(const QString &text, const QSize &room) const;
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
