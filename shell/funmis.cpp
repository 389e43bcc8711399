#include "shell/funmis.h"

#include "platform/private_profile.h"
#include "shell/forms.h"
#include "shell/language.h"
#include "shell/settings.h"
#include "shell/unit_change.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace tarvello {

namespace {

// Texts of the units window beyond the classic ones.
constexpr int kFirstUnitsText = 215;
constexpr int kTemperatureText = kFirstUnitsText;      // "Temperature unit"
constexpr int kUnitSystemText = kFirstUnitsText + 1;   // "Unit system"
constexpr int kMetricText = kFirstUnitsText + 2;       // "Metric"
constexpr int kImperialText = kFirstUnitsText + 3;     // "Imperial (US)"

constexpr int kMetricSystem = 0;
constexpr int kImperialSystem = 1;

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

// The first unit of each family, taken when the other list changes family.
constexpr int kFirstPowerOfSystem[] = {PowerW, PowerKcal, PowerBtuH};
constexpr int kFirstWaterPressureOfSystem[] = {WaterKPa, WaterMH2O, WaterFtWg};

} // namespace

int powerUnitSystem(int powerIndex)
{
    switch (powerIndex) {
    case PowerKcal: return 1;
    case PowerBtuH:
    case PowerMBH:
    case PowerTons: return 2;
    default: return 0;
    }
}

int waterPressureUnitSystem(int waterPressureIndex)
{
    switch (waterPressureIndex) {
    case WaterMH2O: return 1;
    case WaterFtWg:
    case WaterPsi: return 2;
    default: return 0;
    }
}

Funmis::Funmis(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Funmis"));
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::loaded(this);
    setWindowTitle(Testo(72));

    lblSistema = namedLabel(this, "lblSistema", Testo(kUnitSystemText));
    auto* systems = new QButtonGroup(this);
    systems->setExclusive(false); // neither is checked for a mix of units
    const int systemTexts[2] = {kMetricText, kImperialText};
    for (int system = 0; system < 2; ++system) {
        optSistema[system] = new QRadioButton(Testo(systemTexts[system]), this);
        optSistema[system]->setObjectName(QStringLiteral("optSistema(%1)").arg(system));
        systems->addButton(optSistema[system], system);
    }
    lblPotenz = namedLabel(this, "lblPotenz", Testo(50));
    lbldpw = namedLabel(this, "lbldpw", Testo(45));
    lblQw = namedLabel(this, "lblQw", Testo(48));
    lblQa = namedLabel(this, "lblQa", Testo(49));
    lblpsu = namedLabel(this, "lblpsu", Testo(58));
    lblTemperatura = namedLabel(this, "lblTemperatura", Testo(kTemperatureText));
    cboPotenz = unitList(this, "cboPotenz");
    cboqw = unitList(this, "cboqw");
    cboqa = unitList(this, "cboqa");
    cboDpw = unitList(this, "cboDpw");
    cboDpA = unitList(this, "cboDpA");
    cboTemperatura = unitList(this, "cboTemperatura");
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblSistema, 0, 0);
    auto* systemRow = new QHBoxLayout;
    systemRow->addWidget(optSistema[kMetricSystem]);
    systemRow->addWidget(optSistema[kImperialSystem]);
    grid->addLayout(systemRow, 0, 1);
    const std::pair<QLabel*, QComboBox*> rows[] = {{lblPotenz, cboPotenz}, {lbldpw, cboDpw}, {lblQw, cboqw},
                                                   {lblQa, cboqa},         {lblpsu, cboDpA}, {lblTemperatura, cboTemperatura}};
    int row = 1;
    for (const auto& [label, list] : rows) {
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        ++row;
    }
    grid->addWidget(cmdOK, row, 1, Qt::AlignRight);

    connect(cboPotenz, &QComboBox::currentIndexChanged, this, &Funmis::cboPotenz_Click);
    connect(cboDpw, &QComboBox::currentIndexChanged, this, &Funmis::cboDpw_Click);
    for (QComboBox* list : {cboPotenz, cboqw, cboqa, cboDpw, cboDpA, cboTemperatura})
        connect(list, &QComboBox::currentIndexChanged, this, &Funmis::showSystemOfLists);
    connect(systems, &QButtonGroup::idClicked, this, &Funmis::optSistema_Click);
    connect(cmdOK, &QPushButton::clicked, this, &Funmis::cmdOK_Click);

    // Power is filled before the water pressure drop, so the saved pressure drop unit
    // decides the power unit the window opens with.
    fill(cboPotenz, UnitPt);
    fill(cboqw, UnitQw);
    fill(cboqa, UnitQa);
    fill(cboDpw, UnitDpW);
    fill(cboDpA, UnitDpA);
    fill(cboTemperatura, UnitT);
    showSystemOfLists();
    adjustSize();
    CentraForm(this);
    loading = false;
}

void Funmis::cboPotenz_Click()
{
    if (loading || cboPotenz->currentIndex() < 0)
        return;
    const int system = powerUnitSystem(cboPotenz->currentIndex());
    if (waterPressureUnitSystem(cboDpw->currentIndex()) != system)
        cboDpw->setCurrentIndex(kFirstWaterPressureOfSystem[system]);
}

void Funmis::cboDpw_Click()
{
    if (cboDpw->currentIndex() < 0)
        return;
    const int system = waterPressureUnitSystem(cboDpw->currentIndex());
    if (powerUnitSystem(cboPotenz->currentIndex()) != system)
        cboPotenz->setCurrentIndex(kFirstPowerOfSystem[system]);
}

void Funmis::optSistema_Click(int system)
{
    showUnits(system == kImperialSystem ? imperialUnits() : metricUnits());
    showSystemOfLists(); // a click on the checked option would otherwise clear it
}

UnitSelection Funmis::shownUnits() const
{
    const auto at = [](const QComboBox* list) { return static_cast<qint16>(std::max(list->currentIndex(), 0)); };
    return {at(cboPotenz), at(cboqa), at(cboqw), at(cboDpw), at(cboDpA), at(cboTemperatura)};
}

void Funmis::showUnits(const UnitSelection& units)
{
    cboPotenz->setCurrentIndex(units.power);
    cboDpw->setCurrentIndex(units.waterPressure);
    cboqw->setCurrentIndex(units.waterFlow);
    cboqa->setCurrentIndex(units.airFlow);
    cboDpA->setCurrentIndex(units.airPressure);
    cboTemperatura->setCurrentIndex(units.temperature);
}

// The switch shows the system the lists hold, or neither for a mix.
void Funmis::showSystemOfLists()
{
    const UnitSelection shown = shownUnits();
    optSistema[kMetricSystem]->setChecked(shown == metricUnits());
    optSistema[kImperialSystem]->setChecked(shown == imperialUnits());
}

void Funmis::copyIndexes()
{
    changeUnits(shownUnits());
}

void Funmis::cmdOK_Click()
{
    copyIndexes();
    const std::pair<const char*, const UnitChoice*> saved[] = {{"Pt", &UnitPt},   {"Qa", &UnitQa},
                                                               {"Qw", &UnitQw},   {"DpW", &UnitDpW},
                                                               {"DpA", &UnitDpA}, {"T", &UnitT}};
    // One write for the six units: one message, not six, when they cannot be saved.
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
