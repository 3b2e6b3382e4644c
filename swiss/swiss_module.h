// The Swiss Ephemeris (Debian's libswe), kept in a small module of its own
// (libsarvexa-swiss.so) that the program opens at the first chart cast with
// it, so that a run with the built-in theory never loads the library. The
// interface is plain C, like the zone module's: the module and a program
// carrying its own copy of the C++ runtime never pass a C++ object between
// them.
#pragma once

#include <stddef.h>

extern "C" {

/// The module's file name, and the version of this interface it implements.
#define SARVEXA_SWISS_MODULE_FILE "libsarvexa-swiss.so"
#define SARVEXA_SWISS_INTERFACE_VERSION 1

/// Ayanamsas, numbered as the engine's Ayanamsa: 0 Lahiri, 1 True Chitra,
/// 2 Raman, 3 Krishnamurti, 4 Yukteshwar, 5 Fagan-Bradley.
#define SARVEXA_SWISS_AYANAMSA_COUNT 6
/// Bodies, in the order Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn and
/// the ascending node (the chart's GrahaIndex 1..8).
#define SARVEXA_SWISS_BODY_COUNT 8
/// Room for a path or a message, the terminating NUL included.
#define SARVEXA_SWISS_TEXT_SIZE 256

/// One moment and place.
struct SarvexaSwissQuery {
  double jdUt;               // Julian Day, Universal Time
  double eastLongitudeDeg;   // geographic longitude, positive east
  double latitudeDeg;        // geographic latitude, positive north, -90..90
  int ayanamsa;              // 0..SARVEXA_SWISS_AYANAMSA_COUNT - 1
  int meanNode;              // 1 for the mean node, 0 for the true node
  const char* ephemerisDir;  // folder of the ephemeris files; NULL or "" for the packaged one
};

/// Apparent geocentric sidereal positions at that moment and place.
struct SarvexaSwissChart {
  double ayanamsaDeg;                               // the ayanamsa, nutation included
  double ascendantDeg;                              // sidereal Ascendant
  double longitudeDeg[SARVEXA_SWISS_BODY_COUNT];    // sidereal, 0 <= x < 360
  double speedDegPerDay[SARVEXA_SWISS_BODY_COUNT];  // in longitude, negative when retrograde
  int analytical;  // 1 when some body came from the library's analytical theory
  char planetFile[SARVEXA_SWISS_TEXT_SIZE];   // file of the planets, "" when none was read
  char moonFile[SARVEXA_SWISS_TEXT_SIZE];     // file of the Moon, "" when none was read
  char missingFile[SARVEXA_SWISS_TEXT_SIZE];  // a file looked for and not found, or ""
};

/// SARVEXA_SWISS_INTERFACE_VERSION of the module.
int sarvexa_swiss_interface_version(void);

/// The library's version ("2.10.03-deb1"), cut to `size` - 1 characters.
void sarvexa_swiss_library_version(char* out, size_t size);

/// The moments the module computes, as Julian Days (UT): from `first`
/// included to `end` excluded, the years 3000 BC to AD 3000.
void sarvexa_swiss_range(double* first, double* end);

/// Fills `chart` and returns 1, or returns 0 with a one-line reason in
/// `error`. May be called from several threads at once.
int sarvexa_swiss_chart(const SarvexaSwissQuery* query, SarvexaSwissChart* chart, char* error,
                        size_t errorSize);

}  // extern "C"
