#pragma once
// Starts the headless media layer; shared by tests and benchmarks, without GoogleTest.
#include <stdexcept>
#include <string>

#include "media/media.h"

namespace testsupport {

// Starts the headless back end with `dataRoot` as the working folder (empty: stay where we are)
// and, when `logFile` is given, the debug log also written there. Throws std::runtime_error when
// the media layer does not start.
inline void StartHeadless(const std::string& dataRoot = "", const std::string& logFile = "") {
    Media::Options options;
    options.Headless = true;
    options.DataRoot = dataRoot;
    options.LogFile = logFile;
    std::string error;
    if (!Media::Init(options, error)) throw std::runtime_error("Media::Init: " + error);
}

} // namespace testsupport
