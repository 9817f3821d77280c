#include "platform/linux/OwnEnvironment.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace tarvik {

namespace {

// The environment is the process's; so is the record of what the program added to it.
std::vector<std::string>& addedNames() {
    static std::vector<std::string> names;
    return names;
}

} // namespace

void OwnEnvironment::setDefault(const char* name, const char* value) {
    if (std::getenv(name) == nullptr && ::setenv(name, value, 0) == 0) {
        addedNames().emplace_back(name);
    }
}

QProcessEnvironment OwnEnvironment::userEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const std::string& name : addedNames()) {
        environment.remove(QString::fromStdString(name));
    }
    return environment;
}

} // namespace tarvik
