#include "core/start_options.h"

namespace {

struct Option {
    std::string_view name;
    std::optional<std::string> StartOptions::*value;
};

constexpr Option kOptions[] = {{"--learner", &StartOptions::learner},
                               {"--class-folder", &StartOptions::classFolder}};

const Option* optionNamed(std::string_view argument) {
    for (const Option& option : kOptions)
        if (argument == option.name ||
            (argument.starts_with(option.name) && argument.size() > option.name.size() &&
             argument[option.name.size()] == '='))
            return &option;
    return nullptr;
}

} // namespace

StartOptions parseStartOptions(const std::vector<std::string>& arguments) {
    StartOptions options;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size() && !options.error; ++i) {
        const std::string& argument = arguments[i];
        const Option* option = optionsEnded ? nullptr : optionNamed(argument);
        if (option && argument.size() > option->name.size()) {
            options.*(option->value) = argument.substr(option->name.size() + 1);
        } else if (option) {
            if (i + 1 == arguments.size())
                options.error = argument + " needs a value";
            else
                options.*(option->value) = arguments[++i];
        } else if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.starts_with("--")) {
            options.error = "unknown option " + argument;
        } else if (options.lesson) {
            options.error = "only one lesson can be opened at start";
        } else {
            options.lesson = argument;
        }
    }
    return options;
}
