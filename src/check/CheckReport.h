#pragma once

#include "check/ProjectCheck.h"

#include <string>
#include <vector>

namespace hakoniwa {
class Project;
}

// The checker's output for one run over several files: problems as text lines or as one JSON
// array, in UTF-8. Files that could not be read are reported alongside.
namespace hakoniwa::check {

class CheckReport {
public:
    // The problems of one project file; `file` is the name as given on the command line.
    void addProblems(const std::string& file, const Project& project,
                     const std::vector<Problem>& problems);
    // A file that could not be read; `reason` is UTF-8.
    void addFailure(const std::string& file, const std::string& reason);

    // "FILE: scene / item / command: message", one line per problem; scene-wide problems
    // leave out item and command, item-wide ones the command. Warnings say so.
    const std::string& problemLines() const { return text_; }
    // "FILE: reason", one line per file that could not be read.
    const std::string& failureLines() const { return failures_; }
    // Problems and failures as one JSON array of objects, one object a line.
    std::string json() const;

    int problemCount() const { return problemCount_; }
    int failureCount() const { return failureCount_; }

private:
    std::string text_, failures_;
    std::vector<std::string> jsonObjects_;
    int problemCount_ = 0;
    int failureCount_ = 0;
};

} // namespace hakoniwa::check
