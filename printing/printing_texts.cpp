#include "printing/printing_texts.h"

#include "shell/app_state.h"

namespace tarvello {

namespace {

struct PrintingTexts {
    int offset;
    const char* texts[6]; // it, en, fr, de, es, pl
};

constexpr PrintingTexts kTexts[] = {
    {kTextSavePdf,
     {"Salva in PDF", "Save as PDF", "Enregistrer en PDF", "Als PDF speichern", "Guardar como PDF",
      "Zapisz jako PDF"}},
    {kTextSavePdfTitle,
     {"Salva la stampa in PDF", "Save the report as PDF", "Enregistrer le rapport en PDF",
      "Bericht als PDF speichern", "Guardar el informe como PDF", "Zapisz raport jako PDF"}},
    {kTextNoPrinterTitle,
     {"Nessuna stampante: salva la stampa in PDF", "No printer: save the report as PDF",
      "Aucune imprimante : enregistrer le rapport en PDF",
      "Kein Drucker: Bericht als PDF speichern",
      "Ninguna impresora: guardar el informe como PDF",
      "Brak drukarki: zapisz raport jako PDF"}},
    {kTextPdfFilter,
     {"Documenti PDF (*.pdf)", "PDF documents (*.pdf)", "Documents PDF (*.pdf)",
      "PDF-Dokumente (*.pdf)", "Documentos PDF (*.pdf)", "Dokumenty PDF (*.pdf)"}},
};

int languageIndex(int langBase)
{
    switch (langBase) {
    case 100: return 0;
    case 300: return 1;
    case 500: return 2;
    case 700: return 3;
    case 900: return 4;
    case 1100: return 5;
    default: return 1;
    }
}

} // namespace

QString printingTextForLanguage(int langBase, int offset)
{
    for (const PrintingTexts& entry : kTexts)
        if (entry.offset == offset)
            return QString::fromUtf8(entry.texts[languageIndex(langBase)]);
    return {};
}

QString printingText(int offset)
{
    return printingTextForLanguage(LangBase, offset);
}

} // namespace tarvello
