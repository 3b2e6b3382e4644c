// The zone lookup, kept in a small module of its own (libsarvexa-zones.so)
// that the atlas opens at its first zone question. The date/tz library
// beneath it brings the shared C++ runtime with it: a program started only to
// cast a chart from typed coordinates, thousands of times from a script, then
// never loads either. The interface is plain C so that the module and a
// program carrying its own copy of the C++ runtime never pass a C++ object
// between them.
#pragma once

#include <stddef.h>

extern "C" {

/// The module's file name, and the version of this interface it implements.
#define SARVEXA_ZONES_MODULE_FILE "libsarvexa-zones.so"
#define SARVEXA_ZONES_INTERFACE_VERSION 2

/// One period of a zone's legal time.
struct SarvexaZonePeriod {
  int offsetSeconds;          // positive east
  int standardOffsetSeconds;  // the offset without saving
  int isDst;
  int longDst;  // saving held for more than a year: war or year-round time
  int isLocalMeanTime;
  char abbreviation[16];  // NUL-terminated, cut short if the database's is longer
};

/// What a local moment is in a zone.
struct SarvexaZoneAnswer {
  int kind;  // 0 unique, 1 in the spring-forward gap, 2 in the fall-back overlap
  SarvexaZonePeriod before;
  SarvexaZonePeriod after;  // for a gap or overlap only
};

/// SARVEXA_ZONES_INTERFACE_VERSION of the module.
int sarvexa_zones_interface_version(void);

/// Fills `answer` for the local moment in the named zone; returns 0 when the
/// database holds no zone of that name (or cannot be read), 1 otherwise. A
/// day the month lacks rolls into the next month.
int sarvexa_zone_at(const char* name, size_t nameLength, int year, int month, int day, int hour,
                    int minute, SarvexaZoneAnswer* answer);

/// Fills `period` with the period in force at `unixSeconds` (seconds since
/// 1970-01-01 00:00 UT) in the named zone; returns 0 when the database holds
/// no zone of that name (or cannot be read), 1 otherwise.
int sarvexa_zone_at_instant(const char* name, size_t nameLength, long long unixSeconds,
                            SarvexaZonePeriod* period);

/// Calls `each` with every zone name of the database, in the database's
/// order; nothing when it cannot be read.
void sarvexa_zone_names(void (*each)(void* context, const char* name), void* context);

}  // extern "C"
