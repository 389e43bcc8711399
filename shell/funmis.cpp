#include "shell/funmis.h"

#include "platform/private_profile.h"
#include "shell/forms.h"
#include "shell/language.h"
#include "shell/settings.h"
#include "shell/units.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace tarvello {

namespace {

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QComboBox* unitList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setMinimumWidth(140);
    return list;
}

void fill(QComboBox* list, const UnitChoice& unit)
{
    list->addItems(unit.names);
    list->setCurrentIndex(unit.index >= 0 && unit.index < unit.names.size() ? unit.index : 0);
}

} // namespace

Funmis::Funmis(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Funmis"));
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::loaded(this);
    setWindowTitle(Testo(72));

    lblPotenz = namedLabel(this, "lblPotenz", Testo(50));
    lbldpw = namedLabel(this, "lbldpw", Testo(45));
    lblQw = namedLabel(this, "lblQw", Testo(48));
    lblQa = namedLabel(this, "lblQa", Testo(49));
    lblpsu = namedLabel(this, "lblpsu", Testo(58));
    cboPotenz = unitList(this, "cboPotenz");
    cboqw = unitList(this, "cboqw");
    cboqa = unitList(this, "cboqa");
    cboDpw = unitList(this, "cboDpw");
    cboDpA = unitList(this, "cboDpA");
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));

    auto* grid = new QGridLayout(this);
    const std::pair<QLabel*, QComboBox*> rows[] = {
        {lblPotenz, cboPotenz}, {lbldpw, cboDpw}, {lblQw, cboqw}, {lblQa, cboqa}, {lblpsu, cboDpA}};
    int row = 0;
    for (const auto& [label, list] : rows) {
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        ++row;
    }
    grid->addWidget(cmdOK, row, 1, Qt::AlignRight);

    connect(cboPotenz, &QComboBox::currentIndexChanged, this, &Funmis::cboPotenz_Click);
    connect(cboDpw, &QComboBox::currentIndexChanged, this, &Funmis::cboDpw_Click);
    connect(cmdOK, &QPushButton::clicked, this, &Funmis::cmdOK_Click);

    // Power is filled before the water pressure drop, so the saved pressure drop unit
    // decides the power unit the window opens with.
    fill(cboPotenz, UnitPt);
    fill(cboqw, UnitQw);
    fill(cboqa, UnitQa);
    fill(cboDpw, UnitDpW);
    fill(cboDpA, UnitDpA);
    adjustSize();
    CentraForm(this);
    loading = false;
}

void Funmis::cboPotenz_Click()
{
    if (loading)
        return;
    cboDpw->setCurrentIndex(cboPotenz->currentText() == QStringLiteral("W") ? 0 : 1);
}

void Funmis::cboDpw_Click()
{
    if (cboDpw->currentIndex() < 0)
        return;
    cboPotenz->setCurrentIndex(cboDpw->currentText() == QStringLiteral("kPa") ? 0 : 1);
}

void Funmis::copyIndexes()
{
    UnitPt.choose(cboPotenz->currentIndex());
    UnitQa.choose(cboqa->currentIndex());
    UnitQw.choose(cboqw->currentIndex());
    UnitDpW.choose(cboDpw->currentIndex());
    UnitDpA.choose(cboDpA->currentIndex());
}

void Funmis::cmdOK_Click()
{
    copyIndexes();
    const std::pair<const char*, const UnitChoice*> saved[] = {
        {"Pt", &UnitPt}, {"Qa", &UnitQa}, {"Qw", &UnitQw}, {"DpW", &UnitDpW}, {"DpA", &UnitDpA}};
    // One write for the five units: one message, not five, when they cannot be saved.
    QList<QPair<QString, QString>> keysAndValues;
    for (const auto& [key, unit] : saved)
        keysAndValues.append({QString::fromLatin1(key), profileNumberText(unit->index)});
    writeSettings(QStringLiteral("Unmis"), keysAndValues);
    Forms::unload(this);
}

void Funmis::closeEvent(QCloseEvent* event)
{
    copyIndexes();
    Forms::forget(this);
    event->accept();
}

} // namespace tarvello
