#include "cli/picture_module_loader.h"

#include "core/orbit_error.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

namespace orbit::cli {

namespace {

constexpr const char* kModuleName = "the picture module " REPEAT_ORBIT_PICTURES_FILE;

OrbitError ModuleError(const std::string& text) { return OrbitError(ErrorKind::File, text); }

std::string DynamicLoaderError()
{
    const char* text = dlerror();
    return text ? text : "unknown reason";
}

// One entry point of `handle`, or nullptr. Casting the object pointer dlsym
// returns to a function pointer is what POSIX prescribes for it.
template <typename Entry>
Entry Find(void* handle, const char* name)
{
    return reinterpret_cast<Entry>(dlsym(handle, name));
}

// The module's entries from `handle` (RTLD_DEFAULT: the program itself),
// checked to be of this build; nullopt when `handle` holds no module.
std::optional<PictureModule> EntriesOf(void* handle, const std::string& shownAs)
{
    const auto identity = Find<RepeatOrbitPicturesIdentity>(handle, pictures::kIdentityEntry);
    if (!identity)
        return std::nullopt;
    const std::string found = identity();
    if (found != REPEAT_ORBIT_PICTURES_IDENTITY)
        throw ModuleError(std::string("Cannot use ") + kModuleName + " at " + shownAs + ": it is '" + found +
                          "', this program needs '" REPEAT_ORBIT_PICTURES_IDENTITY "'");
    PictureModule module;
    module.writePattern = Find<RepeatOrbitWritePattern>(handle, pictures::kPatternEntry);
    module.writeCoverageChart = Find<RepeatOrbitWriteCoverageChart>(handle, pictures::kCoverageChartEntry);
    module.writeSunChart = Find<RepeatOrbitWriteSunChart>(handle, pictures::kSunChartEntry);
    module.writeMap = Find<RepeatOrbitWriteMap>(handle, pictures::kMapEntry);
    if (!module.writePattern || !module.writeCoverageChart || !module.writeSunChart || !module.writeMap)
        throw ModuleError(std::string("Cannot use ") + kModuleName + " at " + shownAs +
                          ": it lacks an entry point of its interface");
    return module;
}

PictureModule Open(const std::filesystem::path& file)
{
    // Never closed: Qt, once started, is not made to be unloaded.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw ModuleError(std::string("Cannot load ") + kModuleName + ": " + DynamicLoaderError());
    std::optional<PictureModule> module = EntriesOf(handle, file.string());
    if (!module)
        throw ModuleError(std::string("Cannot use ") + file.string() + ": it is not " + kModuleName);
    return *module;
}

std::filesystem::path ProgramDir()
{
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed)
        throw ModuleError(std::string("Cannot find ") + kModuleName +
                          ": the program's own place is unknown (/proc/self/exe: " + failed.message() + ")");
    return program.parent_path();
}

PictureModule Load()
{
    if (std::optional<PictureModule> linkedIn = EntriesOf(RTLD_DEFAULT, "this program"))
        return *linkedIn;
    if (const char* chosen = std::getenv(kPictureModuleVariable); chosen && *chosen)
        return Open(chosen);
    const std::vector<std::filesystem::path> candidates = PictureModuleCandidates(ProgramDir());
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code failed;
        if (std::filesystem::exists(candidate, failed))
            return Open(candidate);
    }
    std::string text = std::string("Cannot find ") + kModuleName + ", which draws the pictures; looked for";
    for (std::size_t i = 0; i < candidates.size(); ++i)
        text += (i == 0 ? " " : " and ") + candidates[i].string();
    throw ModuleError(text);
}

}  // namespace

std::vector<std::filesystem::path> PictureModuleCandidates(const std::filesystem::path& programDir)
{
    return {programDir / REPEAT_ORBIT_PICTURES_FILE,
            (programDir / ".." / "lib" / "repeat-orbit" / REPEAT_ORBIT_PICTURES_FILE).lexically_normal()};
}

const PictureModule& LoadedPictureModule()
{
    static std::mutex guard;
    static std::optional<PictureModule> loaded;
    const std::lock_guard lock(guard);
    if (!loaded)
        loaded = Load();
    return *loaded;
}

void ThrowIfFailed(const RepeatOrbitPictureStatus& status)
{
    switch (status.outcome) {
    case REPEAT_ORBIT_PICTURE_WRITTEN:
        return;
    case REPEAT_ORBIT_PICTURE_ORBIT_ERROR: {
        const auto input = static_cast<RequestInput>(status.requestInput);
        if (input != RequestInput::None)
            throw OrbitError(input, status.value, status.message);
        throw OrbitError(static_cast<ErrorKind>(status.errorKind), status.message);
    }
    default:
        throw std::runtime_error(status.message);
    }
}

}  // namespace orbit::cli
