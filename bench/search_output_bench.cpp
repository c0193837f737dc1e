// Writing the rows of `repeat-orbit search`: the longest search the command
// takes, 200 to 2000 km at 65 degrees with cycles up to 1000 days (about
// 1.46 million rows), as a table, as CSV and as JSON, into a stream that
// keeps nothing. The whole command is the search (search_bench) plus one of
// these; time it with
//   time build/cli/repeat-orbit search --incl 65 --alt-min 200 --alt-max 2000 --q-max 1000 > /dev/null
// Run with
//   build/bench/search_output_bench

#include "analysis/repeat_search.h"
#include "cli/search_output.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

namespace {

const orbit::analysis::SearchRows& LongestSearch()
{
    static const orbit::analysis::SearchRows rows = [] {
        orbit::analysis::SearchRequest request;
        request.type = orbit::OrbitType::ChooseInclination;
        request.inclDegrees = 65;
        request.altMinKm = 200;
        request.altMaxKm = 2000;
        request.maxDays = 1000;
        return orbit::analysis::SearchRepeatOrbits(request).rows;
    }();
    return rows;
}

// Counts the bytes and drops them, as /dev/null would.
class CountingBuffer : public std::streambuf {
public:
    std::streamsize bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override
    {
        bytes += count;
        return count;
    }
    int_type overflow(int_type c) override
    {
        ++bytes;
        return traits_type::not_eof(c);
    }
};

void Write(benchmark::State& state, void (*write)(const orbit::analysis::SearchRows&, std::ostream&))
{
    const orbit::analysis::SearchRows& rows = LongestSearch();
    CountingBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : state)
        write(rows, out);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));  // rows per second
    state.SetBytesProcessed(buffer.bytes);
    state.counters["rows"] = static_cast<double>(rows.size());
}

void Table(benchmark::State& state) { Write(state, orbit::cli::WriteSearchTable); }
void Csv(benchmark::State& state) { Write(state, orbit::cli::WriteSearchCsv); }
void Json(benchmark::State& state) { Write(state, orbit::cli::WriteSearchJson); }

}  // namespace

BENCHMARK(Table)->Unit(benchmark::kMillisecond);
BENCHMARK(Csv)->Unit(benchmark::kMillisecond);
BENCHMARK(Json)->Unit(benchmark::kMillisecond);
