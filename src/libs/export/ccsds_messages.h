#pragma once
// The three orbit data messages of CCSDS 502.0-B-3 in their keyword = value
// notation (KVN), version 3.0:
// - OPM, one osculating state with its Keplerian elements;
// - OMM, mean elements of a named theory: here the SGP4 elements of a TLE,
//   as satellite catalogues publish them;
// - OEM, an ephemeris of states to interpolate between.
// Times are UTC; states are about the Earth's centre in EME2000 (TEME for the
// SGP4 elements, the frame that theory is defined in).
//
// COMMENT lines stand only where the standard lets them: after the version
// line, at the start of the metadata and at the start of a data block.

#include "export/export_inputs.h"
#include "sgp4/elements.h"

#include <string>
#include <vector>

namespace orbit::exports {

struct OpmContent {
    MessageHeader header;
    CartesianState state;           // at the epoch (its secondsAfterEpoch is ignored)
    std::string epochUtc;           // "YYYY-MM-DDThh:mm:ss.ffffffZ"
    double gmKm3S2 = 0;             // the GM the Keplerian block is worked out with
    std::vector<std::string> stateComments;  // at the head of the state vector: design, model, mean elements
};

// The OMM of a TLE's elements as SGP4 reads them (Kozai mean motion, TEME
// angles), at the TLE's own epoch, to the TLE's own digits. The derivative
// fields are written as the TLE holds them (the first halved, the second
// divided by six), as catalogues publish them.
struct OmmContent {
    MessageHeader header;
    sgp4::TleElements elements;
    std::vector<std::string> elementComments;  // at the head of the mean elements: the design's own
};

struct OemContent {
    MessageHeader header;
    std::vector<CartesianState> states;  // increasing in time; the first at START_TIME, the last at STOP_TIME
    UtcClock utc;
    int interpolationDegree = 7;
    std::vector<std::string> dataComments;  // at the head of the ephemeris lines
};

// An OEM whose states are made while it is written: everything but them,
// and the times of the first and the last, which the metadata names before
// the first state is made.
struct OemStream {
    MessageHeader header;
    double startS = 0, stopS = 0;
    UtcClock utc;
    int interpolationDegree = 7;
    std::vector<std::string> dataComments;
};

// Hands each state of an ephemeris to `each`, increasing in time.
using StateSource = std::function<void(const std::function<void(const CartesianState&)>& each)>;

// Each writer throws OrbitError (InvalidArgument) for figures that are not
// finite or a state that has no elliptic orbit, and (Usage) for a name or
// comment holding a line break.
std::string WriteOpm(const OpmContent& content);
std::string WriteOmm(const OmmContent& content);
std::string WriteOem(const OemContent& content);

// The OEM written to `write` line by line as `states` makes them, none kept,
// so an ephemeris of any length takes no more memory than one. Throws as
// WriteOem does, as soon as a state shows it: one out of time order, a first
// not at startS, a last not at stopS, or no more states than the
// interpolation degree (what was written by then is to be thrown away).
void WriteOem(const OemStream& message, const StateSource& states, const TextSink& write);

// "YYYY-MM-DDThh:mm:ss.fffZ" as the messages write a time: the same digits
// without the zone letter, UTC being said by TIME_SYSTEM.
std::string CcsdsTime(const std::string& isoUtc);

}  // namespace orbit::exports
