#include "tools/productdocs/document_texts.h"

namespace tarvello::productdocs {

namespace {

const QString kMaker = QStringLiteral("Tarvello Climate Systems");

DocumentTexts italian()
{
    DocumentTexts t;
    t.locale = "it_IT";
    t.maker = kMaker;
    t.subtitle = QStringLiteral("Ventilconvettori e unità canalizzabili ad acqua — rese alle condizioni nominali");
    t.rangeHeading = QStringLiteral("La gamma");
    t.lineSubtitle = {QStringLiteral("Ventilconvettori per impianti a due e a quattro tubi"),
                      QStringLiteral("Unità canalizzabili a tre velocità"),
                      QStringLiteral("Unità canalizzabili a sette velocità")};
    t.lineIntro = {
        QStringLiteral("I ventilconvettori KXA, KXE e KXH raffrescano e riscaldano gli ambienti con l’acqua "
                       "refrigerata o calda prodotta dalla centrale termofrigorifera. Un ventilatore a tre velocità "
                       "fa passare l’aria ambiente attraverso una batteria alettata ad acqua: alla velocità minima "
                       "l’unità segue il carico con grande silenziosità, alla massima eroga tutta la sua potenza. "
                       "I modelli KXH sono disponibili anche nella versione a quattro tubi: la batteria principale "
                       "(per esempio KXH 20+4P) è alimentata con acqua refrigerata, una batteria di riscaldamento "
                       "separata (per esempio KXH 20 4P) con acqua calda, così che l’ambiente sia servito da due "
                       "circuiti indipendenti."),
        QStringLiteral("Le unità KXR sono ventilconvettori canalizzabili da installare a scomparsa, di norma nel "
                       "controsoffitto, con mandata dell’aria negli ambienti tramite canali e bocchette. Il "
                       "ventilatore ha tre velocità e la sua curva caratteristica si confronta con la pressione "
                       "statica utile richiesta dalla rete di canali. La gamma comprende versioni per solo "
                       "riscaldamento (per esempio KXR 300 DF) e versioni a quattro tubi con batteria principale "
                       "(KXR 300+4P) e batteria di riscaldamento separata (KXR 300 4P). Le rese riportate si "
                       "riferiscono a una pressione statica utile di %1 Pa con il plenum di mandata montato."),
        QStringLiteral("Le unità KXN sono unità canalizzabili con ventilatore a sette velocità, che permette di "
                       "adattare con precisione la portata d’aria alle esigenze della rete di canali e degli "
                       "ambienti. Si installano a scomparsa e si collegano ai canali di mandata e di ripresa. Le "
                       "versioni a quattro tubi hanno una batteria principale (per esempio KXN 45+4P) e una "
                       "batteria di riscaldamento separata (KXN 45 4P), calcolata con la batteria aggiuntiva "
                       "montata. Le rese riportate si riferiscono a una pressione statica utile di %1 Pa."),
    };
    t.rangeSentence = QStringLiteral("%1 modelli, %2 velocità del ventilatore. Resa totale in raffreddamento da "
                                     "%3 W (%4) a %5 W (%6); resa in riscaldamento da %7 W (%8) a %9 W (%10).");
    t.conditionsHeading = QStringLiteral("Condizioni nominali");
    t.coolingConditions = QStringLiteral("Raffreddamento: aria in ingresso 27 °C a bulbo secco e 19 °C a bulbo "
                                         "umido; acqua in ingresso 7 °C, in uscita 12 °C.");
    t.heatingConditions = QStringLiteral("Riscaldamento: aria in ingresso 20 °C; acqua in ingresso 45 °C, in "
                                         "uscita 40 °C. Batterie di riscaldamento delle unità a quattro tubi: "
                                         "acqua in ingresso 70 °C, in uscita 60 °C.");
    t.fanCoilAirSide = QStringLiteral("Ventilconvettori: ventilatore a bocca libera (0 Pa di pressione statica).");
    t.ductedAirSide = QStringLiteral("Unità canalizzabili: pressione statica utile %1 Pa.");
    t.waterNote = QStringLiteral("Acqua pura, senza glicole.");
    t.variantsNote = QStringLiteral("Sigle dei modelli: KXH 20+4P batteria principale di un’unità a quattro tubi "
                                    "(solo raffreddamento); KXH 20 4P batteria di riscaldamento della stessa unità "
                                    "(solo riscaldamento); KXR 300 DF unità per solo riscaldamento.");
    t.readingNote = QStringLiteral("Rese in W, portata d’acqua in l/h, perdita di carico lato acqua in kPa, portata "
                                   "d’aria in m³/h; livello di potenza sonora LWA e, per i ventilconvettori, "
                                   "livello di pressione sonora LPA in dB(A).");
    t.dashNote = QStringLiteral("Un trattino indica una prestazione che il modello non fornisce a quella velocità.");
    t.sourceNote = QStringLiteral("Tutti i valori di questo documento sono calcolati dal motore di calcolo del "
                                  "programma di selezione Tarvello %1 a partire dal suo archivio modelli, con la "
                                  "stessa preparazione delle finestre di selezione. Per condizioni diverse "
                                  "selezionate le unità con il programma.");
    t.continued = QStringLiteral("(segue)");
    t.page = QStringLiteral("Pagina %1");
    t.model = QStringLiteral("Modello");
    t.speed = QStringLiteral("Velocità");
    t.airFlow = QStringLiteral("Portata aria");
    t.cooling = QStringLiteral("Raffreddamento");
    t.heating = QStringLiteral("Riscaldamento");
    t.sound = QStringLiteral("Rumore");
    t.total = QStringLiteral("Totale");
    t.sensible = QStringLiteral("Sensibile");
    t.waterFlow = QStringLiteral("Portata acqua");
    t.waterDrop = QStringLiteral("Δp acqua");
    t.water = QStringLiteral("Acqua");
    t.capacity = QStringLiteral("Resa");
    t.fanPower = QStringLiteral("Potenza ventilatore");
    t.unitDataHeading = QStringLiteral("Dati tecnici ed efficienza energetica");
    t.dimensions = QStringLiteral("L × A × P");
    t.weight = QStringLiteral("Peso");
    t.connection = QStringLiteral("Attacchi acqua");
    t.heatingConnection = QStringLiteral("Attacchi batteria caldo");
    t.waterContent = QStringLiteral("Contenuto acqua");
    t.supply = QStringLiteral("Alimentazione");
    t.current = QStringLiteral("Corrente max");
    t.energyNote = QStringLiteral("FCEER e FCCOP: rapporto tra la resa e la potenza assorbita dal ventilatore alle condizioni nominali, pesato sulle velocità minima, media e massima (0,4 / 0,4 / 0,2), con la classe energetica da A a G. Corrente alla velocità massima.");
    return t;
}

DocumentTexts english()
{
    DocumentTexts t;
    t.locale = "en_GB";
    t.maker = kMaker;
    t.subtitle = QStringLiteral("Water-fed fan coils and ducted units — ratings at standard conditions");
    t.rangeHeading = QStringLiteral("The range");
    t.lineSubtitle = {QStringLiteral("Fan coils for two-pipe and four-pipe systems"),
                      QStringLiteral("Ducted units with three fan speeds"),
                      QStringLiteral("Ducted units with seven fan speeds")};
    t.lineIntro = {
        QStringLiteral("The KXA, KXE and KXH fan coils cool and heat rooms with chilled or hot water from the "
                       "central plant. A three-speed fan draws room air through a finned water coil: at low speed "
                       "the unit follows the load quietly, at high speed it delivers its full capacity. The KXH "
                       "units are also built for four-pipe systems: the main coil (for example KXH 20+4P) carries "
                       "chilled water and a separate heating coil (for example KXH 20 4P) carries hot water, so "
                       "that the room is served from two independent circuits."),
        QStringLiteral("The KXR units are ducted fan coils for concealed installation, usually above a false "
                       "ceiling, supplying the rooms through ducts and grilles. The fan has three speeds and its "
                       "curve is matched against the external static pressure of the duct system. The range "
                       "includes heating-only versions (for example KXR 300 DF) and four-pipe versions with a main "
                       "coil (KXR 300+4P) and a separate heating coil (KXR 300 4P). The ratings below are at an "
                       "external static pressure of %1 Pa with the outlet plenum fitted."),
        QStringLiteral("The KXN units are ducted units with a seven-speed fan, so that the air flow can be set "
                       "closely to what the duct system and the rooms need. They are installed out of sight and "
                       "connected to supply and return ducts. The four-pipe versions have a main coil (for example "
                       "KXN 45+4P) and a separate heating coil (KXN 45 4P), rated with the additional coil fitted. "
                       "The ratings below are at an external static pressure of %1 Pa."),
    };
    t.rangeSentence = QStringLiteral("%1 models, %2 fan speeds. Total cooling capacity from %3 W (%4) to %5 W "
                                     "(%6); heating capacity from %7 W (%8) to %9 W (%10).");
    t.conditionsHeading = QStringLiteral("Standard rating conditions");
    t.coolingConditions = QStringLiteral("Cooling: entering air 27 °C dry bulb and 19 °C wet bulb; water entering "
                                         "at 7 °C, leaving at 12 °C.");
    t.heatingConditions = QStringLiteral("Heating: entering air 20 °C; water entering at 45 °C, leaving at 40 °C. "
                                         "Heating coils of four-pipe units: water entering at 70 °C, leaving at "
                                         "60 °C.");
    t.fanCoilAirSide = QStringLiteral("Fan coils: free blow (0 Pa static pressure).");
    t.ductedAirSide = QStringLiteral("Ducted units: external static pressure %1 Pa.");
    t.waterNote = QStringLiteral("Plain water, no glycol.");
    t.variantsNote = QStringLiteral("Model names: KXH 20+4P is the main coil of a four-pipe unit (cooling only); "
                                    "KXH 20 4P is the heating coil of the same unit (heating only); KXR 300 DF is a "
                                    "heating-only unit.");
    t.readingNote = QStringLiteral("Capacities in W, water flow in l/h, water pressure drop in kPa, air flow in "
                                   "m³/h; sound power level LWA and, for the fan coils, sound pressure level LPA "
                                   "in dB(A).");
    t.dashNote = QStringLiteral("A dash marks a duty that the model does not perform at that speed.");
    t.sourceNote = QStringLiteral("Every value in this document is computed by the rating engine of the "
                                  "selection program Tarvello %1 from its model database, with the same "
                                  "preparation as the selection windows. For other conditions, select the units "
                                  "with the program.");
    t.continued = QStringLiteral("(continued)");
    t.page = QStringLiteral("Page %1");
    t.model = QStringLiteral("Model");
    t.speed = QStringLiteral("Speed");
    t.airFlow = QStringLiteral("Air flow");
    t.cooling = QStringLiteral("Cooling");
    t.heating = QStringLiteral("Heating");
    t.sound = QStringLiteral("Sound");
    t.total = QStringLiteral("Total");
    t.sensible = QStringLiteral("Sensible");
    t.waterFlow = QStringLiteral("Water flow");
    t.waterDrop = QStringLiteral("Water Δp");
    t.water = QStringLiteral("Water");
    t.capacity = QStringLiteral("Capacity");
    t.fanPower = QStringLiteral("Fan power");
    t.unitDataHeading = QStringLiteral("Technical data and energy efficiency");
    t.dimensions = QStringLiteral("W × H × D");
    t.weight = QStringLiteral("Weight");
    t.connection = QStringLiteral("Water connections");
    t.heatingConnection = QStringLiteral("Heating coil connections");
    t.waterContent = QStringLiteral("Water content");
    t.supply = QStringLiteral("Power supply");
    t.current = QStringLiteral("Max current");
    t.energyNote = QStringLiteral("FCEER and FCCOP: capacity over fan power input at the standard conditions, weighted over the lowest, middle and top speed (0.4 / 0.4 / 0.2), with the energy class A to G. Current at the top speed.");
    return t;
}

DocumentTexts french()
{
    DocumentTexts t;
    t.locale = "fr_FR";
    t.maker = kMaker;
    t.subtitle = QStringLiteral("Ventilo-convecteurs et unités gainables à eau — puissances aux conditions "
                                "nominales");
    t.rangeHeading = QStringLiteral("La gamme");
    t.lineSubtitle = {QStringLiteral("Ventilo-convecteurs pour installations deux tubes et quatre tubes"),
                      QStringLiteral("Unités gainables à trois vitesses"),
                      QStringLiteral("Unités gainables à sept vitesses")};
    t.lineIntro = {
        QStringLiteral("Les ventilo-convecteurs KXA, KXE et KXH rafraîchissent et chauffent les locaux avec l’eau "
                       "glacée ou chaude produite par la centrale. Un ventilateur à trois vitesses fait passer "
                       "l’air de la pièce à travers une batterie à ailettes\u00a0: en petite vitesse l’appareil "
                       "suit la charge en toute discrétion, en grande vitesse il délivre toute sa puissance. Les "
                       "modèles KXH existent aussi en version quatre tubes\u00a0: la batterie principale (par "
                       "exemple KXH 20+4P) est alimentée en eau glacée, une batterie de chauffage séparée (par "
                       "exemple KXH 20 4P) en eau chaude, si bien que le local est desservi par deux circuits "
                       "indépendants."),
        QStringLiteral("Les unités KXR sont des ventilo-convecteurs gainables destinés à être encastrés, le plus "
                       "souvent en faux plafond, et soufflent l’air dans les locaux par des gaines et des grilles. "
                       "Le ventilateur a trois vitesses et sa courbe est confrontée à la pression statique "
                       "disponible exigée par le réseau de gaines. La gamme comprend des versions chauffage seul "
                       "(par exemple KXR 300 DF) et des versions quatre tubes avec batterie principale "
                       "(KXR 300+4P) et batterie de chauffage séparée (KXR 300 4P). Les puissances ci-dessous "
                       "s’entendent pour une pression statique disponible de %1 Pa, plénum de soufflage monté."),
        QStringLiteral("Les unités KXN sont des unités gainables à ventilateur sept vitesses, ce qui permet "
                       "d’ajuster finement le débit d’air aux besoins du réseau de gaines et des locaux. Elles "
                       "s’installent hors de vue et se raccordent aux gaines de soufflage et de reprise. Les "
                       "versions quatre tubes ont une batterie principale (par exemple KXN 45+4P) et une batterie "
                       "de chauffage séparée (KXN 45 4P), calculée avec la batterie additionnelle montée. Les "
                       "puissances ci-dessous s’entendent pour une pression statique disponible de %1 Pa."),
    };
    t.rangeSentence = QStringLiteral("%1 modèles, %2 vitesses de ventilation. Puissance frigorifique totale de "
                                     "%3 W (%4) à %5 W (%6)\u00a0; puissance calorifique de %7 W (%8) à %9 W (%10).");
    t.conditionsHeading = QStringLiteral("Conditions nominales");
    t.coolingConditions = QStringLiteral("Froid\u00a0: air entrant à 27 °C sec et 19 °C humide\u00a0; eau entrant "
                                         "à 7 °C, sortant à 12 °C.");
    t.heatingConditions = QStringLiteral("Chaud\u00a0: air entrant à 20 °C\u00a0; eau entrant à 45 °C, sortant à "
                                         "40 °C. Batteries de chauffage des unités quatre tubes\u00a0: eau entrant "
                                         "à 70 °C, sortant à 60 °C.");
    t.fanCoilAirSide = QStringLiteral("Ventilo-convecteurs\u00a0: soufflage libre (pression statique 0 Pa).");
    t.ductedAirSide = QStringLiteral("Unités gainables\u00a0: pression statique disponible %1 Pa.");
    t.waterNote = QStringLiteral("Eau pure, sans glycol.");
    t.variantsNote = QStringLiteral("Désignations\u00a0: KXH 20+4P est la batterie principale d’une unité quatre "
                                    "tubes (froid seul)\u00a0; KXH 20 4P la batterie de chauffage de la même unité "
                                    "(chaud seul)\u00a0; KXR 300 DF une unité chauffage seul.");
    t.readingNote = QStringLiteral("Puissances en W, débit d’eau en l/h, perte de charge côté eau en kPa, débit "
                                   "d’air en m³/h\u00a0; niveau de puissance acoustique LWA et, pour les "
                                   "ventilo-convecteurs, niveau de pression acoustique LPA en dB(A).");
    t.dashNote = QStringLiteral("Un tiret signale une fonction que le modèle n’assure pas à cette vitesse.");
    t.sourceNote = QStringLiteral("Toutes les valeurs de ce document sont calculées par le moteur de calcul du "
                                  "programme de sélection Tarvello %1 à partir de sa base de modèles, avec la même "
                                  "préparation que les fenêtres de sélection. Pour d’autres conditions, "
                                  "sélectionnez les unités avec le programme.");
    t.continued = QStringLiteral("(suite)");
    t.page = QStringLiteral("Page %1");
    t.model = QStringLiteral("Modèle");
    t.speed = QStringLiteral("Vitesse");
    t.airFlow = QStringLiteral("Débit d’air");
    t.cooling = QStringLiteral("Froid");
    t.heating = QStringLiteral("Chaud");
    t.sound = QStringLiteral("Acoustique");
    t.total = QStringLiteral("Totale");
    t.sensible = QStringLiteral("Sensible");
    t.waterFlow = QStringLiteral("Débit d’eau");
    t.waterDrop = QStringLiteral("Δp eau");
    t.water = QStringLiteral("Eau");
    t.capacity = QStringLiteral("Puissance");
    t.fanPower = QStringLiteral("Puissance ventilateur");
    t.unitDataHeading = QStringLiteral("Caractéristiques techniques et efficacité énergétique");
    t.dimensions = QStringLiteral("L × H × P");
    t.weight = QStringLiteral("Poids");
    t.connection = QStringLiteral("Raccords eau");
    t.heatingConnection = QStringLiteral("Raccords batterie chaude");
    t.waterContent = QStringLiteral("Contenance en eau");
    t.supply = QStringLiteral("Alimentation");
    t.current = QStringLiteral("Intensité max");
    t.energyNote = QStringLiteral("FCEER et FCCOP : rapport entre la puissance et la puissance absorbée par le ventilateur aux conditions nominales, pondéré sur les vitesses minimale, moyenne et maximale (0,4 / 0,4 / 0,2), avec la classe énergétique de A à G. Intensité à la vitesse maximale.");
    return t;
}

DocumentTexts german()
{
    DocumentTexts t;
    t.locale = "de_DE";
    t.maker = kMaker;
    t.subtitle = QStringLiteral("Wassergeführte Gebläsekonvektoren und Kanalgeräte — Leistungen bei "
                                "Nennbedingungen");
    t.rangeHeading = QStringLiteral("Das Programm");
    t.lineSubtitle = {QStringLiteral("Gebläsekonvektoren für Zwei- und Vierleitersysteme"),
                      QStringLiteral("Kanalgeräte mit drei Ventilatorstufen"),
                      QStringLiteral("Kanalgeräte mit sieben Ventilatorstufen")};
    t.lineIntro = {
        QStringLiteral("Die Gebläsekonvektoren KXA, KXE und KXH kühlen und heizen Räume mit Kalt- oder Warmwasser "
                       "aus der Zentrale. Ein dreistufiger Ventilator führt die Raumluft über einen berippten "
                       "Wasserwärmetauscher: In der kleinen Stufe folgt das Gerät der Last besonders leise, in der "
                       "großen Stufe gibt es seine volle Leistung ab. Die KXH-Geräte gibt es auch für "
                       "Vierleitersysteme: Der Hauptwärmetauscher (zum Beispiel KXH 20+4P) führt Kaltwasser, ein "
                       "getrenntes Heizregister (zum Beispiel KXH 20 4P) Warmwasser, sodass der Raum aus zwei "
                       "unabhängigen Kreisen versorgt wird."),
        QStringLiteral("Die KXR-Geräte sind Kanal-Gebläsekonvektoren für den verdeckten Einbau, meist über einer "
                       "abgehängten Decke; die Luft gelangt über Kanäle und Gitter in die Räume. Der Ventilator hat "
                       "drei Stufen, seine Kennlinie wird dem externen statischen Druck des Kanalnetzes "
                       "gegenübergestellt. Zum Programm gehören reine Heizgeräte (zum Beispiel KXR 300 DF) und "
                       "Vierleitergeräte mit Hauptwärmetauscher (KXR 300+4P) und getrenntem Heizregister "
                       "(KXR 300 4P). Die Leistungen unten gelten bei einem externen statischen Druck von %1 Pa "
                       "mit montiertem Ausblasplenum."),
        QStringLiteral("Die KXN-Geräte sind Kanalgeräte mit siebenstufigem Ventilator, sodass sich der Luftstrom "
                       "genau auf Kanalnetz und Räume abstimmen lässt. Sie werden unsichtbar eingebaut und an Zu- "
                       "und Abluftkanäle angeschlossen. Die Vierleitergeräte haben einen Hauptwärmetauscher (zum "
                       "Beispiel KXN 45+4P) und ein getrenntes Heizregister (KXN 45 4P), das mit montiertem "
                       "Zusatzregister berechnet wird. Die Leistungen unten gelten bei einem externen statischen "
                       "Druck von %1 Pa."),
    };
    t.rangeSentence = QStringLiteral("%1 Modelle, %2 Ventilatorstufen. Gesamtkühlleistung von %3 W (%4) bis %5 W "
                                     "(%6); Heizleistung von %7 W (%8) bis %9 W (%10).");
    t.conditionsHeading = QStringLiteral("Nennbedingungen");
    t.coolingConditions = QStringLiteral("Kühlen: Lufteintritt 27 °C trocken, 19 °C feucht; Wassereintritt 7 °C, "
                                         "Wasseraustritt 12 °C.");
    t.heatingConditions = QStringLiteral("Heizen: Lufteintritt 20 °C; Wassereintritt 45 °C, Wasseraustritt 40 °C. "
                                         "Heizregister der Vierleitergeräte: Wassereintritt 70 °C, Wasseraustritt "
                                         "60 °C.");
    t.fanCoilAirSide = QStringLiteral("Gebläsekonvektoren: frei ausblasend (0 Pa statischer Druck).");
    t.ductedAirSide = QStringLiteral("Kanalgeräte: externer statischer Druck %1 Pa.");
    t.waterNote = QStringLiteral("Reines Wasser ohne Glykol.");
    t.variantsNote = QStringLiteral("Modellbezeichnungen: KXH 20+4P ist der Hauptwärmetauscher eines "
                                    "Vierleitergeräts (nur Kühlen); KXH 20 4P das Heizregister desselben Geräts "
                                    "(nur Heizen); KXR 300 DF ein reines Heizgerät.");
    t.readingNote = QStringLiteral("Leistungen in W, Wasserstrom in l/h, wasserseitiger Druckverlust in kPa, "
                                   "Luftstrom in m³/h; Schallleistungspegel LWA und bei den Gebläsekonvektoren "
                                   "Schalldruckpegel LPA in dB(A).");
    t.dashNote = QStringLiteral("Ein Strich bedeutet, dass das Modell diese Leistung in der Stufe nicht erbringt.");
    t.sourceNote = QStringLiteral("Alle Werte dieses Dokuments berechnet das Auslegungsprogramm Tarvello %1 mit "
                                  "seinem Rechenkern aus seiner Modelldatenbank, mit derselben Vorbereitung wie in "
                                  "den Auswahlfenstern. Für andere Bedingungen wählen Sie die Geräte mit dem "
                                  "Programm aus.");
    t.continued = QStringLiteral("(Fortsetzung)");
    t.page = QStringLiteral("Seite %1");
    t.model = QStringLiteral("Modell");
    t.speed = QStringLiteral("Stufe");
    t.airFlow = QStringLiteral("Luftstrom");
    t.cooling = QStringLiteral("Kühlen");
    t.heating = QStringLiteral("Heizen");
    t.sound = QStringLiteral("Schall");
    t.total = QStringLiteral("Gesamt");
    t.sensible = QStringLiteral("Sensibel");
    t.waterFlow = QStringLiteral("Wasserstrom");
    t.waterDrop = QStringLiteral("Δp Wasser");
    t.water = QStringLiteral("Wasser");
    t.capacity = QStringLiteral("Leistung");
    t.fanPower = QStringLiteral("Ventilatorleistung");
    t.unitDataHeading = QStringLiteral("Technische Daten und Energieeffizienz");
    t.dimensions = QStringLiteral("B × H × T");
    t.weight = QStringLiteral("Gewicht");
    t.connection = QStringLiteral("Wasseranschlüsse");
    t.heatingConnection = QStringLiteral("Anschlüsse Heizregister");
    t.waterContent = QStringLiteral("Wasserinhalt");
    t.supply = QStringLiteral("Spannungsversorgung");
    t.current = QStringLiteral("Max. Stromaufnahme");
    t.energyNote = QStringLiteral("FCEER und FCCOP: Leistung bezogen auf die Leistungsaufnahme des Ventilators bei Nennbedingungen, gewichtet über die kleinste, mittlere und größte Stufe (0,4 / 0,4 / 0,2), mit der Energieeffizienzklasse A bis G. Stromaufnahme bei der größten Stufe.");
    return t;
}

DocumentTexts spanish()
{
    DocumentTexts t;
    t.locale = "es_ES";
    t.maker = kMaker;
    t.subtitle = QStringLiteral("Fancoils y unidades de conductos por agua — potencias en condiciones nominales");
    t.rangeHeading = QStringLiteral("La gama");
    t.lineSubtitle = {QStringLiteral("Fancoils para instalaciones de dos y cuatro tubos"),
                      QStringLiteral("Unidades de conductos de tres velocidades"),
                      QStringLiteral("Unidades de conductos de siete velocidades")};
    t.lineIntro = {
        QStringLiteral("Los fancoils KXA, KXE y KXH enfrían y calientan los locales con el agua fría o caliente "
                       "que produce la central. Un ventilador de tres velocidades hace pasar el aire del local por "
                       "una batería de aletas: en velocidad baja la unidad sigue la carga con gran discreción y en "
                       "velocidad alta entrega toda su potencia. Los modelos KXH se fabrican también para "
                       "instalaciones de cuatro tubos: la batería principal (por ejemplo KXH 20+4P) recibe agua "
                       "fría y una batería de calefacción independiente (por ejemplo KXH 20 4P) recibe agua "
                       "caliente, de modo que el local se atiende desde dos circuitos independientes."),
        QStringLiteral("Las unidades KXR son fancoils de conductos para instalación oculta, normalmente sobre un "
                       "falso techo, que impulsan el aire a los locales a través de conductos y rejillas. El "
                       "ventilador tiene tres velocidades y su curva se compara con la presión estática disponible "
                       "que exige la red de conductos. La gama incluye versiones solo calefacción (por ejemplo "
                       "KXR 300 DF) y versiones de cuatro tubos con batería principal (KXR 300+4P) y batería de "
                       "calefacción independiente (KXR 300 4P). Las potencias siguientes corresponden a una "
                       "presión estática disponible de %1 Pa con el plénum de impulsión montado."),
        QStringLiteral("Las unidades KXN son unidades de conductos con ventilador de siete velocidades, lo que "
                       "permite ajustar con precisión el caudal de aire a lo que necesitan la red de conductos y "
                       "los locales. Se instalan ocultas y se conectan a los conductos de impulsión y de retorno. "
                       "Las versiones de cuatro tubos tienen una batería principal (por ejemplo KXN 45+4P) y una "
                       "batería de calefacción independiente (KXN 45 4P), calculada con la batería adicional "
                       "montada. Las potencias siguientes corresponden a una presión estática disponible de %1 Pa."),
    };
    t.rangeSentence = QStringLiteral("%1 modelos, %2 velocidades de ventilador. Potencia frigorífica total de %3 W "
                                     "(%4) a %5 W (%6); potencia calorífica de %7 W (%8) a %9 W (%10).");
    t.conditionsHeading = QStringLiteral("Condiciones nominales");
    t.coolingConditions = QStringLiteral("Refrigeración: aire de entrada a 27 °C de bulbo seco y 19 °C de bulbo "
                                         "húmedo; agua de entrada a 7 °C y de salida a 12 °C.");
    t.heatingConditions = QStringLiteral("Calefacción: aire de entrada a 20 °C; agua de entrada a 45 °C y de "
                                         "salida a 40 °C. Baterías de calefacción de las unidades de cuatro tubos: "
                                         "agua de entrada a 70 °C y de salida a 60 °C.");
    t.fanCoilAirSide = QStringLiteral("Fancoils: descarga libre (presión estática 0 Pa).");
    t.ductedAirSide = QStringLiteral("Unidades de conductos: presión estática disponible %1 Pa.");
    t.waterNote = QStringLiteral("Agua sin glicol.");
    t.variantsNote = QStringLiteral("Denominaciones: KXH 20+4P es la batería principal de una unidad de cuatro "
                                    "tubos (solo refrigeración); KXH 20 4P, la batería de calefacción de la misma "
                                    "unidad (solo calefacción); KXR 300 DF, una unidad solo calefacción.");
    t.readingNote = QStringLiteral("Potencias en W, caudal de agua en l/h, pérdida de carga del agua en kPa, "
                                   "caudal de aire en m³/h; nivel de potencia sonora LWA y, en los fancoils, nivel "
                                   "de presión sonora LPA en dB(A).");
    t.dashNote = QStringLiteral("Un guion indica una prestación que el modelo no ofrece a esa velocidad.");
    t.sourceNote = QStringLiteral("Todos los valores de este documento los calcula el motor de cálculo del "
                                  "programa de selección Tarvello %1 a partir de su base de datos de modelos, con "
                                  "la misma preparación que las ventanas de selección. Para otras condiciones, "
                                  "seleccione las unidades con el programa.");
    t.continued = QStringLiteral("(continuación)");
    t.page = QStringLiteral("Página %1");
    t.model = QStringLiteral("Modelo");
    t.speed = QStringLiteral("Velocidad");
    t.airFlow = QStringLiteral("Caudal de aire");
    t.cooling = QStringLiteral("Refrigeración");
    t.heating = QStringLiteral("Calefacción");
    t.sound = QStringLiteral("Sonido");
    t.total = QStringLiteral("Total");
    t.sensible = QStringLiteral("Sensible");
    t.waterFlow = QStringLiteral("Caudal de agua");
    t.waterDrop = QStringLiteral("Δp agua");
    t.water = QStringLiteral("Agua");
    t.capacity = QStringLiteral("Potencia");
    t.fanPower = QStringLiteral("Potencia ventilador");
    t.unitDataHeading = QStringLiteral("Datos técnicos y eficiencia energética");
    t.dimensions = QStringLiteral("An × Al × Pr");
    t.weight = QStringLiteral("Peso");
    t.connection = QStringLiteral("Conexiones de agua");
    t.heatingConnection = QStringLiteral("Conexiones batería de calor");
    t.waterContent = QStringLiteral("Contenido de agua");
    t.supply = QStringLiteral("Alimentación");
    t.current = QStringLiteral("Corriente máx.");
    t.energyNote = QStringLiteral("FCEER y FCCOP: relación entre la potencia y la potencia absorbida por el ventilador en condiciones nominales, ponderada en las velocidades mínima, media y máxima (0,4 / 0,4 / 0,2), con la clase energética de A a G. Corriente a la velocidad máxima.");
    return t;
}

DocumentTexts polish()
{
    DocumentTexts t;
    t.locale = "pl_PL";
    t.maker = kMaker;
    t.subtitle = QStringLiteral("Wodne klimakonwektory i urządzenia kanałowe — wydajności w warunkach "
                                "nominalnych");
    t.rangeHeading = QStringLiteral("Oferta");
    t.lineSubtitle = {QStringLiteral("Klimakonwektory do instalacji dwururowych i czterorurowych"),
                      QStringLiteral("Urządzenia kanałowe z trzema biegami wentylatora"),
                      QStringLiteral("Urządzenia kanałowe z siedmioma biegami wentylatora")};
    t.lineIntro = {
        QStringLiteral("Klimakonwektory KXA, KXE i KXH chłodzą i ogrzewają pomieszczenia wodą lodową lub grzewczą "
                       "z centralnego źródła. Trzybiegowy wentylator przetłacza powietrze z pomieszczenia przez "
                       "lamelowy wymiennik wodny: na niskim biegu urządzenie cicho nadąża za obciążeniem, na "
                       "wysokim oddaje pełną moc. Modele KXH są dostępne także w wersji czterorurowej: wymiennik "
                       "główny (na przykład KXH 20+4P) zasilany jest wodą lodową, a oddzielna nagrzewnica (na "
                       "przykład KXH 20 4P) wodą grzewczą, dzięki czemu pomieszczenie obsługują dwa niezależne "
                       "obiegi."),
        QStringLiteral("Urządzenia KXR to kanałowe klimakonwektory do montażu ukrytego, zwykle nad sufitem "
                       "podwieszanym, nawiewające powietrze do pomieszczeń przez kanały i kratki. Wentylator ma "
                       "trzy biegi, a jego charakterystykę zestawia się ze sprężem dyspozycyjnym wymaganym przez "
                       "sieć kanałów. Oferta obejmuje wersje tylko do ogrzewania (na przykład KXR 300 DF) oraz "
                       "wersje czterorurowe z wymiennikiem głównym (KXR 300+4P) i oddzielną nagrzewnicą "
                       "(KXR 300 4P). Poniższe wydajności dotyczą sprężu dyspozycyjnego %1 Pa z zamontowaną "
                       "komorą nawiewną."),
        QStringLiteral("Urządzenia KXN to urządzenia kanałowe z siedmiobiegowym wentylatorem, który pozwala "
                       "dokładnie dopasować przepływ powietrza do potrzeb sieci kanałów i pomieszczeń. Montuje się "
                       "je w sposób ukryty i podłącza do kanałów nawiewnych i powrotnych. Wersje czterorurowe mają "
                       "wymiennik główny (na przykład KXN 45+4P) i oddzielną nagrzewnicę (KXN 45 4P), obliczaną z "
                       "zamontowanym wymiennikiem dodatkowym. Poniższe wydajności dotyczą sprężu dyspozycyjnego "
                       "%1 Pa."),
    };
    t.rangeSentence = QStringLiteral("%1 modeli, %2 biegów wentylatora. Całkowita wydajność chłodnicza od %3 W "
                                     "(%4) do %5 W (%6); wydajność grzewcza od %7 W (%8) do %9 W (%10).");
    t.conditionsHeading = QStringLiteral("Warunki nominalne");
    t.coolingConditions = QStringLiteral("Chłodzenie: powietrze wlotowe 27 °C termometru suchego i 19 °C "
                                         "termometru mokrego; woda na wlocie 7 °C, na wylocie 12 °C.");
    t.heatingConditions = QStringLiteral("Grzanie: powietrze wlotowe 20 °C; woda na wlocie 45 °C, na wylocie "
                                         "40 °C. Nagrzewnice urządzeń czterorurowych: woda na wlocie 70 °C, na "
                                         "wylocie 60 °C.");
    t.fanCoilAirSide = QStringLiteral("Klimakonwektory: swobodny wydmuch (spręż 0 Pa).");
    t.ductedAirSide = QStringLiteral("Urządzenia kanałowe: spręż dyspozycyjny %1 Pa.");
    t.waterNote = QStringLiteral("Czysta woda bez glikolu.");
    t.variantsNote = QStringLiteral("Oznaczenia: KXH 20+4P to wymiennik główny urządzenia czterorurowego (tylko "
                                    "chłodzenie); KXH 20 4P to nagrzewnica tego samego urządzenia (tylko grzanie); "
                                    "KXR 300 DF to urządzenie tylko do ogrzewania.");
    t.readingNote = QStringLiteral("Wydajności w W, przepływ wody w l/h, opór po stronie wody w kPa, przepływ "
                                   "powietrza w m³/h; poziom mocy akustycznej LWA oraz, dla klimakonwektorów, "
                                   "poziom ciśnienia akustycznego LPA w dB(A).");
    t.dashNote = QStringLiteral("Kreska oznacza funkcję, której model nie realizuje na danym biegu.");
    t.sourceNote = QStringLiteral("Wszystkie wartości w tym dokumencie oblicza silnik obliczeniowy programu "
                                  "doboru Tarvello %1 na podstawie jego bazy modeli, z takim samym "
                                  "przygotowaniem jak w oknach doboru. Dla innych warunków należy dobrać "
                                  "urządzenia w programie.");
    t.continued = QStringLiteral("(ciąg dalszy)");
    t.page = QStringLiteral("Strona %1");
    t.model = QStringLiteral("Model");
    t.speed = QStringLiteral("Bieg");
    t.airFlow = QStringLiteral("Przepływ powietrza");
    t.cooling = QStringLiteral("Chłodzenie");
    t.heating = QStringLiteral("Grzanie");
    t.sound = QStringLiteral("Akustyka");
    t.total = QStringLiteral("Całkowita");
    t.sensible = QStringLiteral("Jawna");
    t.waterFlow = QStringLiteral("Przepływ wody");
    t.waterDrop = QStringLiteral("Δp wody");
    t.water = QStringLiteral("Woda");
    t.capacity = QStringLiteral("Wydajność");
    t.fanPower = QStringLiteral("Moc wentylatora");
    t.unitDataHeading = QStringLiteral("Dane techniczne i efektywność energetyczna");
    t.dimensions = QStringLiteral("Szer. × wys. × gł.");
    t.weight = QStringLiteral("Masa");
    t.connection = QStringLiteral("Przyłącza wody");
    t.heatingConnection = QStringLiteral("Przyłącza nagrzewnicy");
    t.waterContent = QStringLiteral("Pojemność wodna");
    t.supply = QStringLiteral("Zasilanie");
    t.current = QStringLiteral("Prąd maks.");
    t.energyNote = QStringLiteral("FCEER i FCCOP: stosunek wydajności do mocy pobieranej przez wentylator w warunkach nominalnych, ważony po biegu najniższym, średnim i najwyższym (0,4 / 0,4 / 0,2), z klasą energetyczną od A do G. Prąd przy najwyższym biegu.");
    return t;
}

} // namespace

const DocumentTexts* textsForLanguage(int languageBase)
{
    static const DocumentTexts it = italian();
    static const DocumentTexts en = english();
    static const DocumentTexts fr = french();
    static const DocumentTexts de = german();
    static const DocumentTexts es = spanish();
    static const DocumentTexts pl = polish();
    switch (languageBase) {
    case 100: return &it;
    case 300: return &en;
    case 500: return &fr;
    case 700: return &de;
    case 900: return &es;
    case 1100: return &pl;
    default: return nullptr;
    }
}

} // namespace tarvello::productdocs
