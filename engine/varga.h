#pragma once
// Divisional charts (vargas): every sign cut into n equal parts, each part
// assigned a sign; a body goes to the sign of the part that holds it.

#include <array>

#include "engine/horoscope.h"

namespace sarvexa {

/// Varga signs of the ten chart points, keyed by GrahaIndex.
using VargaSignArray = std::array<int, graha::kCount>;

/// Divisions shown on the screen page, in the order shown, with their names.
inline constexpr int kScreenDivisions[6] = {2, 3, 7, 8, 10, 12};
inline constexpr const char* kScreenDivisionNames[6] = {"Hora",     "Decante", "Saptamsa",
                                                        "Ashtamsa", "Dasamsa", "Dwadasmsa"};

/// Divisions printed on paper, in the order printed, with their names.
inline constexpr int kPrintDivisions[12] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 24};
inline constexpr const char* kPrintDivisionNames[12] = {
    "Hora",     "Decante", "Turyamsa", "Panchamsa",  "Shashtamsa", "Saptamsa",
    "Ashtamsa", "Navamsa", "Dasamsa",  "Ekadasamsa", "Dwadasmsa",  "Chaturvimsamsa"};

/// True for the supported division numbers 2..12 and 24.
bool IsSupportedDivision(int n);

/// Varga SignIndex (0..11) of one sidereal longitude in division n, or -1 for
/// an unsupported n. The longitude is reduced into 0 <= x < 360 first (a value
/// that is not finite counts as 0), so any input yields a valid sign.
int VargaSignOf(double longitudeDeg, int n);

/// Writes out[i] = varga sign of positions[i] for i = 0..9 in division n.
/// For any n other than 2..12 and 24 it writes nothing.
void VargaSigns(const Horoscope& h, VargaSignArray& out, int n);

/// The Rashi signs (0..11) of the ten chart points; a longitude that is not
/// finite counts as sign 0.
VargaSignArray RashiSignsOf(const Horoscope& chart);

/// The signs of the ten points in division `division` (2..12 or 24); for an
/// unsupported division the Rashi signs.
VargaSignArray DivisionalSigns(const Horoscope& chart, int division);

}  // namespace sarvexa
