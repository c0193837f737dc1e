#include "verification_data.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orbit::sgp4::testing {

namespace {

std::ifstream Open(const std::string& name)
{
    const std::string path = std::string(SGP4_VERIFICATION_DIR) + "/" + name;
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot read " + path +
                                 ": the verification data come with Debian's python3-sgp4 (scripts/install-deps)");
    }
    return in;
}

}  // namespace

std::vector<VerificationTle> ReadVerificationTles()
{
    std::ifstream in = Open("SGP4-VER.TLE");
    std::vector<VerificationTle> cases;
    std::string line;
    std::string pendingLine1;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '1') {
            pendingLine1 = line.substr(0, 69);
        } else if (line[0] == '2' && !pendingLine1.empty()) {
            VerificationTle c;
            c.line1 = pendingLine1;
            c.line2 = line.substr(0, 69);
            std::istringstream range(line.substr(69));
            range >> c.startMin >> c.stopMin >> c.stepMin;
            if (!range) throw std::runtime_error("SGP4-VER.TLE: no time range after " + c.line2);
            cases.push_back(c);
            pendingLine1.clear();
        }
    }
    return cases;
}

std::vector<ReferenceState> ReadReferenceStates(int catalog, int occurrence)
{
    std::ifstream in = Open("tcppver.out");
    std::vector<ReferenceState> states;
    std::string line;
    int seen = -1;
    bool inBlock = false;
    while (std::getline(in, line)) {
        if (line.find("xx") != std::string::npos) {
            if (inBlock) break;
            std::istringstream header(line);
            int number = -1;
            header >> number;
            if (number == catalog && ++seen == occurrence) inBlock = true;
            continue;
        }
        if (!inBlock) continue;
        std::istringstream row(line);
        ReferenceState s;
        row >> s.minutes >> s.positionKm[0] >> s.positionKm[1] >> s.positionKm[2] >> s.velocityKmS[0] >>
            s.velocityKmS[1] >> s.velocityKmS[2];
        if (row) states.push_back(s);
    }
    return states;
}

}  // namespace orbit::sgp4::testing
