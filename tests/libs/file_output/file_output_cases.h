#pragma once
// One suite of cases for every entry point to the file writer. A test
// program instantiates `FileOutput` with its own FileWriter:
//   INSTANTIATE_TEST_SUITE_P(CommandLine, FileOutput, ::testing::Values(FileWriter{...}), WriterName);

#include "file_output/file_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace orbit::file_output::testing {

struct FileWriter {
    const char* name;  // how the entry point takes its arguments, for the case names
    std::function<void(const std::string& path, std::string_view bytes)> write;
    std::function<void(const std::string& path, const std::function<void(const ByteSink& write)>& produce)> stream;
};

class FileOutput : public ::testing::TestWithParam<FileWriter> {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string PathOf(const char* name) const { return (folder / name).string(); }
    void Write(const std::string& path, std::string_view bytes) const { GetParam().write(path, bytes); }
    void Stream(const std::string& path, const std::function<void(const ByteSink&)>& produce) const
    {
        GetParam().stream(path, produce);
    }

    // Only the named files are in the folder: no temporary file was left.
    std::size_t FilesInFolder() const;

    std::filesystem::path folder;
};

std::string WriterName(const ::testing::TestParamInfo<FileWriter>& info);

}  // namespace orbit::file_output::testing
