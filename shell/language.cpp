#include "shell/language.h"

#include "shell/app_state.h"
#include "shell/fmenu.h"
#include "shell/forms.h"
#include "shell/settings.h"
#include "shell/text_table.h"

namespace tarvello {

QString Testo(int offset)
{
    return textForLanguage(LangBase, offset);
}

qint16 languageBaseOf(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::Italian: return 100;
    case QLocale::French: return 500;
    case QLocale::German: return 700;
    case QLocale::Spanish: return 900;
    case QLocale::Polish: return 1100;
    default: return 300;
    }
}

void readLanguageSettings()
{
    const std::optional<qint16> saved = profileInteger(LeggiIni(QStringLiteral("Common"), QStringLiteral("Multi")));
    LangBase = saved && isLanguageBase(*saved) ? *saved : languageBaseOf(QLocale::system());
    LangCode = LeggiIni(QStringLiteral("Common"), QString::number(LangBase));
}

void ImpostaLingua()
{
    LangCode = LeggiIni(QStringLiteral("Common"), QString::number(LangBase));
    Forms::fmenu()->setCaptions();
}

} // namespace tarvello
