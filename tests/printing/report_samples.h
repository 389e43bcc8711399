#pragma once
// Report sources shaped like the grids of the two selection windows, in Italian.

#include "printing/report_source.h"

namespace tarvello::testing {

// A KX cooling selection: ten columns (mark, model, eight values), three models of which
// the second and third are marked.
inline ReportSource kxCoolingSource()
{
    ReportSource source;
    source.routine = ReportRoutine::StampaKX;
    source.caption = QStringLiteral("KXA - KXE - KXH");
    source.inputRows = {
        {QStringLiteral("Temp. bulbo secco"), QStringLiteral("°C"), QStringLiteral("27")},
        {QStringLiteral("Temp. bulbo umido"), QStringLiteral("°C"), QStringLiteral("19")},
        {QStringLiteral("Umidità relativa"), QStringLiteral("%"), QStringLiteral("47")},
        {QStringLiteral("Temp. ingresso acqua"), QStringLiteral("°C"), QStringLiteral("7")},
        {QStringLiteral("Temp. uscita acqua"), QStringLiteral("°C"), QStringLiteral("12")},
        {QStringLiteral("Velocità"), QString(), QStringLiteral("Max")},
        {QStringLiteral("Potenza richiesta"), QStringLiteral("W"), QStringLiteral("2500")},
    };
    source.gridRows = {
        {"", "Modello", "Potenza totale ", "Potenza sensibile", "Portata acqua", "Perdita di carico acqua",
         "Portata aria", "Temp.uscita aria", "Potenza sonora", "Pressione sonora"},
        {"", "", "W", "W", "l/s", "kPa", "m³/h", "°C", "dB(A)", "dB(A)"},
        {"", "KXA 20", "2350", "1820", "0.112", "12.3", "340", "14.2", "45", "36"},
        {"S", "KXE 30", "2980", "2210", "0.142", "18.9 *", "420", "13.8", "48", "39"},
        {"S", "KXH 40", "3420", "2560", "0.163", "21.0", "515", "14.6", "51", "42"},
    };
    source.columnWidths = {200, 1200, 850, 850, 850, 850, 850, 850, 850, 850};
    source.columnAlignments = {kColumnAlignDefault, kColumnAlignDefault, kColumnAlignRight, kColumnAlignRight,
                               kColumnAlignRight,   kColumnAlignRight,   kColumnAlignRight, kColumnAlignRight,
                               kColumnAlignRight,   kColumnAlignRight};
    return source;
}

// A ducted heating selection with the water flow given.
inline ReportSource mrzHeatingSource()
{
    ReportSource source;
    source.routine = ReportRoutine::StampaMRZ;
    source.caption = QStringLiteral("KXR");
    source.inputRows = {
        {QStringLiteral("Pressione statica utile"), QStringLiteral("Pa"), QStringLiteral("50")},
        {QStringLiteral("Aria di ripresa"), QStringLiteral("%"), QStringLiteral("80")},
        {QStringLiteral("Temp. ingresso acqua"), QStringLiteral("°C"), QStringLiteral("45")},
    };
    source.gridRows = {
        {"", "Modello", "Potenza temica", "Temp.uscita acqua", "Perdita di carico acqua", "Portata aria",
         "Temp.uscita aria", "Potenza sonora"},
        {"", "", "W", "°C", "kPa", "m³/h", "°C", "dB(A)"},
        {"", "KXR 11", "5230", "40.1", "9.8", "820", "31.5", "58"},
        {"", "KXR 21", "7110", "39.4", "14.2", "1130", "32.0", "61"},
    };
    source.columnWidths = {200, 900, 900, 900, 900, 900, 900, 900};
    source.columnAlignments = {0, 0, 7, 7, 7, 7, 7, 7};
    return source;
}

} // namespace tarvello::testing
