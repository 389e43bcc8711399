#include "engine/coil_constants.h"

#include "engine/model_table.h"

namespace tarvello {

CoilConstants& coilConstants()
{
    static CoilConstants constants;
    return constants;
}

namespace {

void setCommonScalars(CoilConstants& c)
{
    c.LaminarCoeff = 1.86f;        // Sieder-Tate style laminar law
    c.LaminarExp = 0.33f;
    c.TurbulentCoeff = 0.023f;     // Dittus-Boelter
    c.ReynoldsExp = 0.8f;
    c.PrandtlExpHeating = 0.3f;
    c.PrandtlExpCooling = 0.33f;
    c.LogMeanFactor = 1.0f;
    c.BlasiusCoeff = 0.3164f;      // Blasius, smooth tubes
    c.TubePitch = 0.025f;
    c.BendLength = 0.3f;
    c.TubeInnerDiameter = 0.0094f;
    c.AirExpMultiRow = 0.47f;
}

void setGeometryExponents(CoilConstants& c)
{
    c.AirExpBase[1] = 0.32f;
    c.AirExpBase[2] = 0.65f;
    c.AirExpBase[3] = 0.3f;
    c.FinCountExp[2] = 0.6f;
    c.AirExpFinSlope[2] = -0.025f;
    c.RowExp[3] = -0.165f;
    c.AirExpRowExp[2] = 0.23f;
    c.AirExpRowExp[3] = -0.1f;
}

void setSurface(CoilConstants& c, int geom, int passo, float perRow, float ratio)
{
    c.SurfacePerRow[geom][passo] = perRow;
    c.SurfaceRatio[geom][passo] = ratio;
}

} // namespace

void ImpostaCoefficienti(int line, CoilConstants& c)
{
    setCommonScalars(c);
    setGeometryExponents(c);

    c.FinPitchTable[1] = 16;
    c.FinPitchTable[2] = 18;
    c.FinPitchTable[3] = 21;
    if (line != LineMRZ)
        c.FinPitchTable[4] = 25;

    // Surfaces every line has.
    setSurface(c, 1, 2, 21.76f, 18.44f);
    setSurface(c, 1, 3, 18.8f, 15.93f);
    setSurface(c, 2, 2, 21.76f, 18.44f);
    setSurface(c, 2, 3, 18.8f, 15.93f);
    setSurface(c, 3, 1, 28.85f, 24.8f);
    setSurface(c, 3, 2, 25.4f, 21.85f);
    setSurface(c, 3, 3, 21.95f, 18.9f);
    // Surfaces of one line only; they stay when another line is loaded later.
    if (line == LineHJQ)
        setSurface(c, 1, 4, 16.04f, 13.59f);
    if (line == LineKX)
        setSurface(c, 3, 4, 18.5f, 15.95f);
}

void ImpostaCoefficienti(int line)
{
    ImpostaCoefficienti(line, coilConstants());
}

} // namespace tarvello
