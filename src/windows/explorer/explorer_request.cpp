#include "explorer/explorer_request.h"

namespace explorer {

using orbit::analysis::SearchRequest;

bool SameSearch(const SearchRequest& a, const SearchRequest& b)
{
    const bool sameInclination =
        a.type == orbit::OrbitType::SunSynchronous || (a.inclDegrees == b.inclDegrees && a.inclTenths == b.inclTenths);
    return a.type == b.type && sameInclination && a.altMinKm == b.altMinKm && a.altMaxKm == b.altMaxKm &&
           a.minDays == b.minDays && a.maxDays == b.maxDays && a.limit == b.limit;
}

}  // namespace explorer
