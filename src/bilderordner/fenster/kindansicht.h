#pragma once

#include "regeln/stufen.h"

#include <QFutureWatcher>
#include <QImage>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace kbb::fenster {

// What the game decodes of a picture for its presentation screen, halved for
// the preview; made in a worker thread with the game's own loader.
struct Bildteil {
    QString pfad;
    QImage teil; // the part the child sees, at half size
    QSize ganz;  // the picture's own size; empty when the game cannot load it
};

class Bildschirm;

// "Wie das Kind es sieht": the chosen picture on a presentation screen of the
// chosen level, at half size with the screen's own background, picture place
// and button, and its word on a word button of the answer board in the board's
// font and size.
class Kindansicht : public QWidget {
    Q_OBJECT
public:
    explicit Kindansicht(QWidget* parent = nullptr);

    // Shows a file; an empty path shows nothing.
    void zeige(const QString& pfad, const QString& wort, const QStringList& saetze);
    QPushButton* wortKnopf() const { return wortKnopf_; }
    Bildschirm* bildschirm() const { return schirm_; }

Q_SIGNALS:
    void bildGeladen();

private:
    void angekommen();

    QComboBox* stufe_;
    Bildschirm* schirm_;
    QLabel* hinweis_;
    QPushButton* wortKnopf_;
    QLabel* saetze_;
    QFutureWatcher<Bildteil> laden_;
    QString pfad_;
};

// The presentation screen of one level at half size.
class Bildschirm : public QWidget {
    Q_OBJECT
public:
    explicit Bildschirm(QWidget* parent = nullptr);
    void setzeStufe(const kb::Stufe& stufe);
    void setzeBild(const QImage& teil);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const kb::Stufe* stufe_ = kb::stufen().data();
    QImage teil_;
};

} // namespace kbb::fenster
