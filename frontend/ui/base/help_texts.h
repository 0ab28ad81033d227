// The explanations of the help labels, shown as tooltips and, on click, in a message box.
#pragma once

#include <QString>

namespace zb::ui {

// A help page of the data folder: the window title and the file below "Data\RTFs".
struct HelpPage {
    QString title;
    QString file;
};

} // namespace zb::ui

namespace zb::ui::help {

// Simulation group
inline const QString lblSimSpeed = QStringLiteral(
    "Je höher die Geschwindigkeit, desto schneller läuft die Simulation ab. Dabei können mit "
    "höherer Geschwindigkeit jedoch auch Rechen-Ungenauigkeiten auftreten.");
inline const QString Label16 = QStringLiteral("Lässt die Wanne um ihren Mittelpunkt rotieren");
inline const QString Label27 = QStringLiteral("Gibt die Entfernung des Betrachters zur Wanne an. ");
inline const QString Label28 = QStringLiteral(
    "Wird dieser Regler hochgesetzt, kann die Wanne fast aus Vogelperspektive betrachtet werden.");
inline const QString Faerbung = QStringLiteral(
    "\"Normale Farben\" zeigt die Wanne so, wie sie gebaut ist. Bei \"Auslenkung\" werden "
    "Wellenberge rot und Wellentäler blau, umso kräftiger, je weiter sie aus der Ruhelage "
    "reichen. Bei \"Intensität\" zeigt die Farbe, wie stark es an jeder Stelle im Mittel "
    "schwingt: Wo sich Wellen verstärken, leuchtet es, wo sie sich auslöschen, bleibt es dunkel. "
    "So werden z.B. die Streifen hinter einem Doppelspalt sichtbar. Das Mittel braucht einige "
    "Schwingungen, bis es sich eingestellt hat.");
inline const QString Hoehenfaktor = QStringLiteral(
    "Zeichnet die Wellen höher oder flacher, als sie gerechnet werden. An der Rechnung selbst "
    "ändert das nichts. In einem Becken ohne dämpfende Ränder wachsen die Wellen mit der Zeit; "
    "mit ×0,5 oder weniger bleiben sie gut zu sehen.");
inline const QString SchirmIntensitaet = QStringLiteral(
    "Zeigt in der Schirmanzeige zu jedem Schirm zusätzlich eine orange Kurve: wie stark es an "
    "jeder Stelle des Schirms im Mittel schwingt (Intensität). Wo sie am höchsten ist, liegen die "
    "hellen Streifen eines Interferenzmusters.");

// Tank
inline const QString StandardDaempfung = QStringLiteral(
    "Dämpfung gibt an, wie viel Energie die Welle verliert, wenn sie sich fortbewegt. Die hier "
    "angegebene Dämpfung gilt in der gesamten Zitterbecken, mit Ausnahme der nach "
    "Materialübergängen definierten Dämpfung.");
inline const QString StandardKopplung = QStringLiteral(
    "Nimmt man an, die Schwinger seien mit Federn verbunden, so ist Kopplung die Federkonstante. "
    "Große Kopplungswerte bewirken also hohe Ausbreitungsgeschwindigkeiten. Die "
    "Standard-Kopplung gilt bis zum ersten Materialübergang.");
inline const QString Groesse = QStringLiteral(
    "Die Größe der Zitterbecken wird in Schwingern in x- und y-Richtung definiert. Je höher die "
    "Zahlen, desto genauer, aber auch langsamer wird die Simulation.");
inline const QString Label1 = QStringLiteral(
    "Wenn sich die Welle dem Rand der Wanne nähert, wird sie dort normalerweise reflektiert. Um "
    "der Simulation \"vorzugaukeln\", die Wanne sei eigentlich viel größer, kann die Welle mit "
    "Hilfe von Dämpfung an den Rändern auch \"verschluckt\" werden.");

// Wall
inline const QString Label6 = QStringLiteral("Wände können beliebig gedreht werden");
inline const QString Label7 = QStringLiteral("Länge der Wand in Schwingern");
inline const QString Label8 =
    QStringLiteral("Eine Wand kann durch Spalte unterbrochen werden. Hier kannst du die Anzahl "
                   "der Spalte einstellen.");
inline const QString Label9 = QStringLiteral("Die Breite der Spalte wird in Schwingern angegeben.");
inline const QString Label10 = QStringLiteral(
    "Der Spaltabstand wird in Schwingern angegeben. Wie im Physikunterricht üblich bedeutet "
    "Spaltabstand der Abstand zweier benachbarter Spalt-Mittelpunkte. Daher sollte der "
    "Spaltabstand größer als die Spaltbreiten sein!");
inline const QString Label18 = QStringLiteral(
    "Koordinaten des Schwingers, der der Schnittpunkt der Diagonalen der Fläche der Wand ist. Er "
    "ist Symmetriepunkt und Zentrum, wenn die Wand gedreht wird.");

// Screen
inline const QString Label14 = QStringLiteral(
    "Je nach Auswahl \"Horizontal\" oder \"Vertikal\" gibt dies die Position von links oder "
    "\"oben\" aus gesehen an. Ein Schirm geht immer über die Breite des gesamten Zitterbecken.");

// Material change
inline const QString Label11 = QStringLiteral("Gibt die Position des Materialübergangs an.");
inline const QString Label12 = QStringLiteral(
    "\"Hinter\" dem Materialübergang kann sich die Kopplung ändern. Die Kopplung ist die "
    "Federkonstante der Federn, die die Schwinger verbinden, wirkt sich also auf die "
    "Ausbreitungsgeschwindigkeit aus.");
inline const QString Label13 = QStringLiteral(
    "\"Hinter\" einem Materialübergang kann eine andere Dämpfung eingstellt werden. Die Dämpfung "
    "schwächt die Wellen, nimmt also Energie aus dem System.");

// Exciter
inline const QString Amplitude = QStringLiteral(
    "gibt an, wie hoch der Erreger schwingen soll. Es gibt keine Einheit. Die Prozentangabe ist "
    "bezogen auf den größten einstellbaren Wert.");
inline const QString Frequenz = QStringLiteral(
    "Die Simulationszeit ist die Zeit auf einem Standard-PC. Bei langsameren oder schnelleren PCs "
    "weicht sie von der \"echten\" Zeit ab. In derselben Simulationszeit, in Sekunden, zählen die "
    "Anzeige \"t =\", die Zeitachse der Messpunkte und die gespeicherten Messwerte; "
    "\"c ≈ … Schwinger/s\" ist die Geschwindigkeit der Wellen in Schwingern pro Sekunde.");
inline const QString Label19 = QStringLiteral(
    "Das Koordinatensystem beginnt links oben. Die Einheit ist 1 Schwinger (Knoten im Netz). Der "
    "Mittelpunkt ist der Punkt, der in der Mitte der Erreger-Fläche liegt. Er ist auch Symmetrie- "
    "und Dreh-Punkt.");
inline const QString Label29 = QStringLiteral(
    "Hier kannst du einstellen, ob die Schwinger der Erreger von ihren Nachbarn beeinflusst "
    "werden sollen. Meist ist der Standard (keine Beeinflussung, also Sinus-Auslenkung) "
    "empfehlenswert, bei 1-dimensionalen Wellenträgern oft aber nicht.");

inline const QString MesspunktPosition = QStringLiteral(
    "Der Schwinger, dessen Auslenkung während der Simulation aufgezeichnet wird. Das "
    "Koordinatensystem beginnt links oben, die Einheit ist 1 Schwinger.");
inline const QString MesspunktName = QStringLiteral(
    "Unter diesem Namen erscheint der Messpunkt in der Legende des Diagramms und als "
    "Spaltenüberschrift in den gespeicherten Messwerten; deren Spalte \"Zeit in s\" zählt in "
    "Sekunden Simulationszeit.");
inline const QString ProbePlot = QStringLiteral(
    "Die Auslenkung an den Messpunkten über die letzten Schwingungsdauern. Die Zeitachse zählt "
    "in Sekunden Simulationszeit, wie \"t =\" und die Schwingungsdauer T des Erregers (dort in "
    "ms); die Auslenkung hat keine Einheit. Zwei Kurven nebeneinander zeigen den "
    "Phasenunterschied der Messpunkte.");

// Moving and pulsed exciter
inline const QString Geschwindigkeit = QStringLiteral(
    "Mit einer Geschwindigkeit bewegt sich der Erreger ab dem Start der Simulation geradeaus, "
    "vx nach rechts, vy nach unten, in Schwingern pro Sekunde Simulationszeit (wie \"c ≈ … "
    "Schwinger/s\"). Am Rand des Beckens bleibt er stehen. Ist er langsamer als die Wellen, sind "
    "sie vor ihm kürzer und hinter ihm länger (Doppler-Effekt); ist er schneller, entsteht ein "
    "Kegel (Machscher Kegel).");
inline const QString Puls = QStringLiteral(
    "Ein Puls-Erreger schwingt nach dem Start nur einige Perioden lang, sanft an- und "
    "abschwellend, und ruht dann. So läuft ein einzelnes Wellenpaket durch das Becken. \"Puls "
    "auslösen\" startet die Pulse während der Simulation erneut.");

// Medium
inline const QString MediumForm = QStringLiteral(
    "Ein Medium ist ein Bereich mit eigener Kopplung und Dämpfung, als Rechteck, Ellipse oder "
    "Dreieck. Eine Ellipse mit kleinerer Kopplung wirkt wie eine Sammellinse, ein Dreieck wie "
    "ein Prisma.");
inline const QString MediumPosition = QStringLiteral(
    "Der Mittelpunkt des Mediums, um den es auch gedreht wird. Das Koordinatensystem beginnt "
    "links oben, die Einheit ist 1 Schwinger.");
inline const QString MediumGroesse = QStringLiteral(
    "Breite und Höhe des Mediums in Schwingern, entlang seiner eigenen (gedrehten) Achsen.");
inline const QString MediumWinkel = QStringLiteral(
    "Um diesen Winkel ist das Medium um seinen Mittelpunkt gedreht, in Grad, gegen den "
    "Uhrzeigersinn.");
inline const QString MediumKopplung = QStringLiteral(
    "Die Kopplung im Medium. Kleinere Kopplung heißt langsamere Wellen: An der Grenze werden "
    "die Wellen gebrochen, zum Lot hin, wenn sie ins langsamere Medium laufen.");
inline const QString MediumDaempfung =
    QStringLiteral("Die Dämpfung im Medium. Sie schwächt die Wellen, die hindurchlaufen.");

// Curved walls
inline const QString BogenMittelpunkt = QStringLiteral(
    "Der Mittelpunkt des Kreises, auf dem die Wand liegt. Wellen von diesem Punkt treffen die "
    "Wand überall senkrecht.");
inline const QString BogenRadius = QStringLiteral(
    "Der Radius des Kreises in Schwingern. Eine ebene Welle, die auf die hohle Seite trifft, "
    "sammelt der Bogen ungefähr im halben Radius vor der Wand.");
inline const QString BogenWinkel = QStringLiteral(
    "Die Wand reicht vom Anfangswinkel gegen den Uhrzeigersinn bis zum Endwinkel, in Grad, von "
    "der Richtung nach rechts aus gemessen.");
inline const QString WandDicke = QStringLiteral("Die Dicke der Wand in Schwingern.");
inline const QString Brennpunkt = QStringLiteral(
    "Der Brennpunkt der Parabel. Eine ebene Welle, die längs der Achse auf den Spiegel trifft, "
    "wird in diesen Punkt reflektiert.");
inline const QString Brennweite =
    QStringLiteral("Der Abstand vom Scheitel der Parabel zum Brennpunkt, in Schwingern.");
inline const QString Oeffnung = QStringLiteral(
    "In diese Richtung ist der Spiegel offen, in Grad, von der Richtung nach rechts aus gegen "
    "den Uhrzeigersinn gemessen.");
inline const QString ParabelBreite = QStringLiteral(
    "Die Öffnung des Spiegels quer zur Achse, in Schwingern. Bei der vierfachen Brennweite "
    "reichen seine Enden genau bis auf die Höhe des Brennpunkts.");

// Quiet edges
inline const QString RandArt = QStringLiteral(
    "Die dämpfenden Ränder (\"Stärke der Reflexion wählbar\") werfen einen Teil der Welle "
    "zurück, lange Wellen mehr als kurze; dabei können falsche Streifen entstehen. \"Kaum "
    "reflektierend\" nimmt die Welle in denselben Rändern allmählich auf: Bei 40 Schwingern "
    "Breite kommen weniger als 2 % der Amplitude zurück. Auch diese Ränder nehmen Platz im "
    "Becken ein.");

// The longer pages, for the menu "Information" and the help labels that lead to them.
inline const HelpPage kMesspunktePage{QStringLiteral("Messpunkte"),
                                      QStringLiteral("OH\\Messpunkte.rtf")};
inline const HelpPage kMausPage{QStringLiteral("Mit der Maus bearbeiten"),
                                QStringLiteral("OH\\MitDerMaus.rtf")};
inline const HelpPage kSteuerungPage{QStringLiteral("Steuerung und Menüs"),
                                     QStringLiteral("Einfuehrung\\SimulationsMenue.rtf")};
inline const HelpPage kBewegteErregerPage{QStringLiteral("Bewegte Erreger und Pulse"),
                                          QStringLiteral("OH\\BewegteErreger.rtf")};
inline const HelpPage kMedienPage{QStringLiteral("Medien"), QStringLiteral("OH\\Medien.rtf")};
inline const HelpPage kGebogeneWaendePage{QStringLiteral("Gebogene Wände"),
                                          QStringLiteral("OH\\GebogeneWaende.rtf")};
inline const HelpPage kRaenderPage{QStringLiteral("Ränder"), QStringLiteral("OH\\Raender.rtf")};
// The pages of the extended objects, in the menu's order.
inline const HelpPage kExtendedObjectPages[] = {kBewegteErregerPage, kMedienPage,
                                                kGebogeneWaendePage, kRaenderPage};

} // namespace zb::ui::help
