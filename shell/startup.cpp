#include "shell/startup.h"

#include "platform/private_profile.h"
#include "shell/app_state.h"
#include "shell/finfo.h"
#include "shell/forms.h"
#include "shell/language.h"
#include "shell/message_sink.h"
#include "shell/shell_services.h"
#include "shell/units.h"

#include <QLocale>

namespace tarvello {

bool Main(const QString& programFolder, int screenWidthPx)
{
    DecimalSep = decimalSepOf(QLocale());
    AppDir = withTrailingSeparator(programFolder);
    // Temporary files of settings writes killed half-way would otherwise pile up.
    removeStaleProfileTemporaries(settingsFilePath());
    CaricaUnita();

    FInfo* splash = Forms::finfo();
    splash->showAsSplash();

    const QString databasePath = AppDir + QStringLiteral("tarvello.mdb");
    if (const std::optional<QString> failure = modelSource().open(databasePath, kModelDatabaseConnect)) {
        Forms::unload(splash);
        messages().critical(*failure, QString::fromLatin1(kProgramTitle));
        return false;
    }

    ImpostaLingua(); // the first use of the main window loads it with its chooser
    Forms::unload(splash);

    if (screenWidthPx < kMinimumScreenWidth)
        messages().critical(kScreenWarning, QString::fromLatin1(kProgramTitle));
    return true;
}

} // namespace tarvello
