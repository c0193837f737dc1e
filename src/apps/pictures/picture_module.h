#pragma once
// The interface between `repeat-orbit` and its picture module,
// repeat-orbit-pictures.so, which holds every drawing the command makes with
// Qt. The command opens the module (dlopen) the first time a picture is
// asked for, so a command that only prints figures starts without loading
// Qt at all.
//
// The entry points have C linkage, so the command finds them by name
// (dlsym), and take no Qt type. They take the project's own Qt-free records
// as they are: the module is built from the same sources in the same build,
// which the interface's identity below confirms before any entry is used.
// Nothing is thrown across the boundary: each entry reports its outcome in
// a RepeatOrbitPictureStatus, which the command turns back into the one
// error type.

#include "analysis/swath_coverage.h"
#include "core/repeat_orbit_solver.h"
#include "map/ground_track_map.h"
#include "sun/sun_figures.h"

extern "C" {

// The file name of the module, beside the program or in its library folder.
#define REPEAT_ORBIT_PICTURES_FILE "repeat-orbit-pictures.so"

// The picture's file format.
enum RepeatOrbitPictureFormat { REPEAT_ORBIT_PICTURE_PNG = 0, REPEAT_ORBIT_PICTURE_SVG = 1 };

// How an entry ended. `outcome` is REPEAT_ORBIT_PICTURE_WRITTEN, or names
// what failed; for an orbit::OrbitError, `errorKind`, `requestInput` and
// `value` carry its kind, input and value as their enumerators' numbers.
// `message` is the error's text, cut to fit.
enum RepeatOrbitPictureOutcome {
    REPEAT_ORBIT_PICTURE_WRITTEN = 0,
    REPEAT_ORBIT_PICTURE_ORBIT_ERROR = 1,  // an orbit::OrbitError
    REPEAT_ORBIT_PICTURE_OTHER_ERROR = 2,  // any other exception: its what()
};
struct RepeatOrbitPictureStatus {
    int outcome;
    int errorKind;
    int requestInput;
    double value;
    char message[4096];
};

// What a ground track map shows and how large it is drawn.
struct RepeatOrbitMapRequest {
    int days;
    double swathKm;  // 0: none
    int widthPx;
    int heightPx;
    int hasNightAt;    // nonzero: day and night drawn at nightAtS
    double nightAtS;   // seconds after the design's epoch
};

// The interface's identity, REPEAT_ORBIT_PICTURES_IDENTITY (the interface's
// number and the project's version, set by the build for both sides). A
// module of another build is refused, since the records above are passed as
// the compiler laid them out for this one.
typedef const char* (*RepeatOrbitPicturesIdentity)(void);

typedef void (*RepeatOrbitWritePattern)(const orbit::DesignRecord* design, int format, const char* path, double scale,
                                        RepeatOrbitPictureStatus* status);
typedef void (*RepeatOrbitWriteCoverageChart)(const orbit::analysis::CoverageTable* table, const char* title,
                                              int format, const char* path, RepeatOrbitPictureStatus* status);
typedef void (*RepeatOrbitWriteSunChart)(const orbit::sun::SunFigures* figures, const char* title, int format,
                                         const char* path, RepeatOrbitPictureStatus* status);
typedef void (*RepeatOrbitWriteMap)(const world_map::MapDesign* design, const RepeatOrbitMapRequest* request,
                                    int format, const char* path, RepeatOrbitPictureStatus* status);

}  // extern "C"

// The entry points' names, as the command looks them up.
namespace orbit::pictures {
inline constexpr const char* kIdentityEntry = "repeat_orbit_pictures_identity";
inline constexpr const char* kPatternEntry = "repeat_orbit_write_pattern";
inline constexpr const char* kCoverageChartEntry = "repeat_orbit_write_coverage_chart";
inline constexpr const char* kSunChartEntry = "repeat_orbit_write_sun_chart";
inline constexpr const char* kMapEntry = "repeat_orbit_write_map";
}  // namespace orbit::pictures
