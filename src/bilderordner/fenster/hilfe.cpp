// The short help of the companion's window, for teachers, in German.
#include "bilderordner/fenster/bilderfenster.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kbb::fenster {

namespace {

const char* const HilfeText = R"(
<h2>Kieselblick – Bilder</h2>
<p>Das Spiel zeigt die Bilder aus seinem Ordner <b>bilder</b>. Das Wort, das das Kind in der
Auswahlbox liest, ist der Dateiname ohne die Endung: <i>Katze.png</i> ergibt „Katze“. Dieses
Fenster prüft jede Datei mit dem Code des Spiels; was es sagt, tut das Spiel.</p>
<h3>Was die Kacheln sagen</h3>
<ul>
<li><b>Rot:</b> die Datei beendet das Spiel mit einem Fehler (kein Bild, beschädigt, ein
Format, das das Spiel nicht lesen kann). „Ordner reparieren“ legt sie beiseite.</li>
<li><b>Gelb:</b> das Kind sieht etwas Falsches: das Bild ist größer als die Bildfläche, sehr
klein, das Wort endet mit einem Punkt (<i>Katze.jpeg</i>), zwei Dateien haben dasselbe Wort,
oder das Wort ist zu lang für einen Knopf der Auswahlbox.</li>
<li>Die Zeile oben sagt, welche Stufen gespielt werden können: die Stufen 1 und 3 brauchen
9 verschiedene Wörter, die Stufen 2, 4 und 5 brauchen 15.</li>
</ul>
<h3>Bilder hinzufügen</h3>
<p>Ziehe Fotos aus dem Dateimanager auf das Fenster oder wähle „Bilder hinzufügen …“. Gib für
jedes Bild das Wort ein, so wie die Kinder es lesen sollen, mit großen Anfangsbuchstaben und
Umlauten. Das Bild wird gedreht, wie die Kamera es sagt, und verkleinert, bis das Kind es ganz
sieht. Gibt es das Wort schon, kannst du das alte Bild ersetzen oder das neue weglassen, auf
Wunsch für alle weiteren Bilder; „Abbrechen“ beendet das Hinzufügen.</p>
<h3>Ein Bild ändern</h3>
<p>Klicke ein Bild mit der rechten Maustaste an:</p>
<ul>
<li><b>Wort ändern …</b> (F2 oder Doppelklick): die Datei bekommt ein anderes Wort.</li>
<li><b>Beiseitelegen</b> (Entf): das Bild kommt in den Unterordner „aussortiert“. Das Spiel
schaut nie in Unterordner.</li>
<li><b>Bild ersetzen …</b>: ein anderes Bild für dasselbe Wort; das alte kommt nach
„aussortiert“.</li>
<li><b>Aussortierte Bilder …</b>: zeigt, was in „aussortiert“ liegt, und legt ein Bild
zurück, wenn sein Name im Ordner frei ist.</li>
</ul>
<h3>Rückgängig</h3>
<p>„Rückgängig“ (Strg+Z) nimmt die letzte Änderung zurück: eine Reparatur, einen Bildersatz,
hinzugefügte Bilder, ein beiseitegelegtes Bild oder ein neues Wort. Neu angelegte Dateien
kommen dabei nach „aussortiert“. Es wird nie etwas gelöscht und nie etwas überschrieben.</p>
<h3>Ordner reparieren und Bildersätze</h3>
<p>„Ordner reparieren“ legt Dateien, die das Spiel mit einem Fehler beenden, nach
„aussortiert“, macht aus <i>.jpeg</i> <i>.jpg</i> und verkleinert zu große Bilder (das
Original bleibt in „aussortiert/original“). Danach steht in der Liste, was noch zu tun ist.</p>
<p>„Bildersätze“ füllt den Ordner aus einem mitgelieferten Satz. Beim Ersetzen kommen deine
bisherigen Bilder in einen Unterordner von „aussortiert“ mit dem heutigen Datum.</p>
<h3>Keine Schreibrechte?</h3>
<p>Ein Ordner, den du nicht ändern darfst, wird nur angezeigt. Bitte die Schul-IT, dich in die
Gruppe „kieselblick“ aufzunehmen, und melde dich danach neu an.</p>
)";

} // namespace

void Bilderfenster::zeigeHilfe()
{
    if (auto* offen = findChild<QDialog*>(QStringLiteral("hilfe"))) {
        offen->raise();
        return;
    }
    auto* d = new QDialog(this);
    d->setObjectName(QStringLiteral("hilfe"));
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle(QStringLiteral("Hilfe – Kieselblick – Bilder"));
    auto* text = new QTextBrowser(d);
    text->setHtml(QString::fromUtf8(HilfeText));
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, d);
    knoepfe->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
    connect(knoepfe, &QDialogButtonBox::rejected, d, &QDialog::reject);
    auto* spalte = new QVBoxLayout(d);
    spalte->addWidget(text);
    spalte->addWidget(knoepfe);
    d->resize(600, 560);
    d->show();
}

} // namespace kbb::fenster
