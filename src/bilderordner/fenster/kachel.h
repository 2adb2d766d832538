#pragma once

#include <QFont>
#include <QStyledItemDelegate>

namespace kbb::fenster {

// Draws one file of the list as a tile: its thumbnail, its word in the board's
// font as the answer board writes it, and the short verdict in its colour.
class Kachel : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr QSize Vorschau{128, 96};
    static constexpr QSize Groesse{156, 166};

    explicit Kachel(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

Q_SIGNALS:
    // The first time a thumbnail itself, not its place holder, is painted.
    void ersteVorschauGemalt() const;

private:
    void maleVorschau(QPainter& p, const QRect& feld, const QModelIndex& index) const;

    QFont wortSchrift_;
    QFont urteilSchrift_;
    mutable bool gemalt_ = false;
};

} // namespace kbb::fenster
