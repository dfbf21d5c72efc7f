#pragma once

#include <mutex>
#include <string>
#include <vector>

// Path strings and path arrays handed to the program: the program keeps
// pointing into them, so they live as long as the process. Equal contents
// share one copy, which bounds the memory to the distinct paths seen.
class PathRegistry {
public:
    static PathRegistry &instance();
    const char *intern(const std::string &path);
    // A NUL-terminated array of interned strings.
    const char *const *internList(const std::vector<std::string> &paths);

private:
    PathRegistry() = default;
    std::mutex mutex_;
};
