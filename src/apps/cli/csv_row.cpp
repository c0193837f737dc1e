#include "cli/csv_row.h"

#include <cmath>

namespace orbit::cli {

namespace {

void Flatten(const nlohmann::ordered_json& value, const std::string& path, CsvCells& cells)
{
    if (!value.is_object()) {
        cells.emplace_back(path, value);
        return;
    }
    for (const auto& [key, item] : value.items())
        Flatten(item, path.empty() ? key : path + "." + key, cells);
}

std::string CellText(const nlohmann::ordered_json& cell)
{
    if (cell.is_null())
        return {};
    if (cell.is_number_float()) {
        const double value = cell.get<double>();
        if (std::trunc(value) == value && std::fabs(value) < 1e15)
            return std::to_string(static_cast<long long>(value));
    }
    if (cell.is_array()) {
        std::string joined;
        for (const nlohmann::ordered_json& item : cell)
            joined += (joined.empty() ? "" : "; ") + (item.is_string() ? item.get<std::string>() : item.dump());
        return nlohmann::ordered_json(joined).dump();
    }
    return cell.dump();
}

}  // namespace

CsvCells FlattenedCells(const nlohmann::ordered_json& object)
{
    CsvCells cells;
    Flatten(object, "", cells);
    return cells;
}

void WriteCsvRecord(const CsvCells& cells, std::ostream& out)
{
    for (std::size_t k = 0; k < cells.size(); ++k)
        out << (k ? "," : "") << cells[k].first;
    out << '\n';
    for (std::size_t k = 0; k < cells.size(); ++k)
        out << (k ? "," : "") << CellText(cells[k].second);
    out << '\n';
}

}  // namespace orbit::cli
