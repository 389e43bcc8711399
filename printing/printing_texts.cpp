#include "printing/printing_texts.h"

#include "shell/app_state.h"
#include "shell/text_table.h"

namespace tarvello {

QString printingTextForLanguage(int langBase, int offset)
{
    if (offset < kTextSavePdf || offset > kTextPdfFilter)
        return {};
    return textForLanguage(isLanguageBase(langBase) ? langBase : 300, offset);
}

QString printingText(int offset)
{
    return printingTextForLanguage(LangBase, offset);
}

} // namespace tarvello
