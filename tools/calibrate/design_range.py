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
- total cooling per m3/h and the sensible share follow the coil's face velocity: a slower
  face gives the air more time on the coil (more total cooling per m3/h, a lower sensible
  share), so the leaving air varies with coil depth and face velocity across a family;
- water pressure drop at the top speed on a smooth band rising with the size within each
  family (docs/product-data.md); the equivalent circuit count is solved to it;
- a "+4P" unit's fan works against its second coil too: its fan curves carry that coil's
  air resistance, so it moves less air than the 2-pipe unit at every external pressure.
The technical data of every model (data/DatiTecnici.csv: dimensions, weight, water
connections and content, fan power and current per speed, supply) follow from the same
design, inside the ranges of docs/product-data.md.
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


# Face velocity effect on the coil: per m/s above the family's middle velocity, this much
# less total cooling per m3/h and this much more sensible share.
VELOCITY_COOLING = 0.12
VELOCITY_SHARE = 0.05

# Water pressure drop band at the top speed (kPa), smallest to largest size of a family.
DROP_BAND = {
    "fan coil": (12.0, 30.0),
    "fan coil heating coil": (8.0, 16.0),
    "ducted": (20.0, 40.0),
    "ducted heating-only": (12.0, 28.0),
    "ducted heating coil": (8.0, 18.0),
}


def drop_on_band(kind, x):
    low, high = DROP_BAND[kind]
    return low * (high / low) ** x


def velocity_factors(velocity, middle):
    """(cooling per m3/h factor, sensible share change) for a coil face velocity."""
    return 1 - VELOCITY_COOLING * (velocity - middle), VELOCITY_SHARE * (velocity - middle)


def fan_row(free_top, shutoff_top, ratios, exponent, resistance=0.0):
    """V1A,V1B,V1C,... for speeds with free delivery free_top*r and shut-off C*r^exponent."""
    cells = []
    for r in ratios:
        c = shutoff_top * r ** exponent
        q = free_top * r
        cells += [num(-c / q ** 2 - resistance), "0", num(c)]
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
        drop = drop_on_band("fan coil" if kind != "coil" else "fan coil heating coil", x)
        face_velocity = free_top / 3600 / (length / 1000 * height / 1000)
        cooling_factor, share_change = velocity_factors(face_velocity, 1.65)
        for s, r in enumerate(KX_RATIOS, start=1):
            cooling = free_top * cooling_per_m3h * cooling_factor * r ** 0.8
            share = [0.74, 0.76, 0.78][s - 1] - (0.03 if rows_ >= 4 else 0) + share_change
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
        # The smallest ducted coils already give all their surface can at their slow face
        # (at least 300 mm long): they gain no cooling from it, only a lower sensible share.
        cooling_factor, share_change = velocity_factors(q / 3600 / face, 2.25)
        cooling_factor = min(cooling_factor, 1.0)
        cooling = q * per_m3h * cooling_factor
        drop = drop_on_band("ducted", x)

        def row(name, g, p, nr, kind_cooling, kind_heating, drop_, share, resistance=0.0):
            rows.append([name, str(g), str(p), num(length), num(height), num(nr), "2"]
                        + fan_row(free_top, shutoffs[i], ratios, 1.6, resistance)
                        + ["0.12", "50", "50", "2", "2"]
                        + [num(round(v)) for v in lwa] + [num(section), str(outlets)])
            targets.append([name, speeds, kind_cooling, share, kind_heating, drop_])

        share = (0.78 if mrz else 0.76) + share_change
        row("%s %d" % (prefix, size), geom, passo, rows_, cooling, cooling * 1.05, drop, share)
        if size in variants:
            if mrz:
                row("%s %d DF" % (prefix, size), 3, 1, 2, 0, cooling * 0.95, drop_on_band("ducted heating-only", x), 0)
            # The second coil's air resistance, as the additional coil's (accessory row 1)
            # over the section at the nominal flow, rides on every fan curve of the unit.
            coil_drop = ADDITIONAL_COIL[0] * (q / 3600 / section) ** ADDITIONAL_COIL[1]
            resistance = coil_drop / q ** 2
            plenum_per_q2 = plenum / q ** 2
            a_top = -shutoffs[i] / free_top ** 2
            q4 = math.sqrt((shutoffs[i] - 50.0) / (-a_top + resistance + plenum_per_q2))
            main = q4 * (FOUR_PIPE_COOLING if mrz else 5.6) * cooling_factor
            row("%s %d+4P" % (prefix, size), geom, passo, 3, main, 0, drop, (0.78 if mrz else 0.80) + share_change,
                resistance)
            row("%s %d 4P" % (prefix, size), 1, 3, 1, 0, main * (0.95 if mrz else 0.9),
                drop_on_band("ducted heating coil", x), 0)
    return rows, targets


# ---------------------------------------------------------------- technical data
TECHNICAL_HEADER = ("Modello:Text(50),Larghezza:Single,Altezza:Single,Profondita:Single,Peso:Single,"
                    "Attacco:Text(20),Attacco4P:Text(20),Contenuto:Single,Velocita:Integer,"
                    + ",".join("P%d:Single" % s for s in range(1, 8)) + ","
                    + ",".join("I%d:Single" % s for s in range(1, 8)) + ",Tensione:Text(30),FCEER:Single,FCCOP:Single")
TUBE_INNER_DIAMETER = 0.0094   # m, the coil constant of every line
TUBE_PITCH = 0.025             # m
SINGLE_PHASE = "230 V 1~ 50 Hz"
THREE_PHASE = "400 V 3N~ 50 Hz"
SINGLE_PHASE_LIMIT_W = 1100    # above this a ducted unit's motor is three-phase
# Fan coils: W per m3/h at the top speed (smallest, largest size) and the exponent of the
# speed ratio that gives the slower speeds' power (3-speed AC motors about 1.5, EC 2.3).
FAN_COIL_MOTORS = {"KXA": (0.125, 0.085, 1.5), "KXE": (0.10, 0.065, 1.6), "KXH": (0.048, 0.032, 2.3)}
# Ducted units: fan and motor efficiency (smallest, largest) and the speed exponent.
DUCTED_MOTORS = {"KXR": (0.2, 0.32, 2.0), "KXN": (0.3, 0.45, 2.5)}
WATER_SPECIFIC_HEAT = 1.163    # Wh/(l K)
# Gas thread of the water connections by the coil's nominal water flow (l/h).
CONNECTIONS = [(650, "G 1/2"), (1600, "G 3/4"), (3200, "G 1"), (5500, "G 1 1/4"), (1e9, "G 1 1/2")]


def connection(flow_lh):
    return next(size for limit, size in CONNECTIONS if flow_lh <= limit)


def water_content(length_mm, height_mm, rows):
    """Litres in the tubes of the coil and in its headers and bends (a fifth more)."""
    tubes = round(height_mm / 1000 / TUBE_PITCH * rows)
    tube_volume = math.pi / 4 * TUBE_INNER_DIAMETER ** 2 * tubes * length_mm / 1000 * 1000
    return tube_volume * 1.2 + 0.1


def motor_current(power_w, supply):
    """Running current of the fan motor, A (power factor 0.9 single-phase, 0.85 three-phase)."""
    if supply == SINGLE_PHASE:
        return power_w / (230 * 0.9)
    return power_w / (math.sqrt(3) * 400 * 0.85)


def technical_rows(design, targets, energy_of):
    """One row per model: the unit around its coil, its fan's power and current per speed;
    the energy indexes (solved with the coefficients by `calibrate calibrate`) kept from
    `energy_of`."""
    by_model = {}
    for name, speed, cooling, share, heating, drop in targets:
        by_model.setdefault(name, []).append((speed, cooling, heating))
    rows, unit_of = [], {}
    for line, row, ratios in design:
        name = row[0]
        length, height, nr = float(row[3]), float(row[4]), float(row[5])
        speeds = len(ratios)
        top = max(by_model[name])
        duty_w = top[1] if top[1] else top[2]
        delta_t = 10 if name.endswith(" 4P") and line == 0 else 5
        flow_lh = duty_w / (WATER_SPECIFIC_HEAT * delta_t)
        shutoff = float(row[7 + 3 * (speeds - 1) + 2])
        a_top = float(row[7 + 3 * (speeds - 1)])
        free_top = math.sqrt(shutoff / -a_top)
        if line == 0:
            # Cabinet fan coils: side panels beside the coil, the fan deck under it.
            width, tall, depth = length + 380, height + 330, 200 + 12 * nr
            weight = 6 + 0.018 * width + 1.2 * nr
            # Tangential fans, W per m3/h at the top speed falling with the size; KXH has
            # brushless (EC) motors, which also lose less at the slower speeds.
            small, large, exponent = FAN_COIL_MOTORS[name[:3]]
            top_power = free_top * lerp(small, large, min(1.0, (free_top - 250) / 1550))
        else:
            # Ducted units: fan section ahead of the coil; centrifugal fans against the
            # shut-off pressure's share the unit works at, the efficiency growing with size.
            width, tall, depth = length + 260, height + 130, 560 + 40 * nr
            weight = 10 + 110 * (width / 1000) * (tall / 1000) + 2.5 * nr
            small, large, exponent = DUCTED_MOTORS[name[:3]]
            efficiency = lerp(small, large, min(1.0, free_top / 5000))
            top_power = free_top / 3600 * shutoff * 0.55 / efficiency
            if name.endswith("+4P"):
                top_power *= 0.97   # the same motor moves a little less air
        if name.endswith("+4P"):
            # Its unit holds the heating coil too (2 rows in a fan coil, 1 in a ducted unit).
            heating_rows = 2 if line == 0 else 1
            depth += (12 if line == 0 else 40) * heating_rows
            weight += (1.2 if line == 0 else 2.5) * heating_rows
        if name.endswith(" 4P"):
            # The heating coil of a 4-pipe unit sits in the unit of its "+4P" row.
            width, tall, depth, weight, top_power = unit_of[name[:-3] + "+4P"]
        unit_of[name] = (width, tall, depth, weight, top_power)
        supply = SINGLE_PHASE if top_power <= SINGLE_PHASE_LIMIT_W else THREE_PHASE
        powers = [top_power * r ** exponent for r in ratios]
        currents = [motor_current(p, supply) for p in powers]
        blank = [""] * (7 - speeds)
        heating_connection = ""
        if name.endswith("+4P"):
            heating_connection = connection(flow_lh * 0.4)
        rows.append([name, num(round(width)), num(round(tall)), num(round(depth)), num(round(weight, 1)),
                     connection(flow_lh), heating_connection, num(round(water_content(length, height, nr), 2)),
                     str(speeds)]
                    + [num(round(p, 1)) for p in powers] + blank
                    + [num(round(i, 2)) for i in currents] + blank + [supply]
                    + energy_of.get(name, ["", ""]))
    return rows


def energy_indexes():
    """FCEER and FCCOP cells per model of the present data/DatiTecnici.csv."""
    path = os.path.join(DATA, "DatiTecnici.csv")
    if not os.path.exists(path):
        return {}
    with open(path) as f:
        lines = f.read().splitlines()
    names = [cell.split(":")[0] for cell in lines[0].split(",")]
    if "FCEER" not in names:
        return {}
    out = {}
    for line in lines[1:]:
        cells = line.split(",")
        out[cells[0]] = [cells[names.index("FCEER")], cells[names.index("FCCOP")]]
    return out


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
    design = ([(0, r, KX_RATIOS) for r in kx] + [(1, r, [0.62, 0.8, 1.0]) for r in mrz]
              + [(2, r, [0.55 + 0.075 * s for s in range(7)]) for r in hjq])
    write("DatiTecnici.csv", TECHNICAL_HEADER,
          technical_rows(design, kx_targets + mrz_targets + hjq_targets, energy_indexes()))


if __name__ == "__main__":
    main()
