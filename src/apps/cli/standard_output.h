#pragma once
// Standard output that tells the truth about whether it was written. The
// tables, the JSON and the help text all go to std::cout; a full disk or a
// closed descriptor must end in an error and exit 1, not a silent success.

#include <streambuf>

namespace orbit::cli {

// Buffers std::cout and writes it straight to descriptor 1, remembering the
// error of the first write that fails (later output is dropped).
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    int error() const { return error_; }  // errno of the failed write, 0 when none failed

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Drain();

    int fd_;
    int error_ = 0;
    char buffer_[1 << 16];
};

// For the life of `repeat-orbit`'s main: makes sure descriptors 0, 1 and 2
// are open (so no file the program opens can take their place), lets a
// reader that leaves a pipe end the program quietly, and routes std::cout
// through a DescriptorBuffer.
class StandardOutput {
public:
    StandardOutput();
    ~StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    // Flushes what is left. When any of the output failed, says so on
    // standard error and returns the computation-error status (a usage error
    // keeps its own); otherwise returns `status`.
    int Finish(int status);

private:
    DescriptorBuffer buffer_;
    std::streambuf* previous_;
};

}  // namespace orbit::cli
