#include "core/file_suffix.h"

namespace core {

std::string FilterSuffix(std::string_view filter) {
    // The patterns are in parentheses after the filter's name; a bare pattern list has none.
    std::string_view patterns = filter;
    if (const auto open = filter.rfind('('); open != std::string_view::npos) {
        patterns = filter.substr(open + 1);
        if (const auto close = patterns.find(')'); close != std::string_view::npos)
            patterns = patterns.substr(0, close);
    }
    const auto start = patterns.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    patterns = patterns.substr(start);
    const std::string_view first = patterns.substr(0, patterns.find(' '));
    if (first.size() < 3 || first.substr(0, 2) != "*.") return {};
    const std::string_view suffix = first.substr(1);
    // Only a plain suffix: "*.*" or "*.d?t" give none.
    if (suffix.find_first_of("*?[]") != std::string_view::npos) return {};
    return std::string(suffix);
}

std::string WithFilterSuffix(std::string_view path, std::string_view filter) {
    const auto slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string result(path);
    if (name.empty() || name.find('.') != std::string_view::npos) return result;
    return result + FilterSuffix(filter);
}

}  // namespace core
