#pragma once

#include <QProcessEnvironment>

namespace tarvik {

// Environment variables that the program sets for its own Qt, kept apart from the environment
// the user started it with, which is what the programs it starts get.
class OwnEnvironment {
public:
    // Sets `name` to `value` for this process unless the user has set it.
    static void setDefault(const char* name, const char* value);
    // This process's environment without the variables setDefault added.
    static QProcessEnvironment userEnvironment();
};

} // namespace tarvik
