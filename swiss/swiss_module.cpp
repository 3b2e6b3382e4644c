// The Swiss Ephemeris behind the module's C interface; see swiss_module.h.
//
// The library keeps its state (the ephemeris folder and its open files, the
// sidereal mode, caches of recent positions) in a global record. Debian
// builds it with that record thread-local, so each thread has its own: each
// thread then sets its own folder, and closes its own files when it ends. A
// build without thread-local state shares one record between threads; then
// every chart holds one lock. Which of the two, the library's own file tells:
// thread-local state gives it a thread-local storage segment.
#include "swiss/swiss_module.h"

#include <dlfcn.h>
#include <link.h>
#include <pthread.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include <swephexp.h>

#ifndef SARVEXA_SWISS_EPHE_DIR
#define SARVEXA_SWISS_EPHE_DIR "/usr/share/libswe/ephe"
#endif

namespace {

// The library's sidereal modes, keyed by the engine's Ayanamsa.
constexpr int kSiderealModes[SARVEXA_SWISS_AYANAMSA_COUNT] = {
    SE_SIDM_LAHIRI,       SE_SIDM_TRUE_CITRA, SE_SIDM_RAMAN,
    SE_SIDM_KRISHNAMURTI, SE_SIDM_YUKTESHWAR, SE_SIDM_FAGAN_BRADLEY};

// The seven bodies before the node, in the interface's order.
constexpr int kBodies[SARVEXA_SWISS_BODY_COUNT - 1] = {SE_SUN,     SE_MOON,  SE_MARS,  SE_MERCURY,
                                                       SE_JUPITER, SE_VENUS, SE_SATURN};

constexpr int kPositionFlags = SEFLG_SPEED | SEFLG_SIDEREAL;

// The library computes from JD 625000.5 to 2818000.5 (TT), with its
// analytical theory outside its files. Whole years well inside that:
// 1 January 3000 BC (Julian calendar) to 1 January AD 3001 (Gregorian), UT.
constexpr double kFirstJdUt = 625673.5;
constexpr double kEndJdUt = 2817152.5;

// Equal houses: the Ascendant is that of every house system, and unlike
// Placidus or Koch the system never fails near the poles.
constexpr int kHouseSystem = 'E';

// How the library's state is shared (see the file comment).
pthread_once_t gInitOnce = PTHREAD_ONCE_INIT;
bool gStatePerThread = false;
pthread_mutex_t gSharedLock = PTHREAD_MUTEX_INITIALIZER;
pthread_key_t gThreadEnd;

// The ephemeris folder last given to the library's state, per thread or shared.
thread_local char tFolder[SARVEXA_SWISS_TEXT_SIZE];
thread_local bool tFolderSet = false;
char gFolder[SARVEXA_SWISS_TEXT_SIZE];
bool gFolderSet = false;

void Copy(char* out, size_t size, const char* text) {
  if (size == 0) return;
  std::snprintf(out, size, "%s", text);
}

// Whether the loaded library has a thread-local storage segment.
bool LibraryStateIsPerThread() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&swe_calc_ut), &info) == 0 || !info.dli_fbase) return false;
  struct Search {
    const char* base;
    bool found;
    bool tls;
  } search{static_cast<const char*>(info.dli_fbase), false, false};
  dl_iterate_phdr(
      [](dl_phdr_info* object, size_t, void* data) -> int {
        Search& s = *static_cast<Search*>(data);
        bool holds = false, tls = false;
        for (int i = 0; i < object->dlpi_phnum; ++i) {
          const ElfW(Phdr)& ph = object->dlpi_phdr[i];
          const char* start = reinterpret_cast<const char*>(object->dlpi_addr + ph.p_vaddr);
          if (ph.p_type == PT_LOAD && s.base >= start && s.base < start + ph.p_memsz) holds = true;
          if (ph.p_type == PT_TLS && ph.p_memsz > 0) tls = true;
        }
        if (!holds) return 0;
        s.found = true;
        s.tls = tls;
        return 1;
      },
      &search);
  return search.found && search.tls;
}

// A thread that used the library closes the files its state holds open.
void CloseAtThreadEnd(void*) { swe_close(); }

void Init() {
  gStatePerThread = LibraryStateIsPerThread();
  if (gStatePerThread && pthread_key_create(&gThreadEnd, CloseAtThreadEnd) != 0) {
    gStatePerThread = false;  // no way to close a thread's files: share one state
  }
}

// Holds the shared lock when the library's state is shared.
class StateLock {
 public:
  StateLock() : held_(!gStatePerThread) {
    if (held_) pthread_mutex_lock(&gSharedLock);
  }
  ~StateLock() {
    if (held_) pthread_mutex_unlock(&gSharedLock);
  }
  StateLock(const StateLock&) = delete;
  StateLock& operator=(const StateLock&) = delete;

 private:
  bool held_;
};

// Gives the library the folder, unless its state already has it.
void UseFolder(const char* folder) {
  char* current = gStatePerThread ? tFolder : gFolder;
  bool& set = gStatePerThread ? tFolderSet : gFolderSet;
  if (set && std::strcmp(current, folder) == 0) return;
  swe_set_ephe_path(folder);
  if (gStatePerThread && !tFolderSet) pthread_setspecific(gThreadEnd, reinterpret_cast<void*>(1));
  Copy(current, SARVEXA_SWISS_TEXT_SIZE, folder);
  set = true;
}

// The file named in the library's "SwissEph file 'X' not found" message.
void NoteMissingFile(const char* message, SarvexaSwissChart* chart) {
  if (chart->missingFile[0]) return;
  const char* start = std::strstr(message, "file '");
  if (!start) return;
  start += 6;
  const char* end = std::strchr(start, '\'');
  if (!end) return;
  const size_t n = static_cast<size_t>(end - start) < SARVEXA_SWISS_TEXT_SIZE - 1
                       ? static_cast<size_t>(end - start)
                       : SARVEXA_SWISS_TEXT_SIZE - 1;
  std::memcpy(chart->missingFile, start, n);
  chart->missingFile[n] = '\0';
}

// One body, from the files where the library has them and from its
// analytical theory where not. A failure reported for the files is tried
// once more with the analytical theory alone: the library's own fallback
// fails for the true node under the True Chitra ayanamsa (2.10.03), while
// the analytical theory asked for directly computes it.
bool CalcBody(double jdUt, int body, int slot, SarvexaSwissChart* chart, char* error,
              size_t errorSize) {
  char message[AS_MAXCH] = "";
  double x[6] = {0, 0, 0, 0, 0, 0};
  int flags = swe_calc_ut(jdUt, body, SEFLG_SWIEPH | kPositionFlags, x, message);
  if (flags < 0) {
    message[0] = '\0';
    flags = swe_calc_ut(jdUt, body, SEFLG_MOSEPH | kPositionFlags, x, message);
  }
  if (flags < 0 || !std::isfinite(x[0]) || !std::isfinite(x[3])) {
    Copy(error, errorSize, message[0] ? message : "the Swiss Ephemeris could not compute a body");
    return false;
  }
  if (flags & SEFLG_MOSEPH) {
    chart->analytical = 1;
    NoteMissingFile(message, chart);
  } else if (body != SE_MEAN_NODE) {
    // The planets' file (number 0) or the Moon's (number 1), which the
    // library has just read from.
    const bool lunar = body == SE_MOON || body == SE_TRUE_NODE;
    char* file = lunar ? chart->moonFile : chart->planetFile;
    double start = 0, end = 0;
    int denum = 0;
    const char* path = swe_get_current_file_data(lunar ? 1 : 0, &start, &end, &denum);
    if (!file[0] && path) Copy(file, SARVEXA_SWISS_TEXT_SIZE, path);
  }
  chart->longitudeDeg[slot] = x[0];
  chart->speedDegPerDay[slot] = x[3];
  return true;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int sarvexa_swiss_interface_version(void) {
  return SARVEXA_SWISS_INTERFACE_VERSION;
}

__attribute__((visibility("default"))) void sarvexa_swiss_library_version(char* out, size_t size) {
  char version[AS_MAXCH] = "";
  swe_version(version);
  Copy(out, size, version);
}

__attribute__((visibility("default"))) void sarvexa_swiss_range(double* first, double* end) {
  *first = kFirstJdUt;
  *end = kEndJdUt;
}

__attribute__((visibility("default"))) int sarvexa_swiss_chart(const SarvexaSwissQuery* query,
                                                               SarvexaSwissChart* chart,
                                                               char* error, size_t errorSize) {
  pthread_once(&gInitOnce, Init);
  std::memset(chart, 0, sizeof *chart);
  // The library is not asked about a moment it cannot compute: it fails on
  // most, and a NaN crashes it.
  if (!(query->jdUt >= kFirstJdUt && query->jdUt < kEndJdUt)) {
    Copy(error, errorSize, "the Swiss Ephemeris computes the years 3000 BC to AD 3000 only");
    return 0;
  }
  if (!(std::fabs(query->latitudeDeg) <= 90.0) || !std::isfinite(query->eastLongitudeDeg)) {
    Copy(error, errorSize, "the latitude must lie within 90 degrees of the equator");
    return 0;
  }
  if (query->ayanamsa < 0 || query->ayanamsa >= SARVEXA_SWISS_AYANAMSA_COUNT) {
    Copy(error, errorSize, "unknown ayanamsa");
    return 0;
  }
  const char* folder =
      query->ephemerisDir && query->ephemerisDir[0] ? query->ephemerisDir : SARVEXA_SWISS_EPHE_DIR;
  if (std::strlen(folder) >= SARVEXA_SWISS_TEXT_SIZE) {
    Copy(error, errorSize, "the name of the ephemeris folder is too long");
    return 0;
  }
  // Longitudes beyond a turn mean the same place.
  double lon = std::fmod(query->eastLongitudeDeg, 360.0);
  if (lon > 180.0) lon -= 360.0;
  if (lon < -180.0) lon += 360.0;

  StateLock lock;
  UseFolder(folder);
  swe_set_sid_mode(kSiderealModes[query->ayanamsa], 0, 0);

  for (int slot = 0; slot < SARVEXA_SWISS_BODY_COUNT - 1; ++slot) {
    if (!CalcBody(query->jdUt, kBodies[slot], slot, chart, error, errorSize)) return 0;
  }
  if (!CalcBody(query->jdUt, query->meanNode ? SE_MEAN_NODE : SE_TRUE_NODE,
                SARVEXA_SWISS_BODY_COUNT - 1, chart, error, errorSize)) {
    return 0;
  }

  // The ayanamsa and the Ascendant with the ephemeris the bodies came from
  // (True Chitra's ayanamsa depends on it through the star's position).
  const int ephemeris = chart->analytical ? SEFLG_MOSEPH : SEFLG_SWIEPH;
  char message[AS_MAXCH] = "";
  double ayanamsa = 0;
  if (swe_get_ayanamsa_ex_ut(query->jdUt, ephemeris, &ayanamsa, message) < 0 ||
      !std::isfinite(ayanamsa)) {
    Copy(error, errorSize,
         message[0] ? message : "the Swiss Ephemeris could not compute the ayanamsa");
    return 0;
  }
  double cusps[13], angles[10];
  if (swe_houses_ex(query->jdUt, ephemeris | SEFLG_SIDEREAL, query->latitudeDeg, lon, kHouseSystem,
                    cusps, angles) < 0 ||
      !std::isfinite(angles[0])) {
    Copy(error, errorSize, "the Swiss Ephemeris could not compute the Ascendant");
    return 0;
  }
  chart->ayanamsaDeg = ayanamsa;
  chart->ascendantDeg = angles[0];
  return 1;
}

}  // extern "C"
