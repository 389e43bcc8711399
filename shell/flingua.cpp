#include "shell/flingua.h"

#include "platform/private_profile.h"
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/fscelta.h"
#include "shell/language.h"
#include "shell/settings.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

namespace tarvello {

namespace {

// Text offsets of the language names, in language-number order.
constexpr int kLanguageNameOffsets[6] = {90, 91, 92, 93, 17, 12};
constexpr const char* kBadges[6] = {"it", "en", "fr", "de", "es", "pl"};

} // namespace

Flingua::Flingua(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Flingua"));
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::loaded(this);
    setWindowTitle(Testo(69));

    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 6; ++i) {
        Image1[i] = new QToolButton(this);
        Image1[i]->setObjectName(QStringLiteral("Image1(%1)").arg(i));
        Image1[i]->setIcon(QIcon(QStringLiteral(":/shell/images/lang_%1.svg").arg(QString::fromLatin1(kBadges[i]))));
        Image1[i]->setIconSize(QSize(56, 40));
        Image1[i]->setAutoRaise(true);
        Image1[i]->setCursor(Qt::PointingHandCursor);
        lblLingua[i] = new QLabel(Testo(kLanguageNameOffsets[i]), this);
        lblLingua[i]->setObjectName(QStringLiteral("lblLingua(%1)").arg(i));
        grid->addWidget(Image1[i], i / 2, (i % 2) * 2);
        grid->addWidget(lblLingua[i], i / 2, (i % 2) * 2 + 1);
        connect(Image1[i], &QToolButton::clicked, this, [this, i] { Image1_Click(i); });
    }
    adjustSize();
    CentraForm(this);
}

void Flingua::Image1_Click(int index)
{
    if (index < 0 || index > 5)
        return;
    LangBase = languageBaseOfNumber(index);
    ImpostaLingua();
    Forms::unloadAllExcept({QStringLiteral("Fmenu"), QStringLiteral("Flingua")});
    ScriviIni(QStringLiteral("Common"), QStringLiteral("Multi"), profileNumberText(LangBase));
    Forms::unload(this);
    Forms::fscelta()->show();
}

void Flingua::closeEvent(QCloseEvent* event)
{
    Forms::forget(this);
    event->accept();
}

} // namespace tarvello
