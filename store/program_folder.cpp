#include "store/program_folder.h"

#include <string_view>

namespace vantry {

namespace {

constexpr std::string_view kTemporaryEnd = ".new";

}  // namespace

std::string TemporaryName(const std::string& name, unsigned long processId, unsigned counter) {
    return name + "." + std::to_string(processId) + "-" + std::to_string(counter) +
           std::string(kTemporaryEnd);
}

bool IsTemporaryFor(const std::string& name, const std::string& file) {
    std::string_view view(file);
    if (!view.starts_with(name + ".") || !view.ends_with(kTemporaryEnd)) return false;
    view = view.substr(name.size() + 1, view.size() - name.size() - 1 - kTemporaryEnd.size());
    std::size_t dash = view.find('-');
    auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return dash != std::string_view::npos && digits(view.substr(0, dash)) &&
           digits(view.substr(dash + 1));
}

}  // namespace vantry
