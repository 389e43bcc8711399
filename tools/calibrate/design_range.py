#!/usr/bin/env python3
"""Writes the design of the shipped range: the model rows of data/DatiKORVE.csv,
DatiMRZ.csv, DatiHJQ.csv (coil geometry, fan curves, sections, outlets, sound levels,
with starting coefficients), the accessory tables DPAcc.csv and DPAccHJQ.csv, and our
catalogue targets data/catalogue_targets.csv. The coefficients are then solved by
`calibrate calibrate` (the C++ tool beside this script, which rates with the engine).

Run by hand from the source tree:  python3 tools/calibrate/design_range.py
Design rules (inside the ranges field data gives for fan coils and ducted units):
- fan curve per speed p = A*Q^2 + C (Pa, m3/h), through the shut-off pressure C and the
  free delivery; slower speeds deliver r times the air and C*r^1.3 (fan coils) or C*r^1.6
  (ducted) of the pressure; the smallest fan coil still moves 150 m3/h at its lowest speed;
- coil face velocity 1.4 to 2.2 m/s (fan coils) or 2.2 to 2.6 m/s (ducted) at the top
  speed, 25 mm tube pitch; the ducted units are sized for 50 Pa external static pressure
  with the outlet plenum (line 1) at 4 m/s through its spigots;
- total cooling per m3/h of air at the top speed by family (6.0 to 6.6 W); slower speeds
  give r^0.8 of it; heating at 45/40 degC about 1.05 times cooling; the heating coil of a
  4-pipe unit at 70/60 degC 1.3 to 1.35 times its main coil's cooling (2-row coils of the
  fan coils, r^0.65 at slower speeds) or 0.9 to 0.95 times (1-row coils of the ducted units);
- sensible share 0.74 to 0.78 (3-row coils), 0.03 less for 4-row coils;
- water pressure drop at the top speed rising with the size (8 to 35 kPa fan coils, 12 to
  45 kPa ducted units; the whole number of circuits leaves the solved drop near it).
"""
import math
import os

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
DATA = os.path.join(ROOT, "data")
SPIGOT_AREA = 0.0314  # m2 per circular outlet


def num(value):
    """Shortest text of a value as the CSVs hold it."""
    text = ("%.6g" % value)
    return text


def lerp(a, b, x):
    return a + (b - a) * x


def fan_row(free_top, shutoff_top, ratios, exponent):
    """V1A,V1B,V1C,... for speeds with free delivery free_top*r and shut-off C*r^exponent."""
    cells = []
    for r in ratios:
        c = shutoff_top * r ** exponent
        q = free_top * r
        cells += [num(-c / q ** 2), "0", num(c)]
    return cells


# ---------------------------------------------------------------- line 0, fan coils
KX_RATIOS = [0.58, 0.78, 1.0]
KX_HEADER = ("Modello:Text(50),Geom:Integer,Passo:Integer,LunBat:Single,AltBAt:Single,NR:Single,NC:Single,"
             "V1A:Single,V1B:Single,V1C:Single,V2A:Single,V2B:Single,V2C:Single,V3A:Single,V3B:Single,V3C:Single,"
             "F1C100:Single,F1C30:Single,C1C30:Single,F2C100:Single,F2C30:Single,C2C30:Single,F3C100:Single,"
             "F3C30:Single,C3C30:Single,CC50:Single,LWA1:Single,LWA2:Single,LWA3:Single,LPA1:Single,LPA2:Single,"
             "LPA3:Single")

# family: name, sizes, top-speed free delivery m3/h, geometry (Geom, Passo, rows),
# heights by size group, W per m3/h, heating ratio, sound power at top speed (first, last)
KX_FAMILIES = [
    ("KXA", range(10, 100, 10), [260, 340, 430, 530, 640, 760, 890, 1030, 1180], (1, 2, 3),
     [175, 175, 175, 200, 200, 200, 225, 225, 225], 6.0, 1.05, (47, 60)),
    ("KXE", range(20, 110, 10), [300, 400, 510, 630, 760, 900, 1060, 1230, 1420], (2, 2, 3),
     [200, 200, 200, 225, 225, 225, 250, 250, 250], 6.2, 1.05, (48, 62)),
    ("KXH", range(20, 110, 10), [360, 480, 610, 750, 900, 1070, 1260, 1500, 1800], (3, 2, 4),
     [200, 200, 200, 225, 225, 225, 250, 250, 250], 6.6, 1.05, (49, 64)),
]
FOUR_PIPE_AIR = 0.94      # the extra coil of a 4-pipe unit costs some air
FOUR_PIPE_COOLING = 6.0   # W per m3/h, 3-row main coil
FOUR_PIPE_HEATING = 1.3  # 2-row heating coil at 70/60 against the main coil's cooling


def kx_models():
    rows, targets = [], []

    def add(name, geom, passo, rows_, height, free_top, i, n, lwa_range, cooling_per_m3h, heating_ratio,
            kind):
        x = i / (n - 1)
        velocity = lerp(1.3, 2.0, x)
        length = max(300, round(free_top / 3600 / velocity / (height / 1000) * 1000 / 10) * 10)
        shutoff = lerp(45, 80, x)
        lwa_top = lerp(*lwa_range, x)
        lwa = [lwa_top - 12 - 2 * x, lwa_top - 5 - x, lwa_top]
        lpa = [v - 9 for v in lwa]
        coeffs = ["0.12", "50", "50"] * 3
        rows.append([name, str(geom), str(passo), num(length), num(height), num(rows_), "2"]
                    + fan_row(free_top, shutoff, KX_RATIOS, 1.3) + coeffs + ["2"]
                    + [num(round(v)) for v in lwa] + [num(round(v)) for v in lpa])
        drop = lerp(8, 35, x) if kind != "coil" else lerp(6, 15, x)
        for s, r in enumerate(KX_RATIOS, start=1):
            cooling = free_top * cooling_per_m3h * r ** 0.8
            share = [0.74, 0.76, 0.78][s - 1] - (0.03 if rows_ >= 4 else 0)
            if kind == "two-pipe":
                targets.append([name, s, cooling, share, cooling * heating_ratio, drop if s == 3 else 0])
            elif kind == "main":
                targets.append([name, s, cooling, share, 0, drop if s == 3 else 0])
            else:
                # A heating coil with 60 K between water and air loses less at low air flow.
                # The smallest units carry a relatively larger heating coil.
                ratio = FOUR_PIPE_HEATING + 0.05 * max(0.0, 1 - 4 * x)
                heating = free_top * cooling_per_m3h * ratio * r ** 0.65
                targets.append([name, s, 0, 0, heating, drop if s == 3 else 0])

    for family, sizes, flows, (geom, passo, nr), heights, per_m3h, heating, lwa in KX_FAMILIES:
        for i, (size, flow) in enumerate(zip(sizes, flows)):
            add("%s %d" % (family, size), geom, passo, nr, heights[i], flow, i, len(flows), lwa, per_m3h, heating,
                "two-pipe")
    family, sizes, flows, _, heights, _, _, lwa = KX_FAMILIES[2]
    for i, (size, flow) in enumerate(zip(sizes, flows)):
        air = flow * FOUR_PIPE_AIR
        add("KXH %d+4P" % size, 3, 2, 3, heights[i], air, i, len(flows), lwa, FOUR_PIPE_COOLING, 0, "main")
        add("KXH %d 4P" % size, 1, 3, 2, heights[i], air, i, len(flows), lwa, FOUR_PIPE_COOLING, 0, "coil")
    return rows, targets


# ---------------------------------------------------------------- ducted lines
PLENUM = (1.2, 2.0)          # DPAcc row 2: outlet plenum, Pa = 1.2 v^2 through the spigots
ADDITIONAL_COIL = (4.0, 1.75)  # row 1: additional 1-row coil, Pa = 4 v^1.75 over the section
SPIGOT_VELOCITY = 4.0        # m/s at the nominal flow


def ducted_fan_top(nominal, shutoff, plenum_drop, esp=50.0):
    """Free delivery of the top speed so that the fan gives `esp` Pa plus the plenum at the nominal flow."""
    return nominal / math.sqrt(1 - (esp + plenum_drop) / shutoff)


def ducted_models(line):
    mrz = line == 1
    ratios = [0.62, 0.8, 1.0] if mrz else [0.55 + 0.075 * s for s in range(7)]
    if mrz:
        sizes = list(range(100, 1300, 100))
        nominal = [500 * 8 ** (i / 11) for i in range(12)]
        variants = {300, 600, 900, 1200}
        prefix, lwa_range, per_m3h, rows_, geom, passo = "KXR", (58, 74), 6.0, 3, 3, 2
        heights = [250 + 250 * i / 11 for i in range(12)]
        shutoffs = [lerp(180, 280, i / 11) for i in range(12)]
    else:
        sizes = list(range(15, 135, 10))
        nominal = [800 * (4300 / 800) ** (i / 11) for i in range(12)]
        variants = {45, 85, 125}
        prefix, lwa_range, per_m3h, rows_, geom, passo = "KXN", (62, 79), 6.4, 4, 1, 2
        heights = [300 + 250 * i / 11 for i in range(12)]
        shutoffs = [lerp(180, 300, i / 11) for i in range(12)]
    speeds = len(ratios)
    rows, targets = [], []
    for i, size in enumerate(sizes):
        x = i / 11
        q = nominal[i]
        height = round(heights[i] / 25) * 25
        velocity = lerp(2.0, 2.5, x)
        length = max(300, round(q / 3600 / velocity / (height / 1000) * 1000 / 10) * 10)
        face = length / 1000 * height / 1000
        section = round(min(0.9 * face, 0.48), 3)
        outlets = max(1, round(q / 3600 / (SPIGOT_AREA * SPIGOT_VELOCITY)))
        plenum = PLENUM[0] * (q / 3600 / (outlets * SPIGOT_AREA)) ** PLENUM[1] if mrz else 0
        free_top = ducted_fan_top(q, shutoffs[i], plenum)
        lwa_top = lerp(*lwa_range, x)
        lwa = [lwa_top - (9 if mrz else 15) * (1 - r) / (1 - ratios[0]) for r in ratios]
        cooling = q * per_m3h
        drop = lerp(12, 45, x)

        def row(name, g, p, nr, kind_cooling, kind_heating, drop_, share):
            rows.append([name, str(g), str(p), num(length), num(height), num(nr), "2"]
                        + fan_row(free_top, shutoffs[i], ratios, 1.6)
                        + ["0.12", "50", "50", "2", "2"]
                        + [num(round(v)) for v in lwa] + [num(section), str(outlets)])
            targets.append([name, speeds, kind_cooling, share, kind_heating, drop_])

        row("%s %d" % (prefix, size), geom, passo, rows_, cooling, cooling * 1.05, drop, 0.78 if mrz else 0.76)
        if size in variants:
            if mrz:
                row("%s %d DF" % (prefix, size), 3, 1, 2, 0, cooling * 0.95, lerp(10, 30, x), 0)
            main = q * (FOUR_PIPE_COOLING if mrz else 5.6)
            row("%s %d+4P" % (prefix, size), geom, passo, 3, main, 0, drop, 0.78)
            row("%s %d 4P" % (prefix, size), 1, 3, 1, 0, main * (0.95 if mrz else 0.9), lerp(8, 20, x), 0)
    return rows, targets


def header(line):
    if line == 0:
        return KX_HEADER
    speeds = 3 if line == 1 else 7
    cols = ["Modello:Text(50)", "Geom:Integer", "Passo:Integer", "LunBat:Single", "AltBAt:Single", "NR:Single",
            "NC:Single"]
    cols += ["V%d%s:Single" % (s, c) for s in range(1, speeds + 1) for c in "ABC"]
    cols += ["C100:Single", "FC30:Single", "CC30:Single", "FCC50:Single", "CCC50:Single"]
    cols += ["LWA%d:Single" % s for s in range(1, speeds + 1)]
    cols += ["Sezione:Single", "Bocche:Integer"]
    return ",".join(cols)


def write(name, head, rows):
    with open(os.path.join(DATA, name), "w") as f:
        f.write(head + "\n")
        for r in rows:
            f.write(",".join(r) + "\n")


def main():
    kx, kx_targets = kx_models()
    mrz, mrz_targets = ducted_models(1)
    hjq, hjq_targets = ducted_models(2)
    assert len(kx) == 45 and len(mrz) == 24 and len(hjq) == 18, (len(kx), len(mrz), len(hjq))
    write("DatiKORVE.csv", header(0), kx)
    write("DatiMRZ.csv", header(1), mrz)
    write("DatiHJQ.csv", header(2), hjq)
    accessories = [[num(ADDITIONAL_COIL[0]), num(ADDITIONAL_COIL[1]), "N"], [num(PLENUM[0]), num(PLENUM[1]), "S"]]
    write("DPAcc.csv", "Cost:Single,Espo:Single,OPZBoc:Text(50)", accessories)
    write("DPAccHJQ.csv", "Cost:Single,Espo:Single,OPZBoc:Text(50)", accessories)
    targets = []
    for name, speed, cooling, share, heating, drop in kx_targets + mrz_targets + hjq_targets:
        targets.append([name, str(speed), "%.0f" % cooling if cooling else "", "%.2f" % share if share else "",
                        "%.0f" % heating if heating else "", "%.1f" % drop if drop else ""])
    write("catalogue_targets.csv", "Modello,Speed,Cooling_W,SensibleShare,Heating_W,WaterDrop_kPa", targets)


if __name__ == "__main__":
    main()
