// The Qt-free writer, as the command line calls it.

#include "tests/libs/file_output/file_output_cases.h"

namespace orbit::file_output::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(CommandLine, FileOutput,
                         ::testing::Values(FileWriter{"StandardStrings", WriteOutputFile, StreamOutputFile}),
                         WriterName);

}  // namespace
}  // namespace orbit::file_output::testing
