#pragma once
// Finding and opening the picture module, repeat-orbit-pictures.so
// (pictures/picture_module.h), once, the first time a picture is asked for.

#include "pictures/picture_module.h"

#include <filesystem>
#include <vector>

namespace orbit::cli {

// The module's entry points, all found.
struct PictureModule {
    RepeatOrbitWritePattern writePattern = nullptr;
    RepeatOrbitWriteCoverageChart writeCoverageChart = nullptr;
    RepeatOrbitWriteSunChart writeSunChart = nullptr;
    RepeatOrbitWriteMap writeMap = nullptr;
};

// The environment variable that names the module to load instead of looking
// for it (for tests, and for running a program moved away from its module).
inline constexpr const char* kPictureModuleVariable = "REPEAT_ORBIT_PICTURES";

// Where the module is looked for, in order, for a program in `programDir`:
// beside it (the build tree's cli/ folder), then in ../lib/repeat-orbit/
// (the installed layout, bin/ beside lib/).
std::vector<std::filesystem::path> PictureModuleCandidates(const std::filesystem::path& programDir);

// The module, loaded on the first call and kept for the process's life.
// A program that has the pictures linked in (a test program) uses its own;
// otherwise the module is the one REPEAT_ORBIT_PICTURES names, or the first
// of PictureModuleCandidates that exists beside this program. Throws
// orbit::OrbitError of kind File naming what was tried when it cannot be
// found, opened, or is not of this build; a later call tries again.
const PictureModule& LoadedPictureModule();

// An entry's status as the one error type: returns when the picture was
// written, throws otherwise (an orbit::OrbitError as the module caught it).
void ThrowIfFailed(const RepeatOrbitPictureStatus& status);

}  // namespace orbit::cli
