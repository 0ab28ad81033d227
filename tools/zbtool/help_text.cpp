#include "help_text.h"

namespace zbtool {

const char* const kHelpText =
    R"(zbtool – das Zitterbecken ohne Fenster: Becken ansehen und Wellen berechnen

Aufruf:
  zbtool info BECKEN.zb
  zbtool simulate BECKEN.zb --steps N [Optionen]
  zbtool help
  zbtool --version

info
  Zeigt Größe, Ränder, Dämpfung und Kopplung des Beckens, den größten stabilen
  Zeitschritt, die Darstellung, mit der das Becken sich öffnet (wenn es eine
  eigene hat), und alle Objekte, auch die Messpunkte mit Lage und Farbe.

simulate
  Gibt das Becken so an die Simulation, wie das Programm es tut, schaltet die
  Erreger ein und berechnet N Zeitschritte.

  --steps N                Zahl der Zeitschritte (ganze Zahl ab 0); muss angegeben sein
  --dt DT                  Länge eines Zeitschritts in der Zeiteinheit der Rechnung
                           (Standard 0.0025, auch 0,0025); ein Schritt dauert
                           DT·25/π s Simulationszeit, beim Standard 0,0199 s;
                           höchstens 98 % der Stabilitätsgrenze √(2/(K·c)) mit
                           K = 10000/3 und c der größten Kopplung des Beckens (auch
                           der Materialübergänge), etwa 0,012 bei Kopplung 4 und
                           0,00876 bei 7,5; info nennt den Wert des Beckens
  --elongation-out DATEI   Auslenkungen aller Schwinger nach dem letzten Schritt:
                           NX·NY Werte float64 (little-endian), Reihenfolge i + j·NX;
                           eine leere Datei, wenn die Größe kein Becken ergibt
  --heights-csv DATEI      Höhen aller Schwinger: eine Kopfzeile „Y \ X“ mit den
                           Spalten X, dann NY Zeilen mit Y und je NX Werten
  --screens-csv DATEI      eine Kopfzeile „Richtung“, „Position“ und die
                           Schwinger entlang des längsten Schirms, dann je Schirm
                           eine Zeile: Richtung, Position (wie im Editor, ab 1)
                           und die Höhen entlang des Schirms oder „außerhalb des
                           Beckens“
  --intensity-csv DATEI    Mittelwert von Höhe² entlang jedes Schirms über die
                           Schritte K bis N: das Interferenzmuster; eine Spalte je
                           Schirm, ihr Kopf nennt „Mittelwert ab Schritt K“
  --average-from K         erster Schritt dieses Mittelwerts (Standard N/2; 0 nimmt
                           den Ruhezustand vor dem ersten Schritt mit)
  --png DATEI              Bild der Höhen von oben: blau unter, weiß auf, rot über der
                           Ruhelage, Wände schwarz, Erreger grün, violett, wo die
                           Höhe keine endliche Zahl ist; die Farben reichen bis
                           zur größten Auslenkung im Wasser und folgen ihrer Wurzel,
                           damit auch schwache Wellen zu sehen sind
  --scale S                Bildpunkte je Schwinger, 1 bis 64 (Standard: passend zur Größe)
  --probes-csv DATEI       Höhe an jedem Messpunkt nach jedem Schritt: eine Zeile je
                           Schritt mit Schritt, „Zeit in s“ (Simulationszeit, in der
                           ein Erreger T = 50000/Frequenz ms hat) und einer Spalte je
                           Messpunkt; erst die Messpunkte des Beckens, dann die von
                           --probe; ohne einen Messpunkt ein Fehler
  --probe X,Y              ein weiterer Messpunkt am Schwinger X,Y (ab 0 gezählt,
                           wie im Becken); mehrfach möglich, höchstens 8 Messpunkte
                           insgesamt; gilt nur zusammen mit --probes-csv
  --threads N              Zahl der Threads für die Zeitschritte, 1 oder 2 (Standard:
                           2, wenn der Rechner mindestens zwei Kerne hat); Becken
                           unter 300 × 300 Schwingern rechnen immer mit einem, und
                           das Ergebnis ist mit jeder Zahl bitgenau dasselbe
  --csv-format de|en       Form aller CSV-Dateien: en (Standard) trennt mit Komma
                           und schreibt Zahlen mit Dezimalpunkt, für Skripte;
                           de trennt mit Semikolon, schreibt ein Dezimalkomma und
                           beginnt mit einer UTF-8-Markierung (BOM), damit eine
                           deutsche Tabellenkalkulation jede Zahl als Zahl liest

  Zeilen und Spalten zählen in den Ausgaben ab 0 (im Programm zählen Schirme ab 1).
  CSV-Dateien haben eine Kopfzeile; ohne --csv-format de trennen sie mit Komma
  und schreiben Zahlen mit Dezimalpunkt. Was keine endliche Zahl ist, bleibt leer.
  Eine Ausgabedatei wird erst ersetzt, wenn sie vollständig geschrieben ist.
  Benannte Pipes und Geräte (etwa /dev/stdout) werden direkt beschrieben.
  Auf einem Terminal zeigt ein Balken den Fortschritt.

Rückgabewerte:
  0    alles erledigt
  1    falscher Aufruf, auch ein --dt über der Stabilitätsgrenze oder ein Becken,
       dessen Kopplung oder Dämpfung bei keinem --dt stabil bleibt
  2    die Beckendatei kann nicht gelesen werden
  3    eine Ausgabedatei kann nicht geschrieben werden
  4    sonstiger Fehler, etwa zu wenig Speicher
  5    die Rechnung wurde instabil: das Feld ist keine endliche Zahl mehr; die
       Ausgaben zeigen den Stand, an dem das bemerkt wurde
  130  mit Strg+C abgebrochen; keine Ausgabedatei wurde verändert
)";

const char* const kUsageText = R"(Aufruf: zbtool info BECKEN.zb
        zbtool simulate BECKEN.zb --steps N [Optionen]
Mehr dazu: zbtool --help
)";

} // namespace zbtool
