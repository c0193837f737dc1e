#pragma once
// The published SGP4 verification cases (the 2006 revision's SGP4-VER.TLE
// and the reference figures tcppver.out made from it), as Debian's
// python3-sgp4 package installs them. Only the data files are read.

#include <string>
#include <vector>

namespace orbit::sgp4::testing {

struct VerificationTle {
    std::string line1, line2;  // the 69 columns of each line
    double startMin = 0, stopMin = 0, stepMin = 0;  // the range the case asks for
};

struct ReferenceState {
    double minutes = 0;
    double positionKm[3]{};
    double velocityKmS[3]{};
};

// Every case of SGP4-VER.TLE, in file order. Throws std::runtime_error when
// the file cannot be read.
std::vector<VerificationTle> ReadVerificationTles();

// The figures tcppver.out lists for the first block of catalogue number
// `catalog` (a number may appear in more than one block; `occurrence` picks).
std::vector<ReferenceState> ReadReferenceStates(int catalog, int occurrence = 0);

}  // namespace orbit::sgp4::testing
