#include "shell/finfo.h"

#include "platform/shell_open.h"
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/open_failure.h"
#include "shell/language.h"
#include "shell/shell_services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvello {

namespace {

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* linkLabel(QWidget* parent, const char* name, const QString& address, const QString& shown)
{
    QLabel* label = namedLabel(parent, name);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(address, shown));
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(false);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

FInfo::FInfo()
{
    setObjectName(QStringLiteral("FInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::loaded(this);
    setWindowTitle(QString::fromLatin1(kProgramTitle));

    auto* layout = new QVBoxLayout(this);
    auto* logo = namedLabel(this, "imgLogo");
    logo->setPixmap(QIcon(QStringLiteral(":/shell/images/line_kx.svg")).pixmap(QSize(160, 120)));
    layout->addWidget(logo);

    lblDescri = namedLabel(this, "lblDescri", Testo(60) + QStringLiteral(" Tarvello"));
    QFont big = lblDescri->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblDescri->setFont(big);
    layout->addWidget(lblDescri);
    lblVer = namedLabel(this, "lblVer", QStringLiteral("VERSION ") + QString::fromLatin1(kVersionText));
    layout->addWidget(lblVer);

    layout->addWidget(namedLabel(this, "lblDitta", QStringLiteral("Tarvello Climate Systems")));
    layout->addWidget(namedLabel(this, "lblIndirizzo", QStringLiteral("Via dei Tigli 14 - 40100 Bologna")));
    layout->addWidget(namedLabel(this, "lblTelefono", QStringLiteral("Tel. +39 051 000 0000")));
    lblWeb = linkLabel(this, "lblWeb", kMakerWebAddress, QStringLiteral("www.tarvello.example"));
    lblMail = linkLabel(this, "lblMail", kMakerMailAddress, QStringLiteral("support@tarvello.example"));
    layout->addWidget(lblWeb);
    layout->addWidget(lblMail);
    connect(lblWeb, &QLabel::linkActivated, this, &FInfo::openLink);
    connect(lblMail, &QLabel::linkActivated, this, &FInfo::openLink);

    cmdfine = new QPushButton(Testo(30), this);
    cmdfine->setObjectName(QStringLiteral("cmdfine"));
    cmdfine->setVisible(false);
    connect(cmdfine, &QPushButton::clicked, this, [this] { Forms::unload(this); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdfine);
    buttons->addStretch();
    layout->addLayout(buttons);

    resize(420, 380);
    CentraForm(this);
}

void FInfo::showCloseButton(bool visible)
{
    cmdfine->setVisible(visible);
}

void FInfo::showAsSplash()
{
    showCloseButton(false);
    show();
    CentraForm(this);
    QApplication::processEvents();
}

void FInfo::openLink(const QString& address)
{
    const int code = documentOpener().openAddress(QUrl(address));
    if (!shellOpenSucceeded(code))
        reportAddressNotOpened(code, address);
}

void FInfo::closeEvent(QCloseEvent* event)
{
    Forms::forget(this);
    QDialog::closeEvent(event);
}

} // namespace tarvello
