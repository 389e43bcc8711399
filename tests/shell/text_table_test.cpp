#include "shell/text_table.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QString>

#include <algorithm>
#include <vector>

using namespace tarvello;

namespace {

constexpr int kItalian = 100;
constexpr int kEnglish = 300;
constexpr int kFrench = 500;
constexpr int kGerman = 700;
constexpr int kSpanish = 900;
constexpr int kPolish = 1100;
constexpr int kTranslatedBases[] = {kFrench, kGerman, kSpanish, kPolish};

// The offsets the Spanish and Polish sets have no text for.
const std::vector<int> kMissingInSpanishAndPolish = {28, 36, 38, 44, 47, 61,
                                                     73, 97, 98, 99, 114, 124};

bool missingInSpanishAndPolish(int offset)
{
    return std::find(kMissingInSpanishAndPolish.begin(), kMissingInSpanishAndPolish.end(),
                     offset)
           != kMissingInSpanishAndPolish.end();
}

bool hasOwnText(int langBase, int offset)
{
    return !((langBase == kSpanish || langBase == kPolish) && missingInSpanishAndPolish(offset));
}

QString text(int langBase, int offset)
{
    return textForLanguage(langBase, offset);
}

QString utf8(const char* s)
{
    return QString::fromUtf8(s);
}

struct ItalianEnglish {
    int offset;
    const char* italian;
    const char* english;
};

// The Italian and English texts as the program has always shown them, character for
// character: blanks, typos and access-key markers are part of them.
const ItalianEnglish kReferenceTexts[] = {
    {1, "Informazioni prodotti", "Product information"},
    {2, "&File", "File"},
    {3, "&Esci", "Exit"},
    {4, "&Unità di misura", "Unit of measure"},
    {5, "Accessori", "Accessories"},
    {6, "Opzioni", "Options"},
    {7, "Soluzioni", "Solutions"},
    {8, "Selezione modo", "Device Selection"},
    {9, "Aiuto", "Help"},
    {10, "Aiuto al programma", "Program help"},
    {11, "Modelli KXA KXE KXH", "Models KXA KXE KXH"},
    {12, "Polacco", "Polish"},
    {13, "Annulla", "Cancel"},
    {14, "Batteria addizionale 4 tubi", "4 pipe additional heat exchanger"},
    {15, "Calcola", "Calculate"},
    {16, "Cerca argomento", "Search subject"},
    {17, "Spagnolo", "Spanish"},
    {18, "Cliente", "Customer"},
    {19, "Copia", "Copy"},
    {20, "Copia l'immagine della sezione corrente per altre applicazioni",
     "Copy image of current section for other applications"},
    {21, "Dati di selezione", "Selection data"},
    {22, "Dato alternativo alla portata acqua", "Alternative datum for water flow"},
    {23, "Dato alternativo alla T. uscita acqua", "Alternative datum for water outlet temp."},
    {24, "Descrizione capitolato", "Specifications description"},
    {25, "Descrizioni", "Descriptions"},
    {26, "Dichiarazione di conformintà", "Declaration of conformity"},
    {27, "Fan Coil Selection", "Fan Coil Selection"},
    {28, "Esegui il calcolo", "Perform calculation"},
    {29, "Eurovent", "Eurovent"},
    {30, "Fine", "End"},
    {31, "Fine pagina", "End of page"},
    {32, "Imposta", "Set"},
    {33, "Imposta &stampante", "Set &Printer"},
    {34, "Info Tarvello", "Info Tarvello"},
    {35, "Info sistema", "Info System"},
    {36, "Informazioni sui prodotti", "Products details"},
    {37, "Intervallo approssimazione", "Approximation interval"},
    {38, "Linea &prodotto", "Line &product"},
    {39, "Marchio CE", "CE Marking"},
    {40, "Modello", "Model"},
    {41, "Modulo registrazione", "Registration form"},
    {42, "Orientamento pagina", "Page layout"},
    {43, "Orizzontale", "Horizontal"},
    {44, "Parametri di stampa descrizioni", "Description printing parameters"},
    {45, "Perdita di carico acqua", "Water pressure drop"},
    {46, "Più calcoli sulo stesso foglio", "Several calculation on the same sheet"},
    {47, "Poli", "Poles"},
    {48, "Portata acqua", "Water flow"},
    {49, "Portata aria", "Air flow"},
    {50, "Potenza", "Capacity"},
    {51, "Potenza richiesta", "Capacity required"},
    {52, "Potenza sensibile", "Sensible cooling capacity"},
    {53, "Potenza sonora", "Sound power"},
    {54, "Potenza temica", "Heating capacity"},
    {55, "Potenza totale ", "Total cooling capacity"},
    {56, "Pressione ", "Pressure"},
    {57, "Pressione sonora", "Sound pressure "},
    {58, "Pressione statica utile", "Useful static pressure"},
    {59, "Prodotto", "Product"},
    {60, "Programma di calcolo ", "Calculation program"},
    {61, "Proporzioni immagine", "Image size"},
    {62, "Raffreddamento", "Cooling"},
    {63, "Resistenza esterna lato aria", "External heating element-air side"},
    {64, "Riferimento", "Reference"},
    {65, "Riscaldamento", "Heating   "},
    {66, "Risultati calcolo", "Calculation results"},
    {67, "Ritorna al menu", "Return to menu"},
    {68, "Ritorno", "Return    "},
    {69, "Scelta lingua", "Selection language"},
    {70, "Scelta tipo di funzionamento", "Select type of operation "},
    {71, "Scelta tipo di stampa", "Select type of printing "},
    {72, "Scelta unita' di misura", "Select unit of measure"},
    {73, "Schema elettrico", "Wiring diagram"},
    {74, "Stampa", "Printing"},
    {75, "Sommario", "Summary"},
    {76, "Stampa di tutti i modelli", "Print all models"},
    {77, "Stampa finestra", "Print window"},
    {78, "Stampa il paragrafo corrente", "Print current paragraph"},
    {79, "Stampa solo modelli selezionati", "Print selected models only"},
    {80, "Temp.aria bulbo secco", "Dry bulb air temperature"},
    {81, "Temp.aria bulbo umido", "Wet bulb air temperature"},
    {82, "Temp.ingresso acqua", "Water inlet temperature"},
    {83, "Temp.ingresso aria", "Air inlet temperature"},
    {84, "Tutte", "All"},
    {85, "Umidità relativa", "Relative humidity"},
    {86, "Velocità funzionamento", "Operating speed"},
    {87, "Ventilconvettori KX", "KX fan coils"},
    {88, "Modelli KXR ", "Models KXR"},
    {89, "Verticale", "Vertical"},
    {90, "Italiano", "Italian"},
    {91, "Inglese", "English"},
    {92, "Francese", "French"},
    {93, "Tedesco", "German"},
    {94, "Temp.uscita acqua", "Water outlet temperature"},
    {95, "Perc.glicole", "Glycol  %"},
    {96, "Temp.uscita aria", "Air outlet temperature"},
    {97, "Altezza min installazione e diametro raggio azione",
     "Min.installation height and air cone diam."},
    {98, "Altezza max installazione e diametro raggio azione",
     "Max.installation height and air cone diam."},
    {99, "Dati descrittivi", "Description data"},
    {100, "Manca la temperatura entrata acqua", "Water inlet temp.not indicated"},
    {101, "Manca la temperatura uscita acqua", "Water outlet temp.not indicated    "},
    {102, "La temp. Uscita deve essere < di quella di ingresso",
     "Outlet temp must be< than inlet temp."},
    {103, "Il salto termico non può essere ", "DT cannot be "},
    {104, "Nessun apparecchio soddisfa i dati richiesti ", "No unit meets the requir.specified"},
    {105, "Manca la temperatura entrata aria", "Air inlet temperature not indicated"},
    {106, "Manca la percentuale di umidità", "Humidity % not indicated"},
    {107, "Occorre immettere la temp. uscita o la portata acqua",
     "Enter outlet temp.or water flow"},
    {108, "Il valore deve essere compreso tra ", "Values must be in the range"},
    {109, "viene impostato a ", "set to "},
    {110, "Il bulbo umido deve essere < del bulbo secco", "Wet bulb t. must be < than dry bulb t."},
    {111, "La temp. Uscita deve essere > di quella di ingresso",
     "Outlet temp must be> than inlet temp."},
    {112, "Errore di stampa o stampante non definita", "Print error or printer not defined"},
    {113, "Errore generico ", "Generic error"},
    {114, "Stampare per una migliore definizione", "Print for a best resolution"},
    {115, "Portata aria totale", "Total Air flow"},
    {116, "Perc.portata aria di ricircolo", "Return air ratio"},
    {117, "Temp.bulbo secco aria ricircolo", "Return air Dry bulb Temp. "},
    {118, "Temp.bulbo umido aria ricircolo", "Return air Wet bulb Temp. "},
    {119, "Umidità relativa aria ricircolo", "Return air Relative Humidity"},
    {120, "Perc.portata aria di rinnovo", "Fresh air ratio"},
    {121, "Temp.bulbo secco aria rinnovo", "Fresh air Dry bulb Temp. "},
    {122, "Temp.bulbo umido aria rinnovo", "Fresh air Wet bulb Temp. "},
    {123, "Umidità relativa aria rinnovo", "Fresh air Relative Humidity"},
    {124, "Unità temoventilanti MRZ", "MRZ Thermoventilating units"},
    {125, "Umidità rel.aria Uscita", "Delivery Air Rel.Humidity"},
    {126, "La % totale deve essere 100 !", "The % must be 100 "},
    {127, "Documentazione", "Documentation"},
    {128, "Modelli KXN ", "Models KXN"},
};

} // namespace

TEST(TextTable, LanguageBases)
{
    struct Case {
        int base;
        bool known;
    };
    const Case cases[] = {
        {100, true},  {300, true},  {500, true},   {700, true},  {900, true},
        {1100, true}, {0, false},   {-100, false}, {99, false},  {101, false},
        {200, false}, {301, false}, {1000, false}, {1300, false}, {2147483647, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isLanguageBase(c.base), c.known) << "base " << c.base;
}

TEST(TextTable, ItalianAndEnglishMatchTheReferenceForEveryOffset)
{
    ASSERT_EQ(std::size(kReferenceTexts), static_cast<size_t>(kClassicTextOffsets));
    for (int i = 0; i < kClassicTextOffsets; ++i) {
        const ItalianEnglish& ref = kReferenceTexts[i];
        ASSERT_EQ(ref.offset, i + 1);
        EXPECT_EQ(text(kItalian, ref.offset), utf8(ref.italian)) << "offset " << ref.offset;
        EXPECT_EQ(text(kEnglish, ref.offset), utf8(ref.english)) << "offset " << ref.offset;
    }
}

TEST(TextTable, SameOffsetSameMeaning)
{
    EXPECT_EQ(text(kItalian, 69), u"Scelta lingua");
    EXPECT_EQ(text(kEnglish, 69), u"Selection language");
}

TEST(TextTable, BlanksInsideTheQuotesAreKept)
{
    struct Case {
        int base, offset;
        const char* expected;
    };
    const Case cases[] = {
        {kItalian, 55, "Potenza totale "},
        {kEnglish, 65, "Heating   "},
        {kEnglish, 68, "Return    "},
        {kEnglish, 101, "Water outlet temp.not indicated    "},
        {kEnglish, 95, "Glycol  %"},
        {kItalian, 103, "Il salto termico non può essere "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(c.base, c.offset), utf8(c.expected)) << c.base << "+" << c.offset;
}

TEST(TextTable, UnknownBaseOrOffsetGivesEmpty)
{
    struct Case {
        int base, offset;
    };
    const Case cases[] = {
        {kItalian, 0},   {kItalian, kTextOffsets + 1}, {kItalian, -1}, {kPolish, kTextOffsets + 1},
        {kSpanish, 0},   {0, 1},          {200, 1},       {301, 69},
        {1300, 128},     {-300, 69},      {kEnglish, 100000},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(text(c.base, c.offset).isEmpty()) << c.base << "+" << c.offset;
}

TEST(TextTable, EveryLanguageHasATextForEveryOffset)
{
    for (int base : kLanguageBases) {
        for (int offset = 1; offset <= kTextOffsets; ++offset)
            EXPECT_FALSE(text(base, offset).trimmed().isEmpty()) << base << "+" << offset;
    }
}

TEST(TextTable, SpanishAndPolishFallBackToEnglishWhereTheyHaveNoText)
{
    for (int base : {kSpanish, kPolish}) {
        for (int offset : kMissingInSpanishAndPolish)
            EXPECT_EQ(text(base, offset), text(kEnglish, offset)) << base << "+" << offset;
    }
    EXPECT_EQ(text(kSpanish, 28), u"Perform calculation");
    EXPECT_EQ(text(kPolish, 124), u"MRZ Thermoventilating units");
}

// A translation equal to the Italian or the English text is almost always a line copied
// and never translated, or a line missing from the table (the English text then stands
// in). These are the words that are the same in two languages.
TEST(TextTable, TranslationsAreNotLeftUntranslated)
{
    struct SameWord {
        int base, offset;
    };
    const SameWord sameWords[] = {
        {kFrench, 29},   {kGerman, 29},  {kSpanish, 29}, {kPolish, 29}, // "Eurovent"
        {kFrench, 6},    {kFrench, 7},   {kFrench, 25},  {kFrench, 127}, // "Options", ...
        {kSpanish, 18},  {kSpanish, 90},                                 // "Cliente", "Italiano"
        {kSpanish, 43},  {kSpanish, 89},                                 // "Horizontal", "Vertical"
        {kPolish, 40},                                                   // "Model"
    };
    auto isSameWord = [&](int base, int offset) {
        return std::any_of(std::begin(sameWords), std::end(sameWords), [&](const SameWord& w) {
            return w.base == base && w.offset == offset;
        });
    };
    for (int base : kTranslatedBases) {
        for (int offset = 1; offset <= kTextOffsets; ++offset) {
            if (!hasOwnText(base, offset) || isSameWord(base, offset))
                continue;
            const QString translated = text(base, offset);
            EXPECT_NE(translated, text(kItalian, offset)) << base << "+" << offset;
            EXPECT_NE(translated, text(kEnglish, offset)) << base << "+" << offset;
        }
    }
}

// Each translation differs from every other language where a word must be translated:
// a block pasted under the wrong language would repeat another language's text.
TEST(TextTable, TranslatedLanguagesDifferFromEachOther)
{
    int sameAsFrench = 0;
    for (int offset = 1; offset <= kTextOffsets; ++offset) {
        if (text(kGerman, offset) == text(kFrench, offset))
            ++sameAsFrench;
    }
    EXPECT_LE(sameAsFrench, 2); // "Eurovent" and nothing or little else
    for (int offset = 1; offset <= kTextOffsets; ++offset) {
        if (!hasOwnText(kSpanish, offset) || offset == 29)
            continue;
        EXPECT_NE(text(kSpanish, offset), text(kPolish, offset)) << "offset " << offset;
    }
}

// Texts that the program continues with a number or a suffix ("Il valore deve essere
// compreso tra " + 18 ...; "Errore generico " + ": " + 13) end with a blank in every
// language that has one in Italian, so the joined message keeps its word spacing.
TEST(TextTable, ContinuedMessagesEndWithABlank)
{
    for (int offset : {103, 108, 109, 113}) {
        ASSERT_TRUE(text(kItalian, offset).endsWith(u' ')) << "offset " << offset;
        for (int base : kTranslatedBases) {
            const QString t = text(base, offset);
            EXPECT_TRUE(t.endsWith(u' ')) << base << "+" << offset;
            EXPECT_FALSE(t.endsWith(u"  ")) << base << "+" << offset;
        }
    }
}

TEST(TextTable, TranslationsHaveNoStrayBlanksOrControlCharacters)
{
    for (int base : kTranslatedBases) {
        for (int offset = 1; offset <= kTextOffsets; ++offset) {
            const QString t = text(base, offset);
            EXPECT_FALSE(t.startsWith(u' ')) << base << "+" << offset;
            EXPECT_FALSE(t.contains(u"  ")) << base << "+" << offset;
            EXPECT_FALSE(t.contains(u'"')) << base << "+" << offset;
            for (QChar c : t)
                EXPECT_GE(c.unicode(), 0x20) << base << "+" << offset;
        }
    }
}

// The access key letter of a menu caption ("&Esci" -> 'e'), or 0 without one.
QChar accessKey(const QString& caption)
{
    const qsizetype amp = caption.indexOf(u'&');
    if (amp < 0 || amp + 1 >= caption.size())
        return QChar();
    return caption.at(amp + 1).toLower();
}

TEST(TextTable, MenuEntriesKeepTheirAccessKeys)
{
    for (int base : kTranslatedBases) {
        for (int offset = 1; offset <= kTextOffsets; ++offset) {
            if (!hasOwnText(base, offset))
                continue;
            const QString t = text(base, offset);
            const bool italianHasKey = text(kItalian, offset).contains(u'&');
            EXPECT_EQ(t.count(u'&'), italianHasKey ? 1 : 0) << base << "+" << offset;
            if (italianHasKey) {
                EXPECT_TRUE(accessKey(t).isLetter()) << base << "+" << offset;
            }
        }
    }
}

// Entries of one menu need different keys, or the key only reaches the first of them.
TEST(TextTable, AccessKeysAreDistinctWithinAMenu)
{
    const QChar infoKey = u'i'; // "&Info" stands in the menu bar in every language
    for (int base : kLanguageBases) {
        EXPECT_NE(accessKey(text(base, 2)), infoKey) << "menu bar, base " << base;
        const QChar printerKey = accessKey(text(base, 33));
        const QChar exitKey = accessKey(text(base, 3));
        if (!printerKey.isNull() && !exitKey.isNull()) {
            EXPECT_NE(printerKey, exitKey) << "file menu, base " << base;
        }
    }
}

TEST(TextTable, ProductNamesStayAsTheyAre)
{
    struct Case {
        int offset;
        std::vector<const char*> names;
    };
    const Case cases[] = {
        {11, {"KXA", "KXE", "KXH"}}, {87, {"KX"}},  {88, {"KXR"}},
        {124, {"MRZ"}},              {128, {"KXN"}}, {34, {"Tarvello"}},
    };
    for (const auto& c : cases) {
        for (int base : kLanguageBases) {
            for (const char* name : c.names)
                EXPECT_TRUE(text(base, c.offset).contains(QLatin1String(name)))
                    << base << "+" << c.offset << " lacks " << name;
        }
    }
}

// The language window shows six names from offsets 90, 91, 92, 93, 17 and 12; each
// language calls itself by its own name and no two names are the same.
TEST(TextTable, LanguageNamesInEveryLanguage)
{
    const int nameOffsets[] = {90, 91, 92, 93, 17, 12};
    const char* const ownNames[] = {"Italiano", "English", "Français",
                                    "Deutsch",  "Español", "Polski"};
    for (int i = 0; i < 6; ++i) {
        const int base = kLanguageBases[i];
        EXPECT_EQ(text(base, nameOffsets[i]), utf8(ownNames[i])) << "base " << base;
        QSet<QString> names;
        for (int offset : nameOffsets)
            names.insert(text(base, offset));
        EXPECT_EQ(names.size(), 6) << "base " << base;
    }
}

TEST(TextTable, TranslatedTextsAreReadAsUtf8)
{
    struct Case {
        int base, offset;
        const char* expected;
    };
    const Case cases[] = {
        {kFrench, 82, "Temp. entrée eau"},
        {kGerman, 5, "Zubehör"},
        {kGerman, 81, "Feuchtkugeltemperatur Luft"},
        {kSpanish, 45, "Pérdida de carga agua"},
        {kPolish, 3, "&Zakończ"},
        {kPolish, 87, "Klimakonwektory KX"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(c.base, c.offset), utf8(c.expected)) << c.base << "+" << c.offset;
}
