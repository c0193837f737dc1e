#include "map/topojson.h"

#include "core/orbit_error.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace world_map {

namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::string& what)
{
    throw orbit::OrbitError(orbit::ErrorKind::File, "not a TopoJSON land topology: " + what);
}

struct Transform {
    double scaleX = 1, scaleY = 1, translateX = 0, translateY = 0;
};

std::vector<Ring> DecodeArcs(const json& topology)
{
    const json* transformJson = topology.contains("transform") ? &topology.at("transform") : nullptr;
    Transform transform;
    if (transformJson) {
        const json& scale = transformJson->at("scale");
        const json& translate = transformJson->at("translate");
        transform = {scale.at(0).get<double>(), scale.at(1).get<double>(), translate.at(0).get<double>(),
                     translate.at(1).get<double>()};
    }
    const json& arcsJson = topology.at("arcs");
    if (!arcsJson.is_array())
        Fail("its arcs are not a list");
    std::vector<Ring> arcs;
    arcs.reserve(arcsJson.size());
    for (const json& arcJson : arcsJson) {
        Ring arc;
        arc.reserve(arcJson.size());
        double x = 0, y = 0;
        for (const json& position : arcJson) {
            if (!position.is_array() || position.size() < 2)
                Fail("an arc holds a position that is not a pair of numbers");
            // Quantised arcs are delta-encoded; plain ones hold the positions.
            if (transformJson) {
                x += position[0].get<double>();
                y += position[1].get<double>();
            } else {
                x = position[0].get<double>();
                y = position[1].get<double>();
            }
            const LonLat p{x * transform.scaleX + transform.translateX, y * transform.scaleY + transform.translateY};
            if (!(std::fabs(p.lonDeg) <= 180 + 1e-9 && std::fabs(p.latDeg) <= 90 + 1e-9))
                Fail("an arc holds a position off the globe");
            arc.push_back(p);
        }
        arcs.push_back(std::move(arc));
    }
    return arcs;
}

// The ring made of the arcs `indices`, each after the first starting where
// the one before ended; the closing point is not repeated.
Ring StitchRing(const json& indices, const std::vector<Ring>& arcs)
{
    Ring ring;
    for (const json& indexJson : indices) {
        const long long index = indexJson.get<long long>();
        const long long arcIndex = index < 0 ? ~index : index;
        if (arcIndex >= static_cast<long long>(arcs.size()))
            Fail("a ring refers to arc " + std::to_string(index) + ", which it lacks");
        const Ring& arc = arcs[static_cast<std::size_t>(arcIndex)];
        const std::size_t skip = ring.empty() ? 0 : 1;
        if (index >= 0)
            ring.insert(ring.end(), arc.begin() + static_cast<std::ptrdiff_t>(std::min(skip, arc.size())), arc.end());
        else
            ring.insert(ring.end(), arc.rbegin() + static_cast<std::ptrdiff_t>(std::min(skip, arc.size())),
                        arc.rend());
    }
    if (ring.size() >= 2 && ring.front() == ring.back())
        ring.pop_back();
    return ring;
}

Polygon DecodePolygon(const json& ringsJson, const std::vector<Ring>& arcs)
{
    Polygon polygon;
    for (const json& ringJson : ringsJson) {
        Ring ring = StitchRing(ringJson, arcs);
        if (ring.size() >= 3)
            polygon.push_back(std::move(ring));
    }
    return polygon;
}

void DecodeGeometry(const json& geometry, const std::vector<Ring>& arcs, std::vector<Polygon>& polygons)
{
    const json& type = geometry.at("type");
    if (type.is_null())
        return;
    const std::string typeName = type.get<std::string>();
    if (typeName == "GeometryCollection") {
        for (const json& member : geometry.at("geometries"))
            DecodeGeometry(member, arcs, polygons);
    } else if (typeName == "Polygon") {
        if (Polygon polygon = DecodePolygon(geometry.at("arcs"), arcs); !polygon.empty())
            polygons.push_back(std::move(polygon));
    } else if (typeName == "MultiPolygon") {
        for (const json& polygonJson : geometry.at("arcs"))
            if (Polygon polygon = DecodePolygon(polygonJson, arcs); !polygon.empty())
                polygons.push_back(std::move(polygon));
    }
}

}  // namespace

std::vector<Polygon> DecodeTopoJsonPolygons(std::string_view text, const std::string& objectName)
{
    try {
        const json topology = json::parse(text);
        if (!topology.is_object() || topology.value("type", "") != "Topology")
            Fail("its type is not Topology");
        const json& objects = topology.at("objects");
        if (!objects.contains(objectName))
            Fail("it has no object '" + objectName + "'");
        const std::vector<Ring> arcs = DecodeArcs(topology);
        std::vector<Polygon> polygons;
        DecodeGeometry(objects.at(objectName), arcs, polygons);
        return polygons;
    } catch (const json::exception& e) {
        // nlohmann's own words, after its "[json.exception.type_error.302] ".
        std::string what = e.what();
        if (const std::size_t bracket = what.find("] "); bracket != std::string::npos)
            what.erase(0, bracket + 2);
        Fail(what);
    }
}

}  // namespace world_map
