#include "tools/rvltool/ToolArguments.h"

#include <algorithm>

namespace {

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool ToolArguments::parse(const CommandSpec& spec, const std::vector<std::string>& args, std::string& error)
{
    const std::string seeHelp = "; see rvltool " + std::string(spec.name) + " --help";
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.compare(0, 2, "--") != 0) {
            operands_.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            wantsHelp_ = true;
        } else if (contains(spec.flags, arg)) {
            options_[arg];
        } else if (!contains(spec.valueOptions, arg)) {
            error = "unknown option " + arg + " of " + spec.name + seeHelp;
            return false;
        } else if (i + 1 == args.size()) {
            error = arg + " needs a value" + seeHelp;
            return false;
        } else {
            options_[arg] = args[++i];
        }
    }
    if (wantsHelp_) return true;
    if (operands_.size() < spec.minOperands || operands_.size() > spec.maxOperands) {
        error = std::string(operands_.size() < spec.minOperands ? "missing arguments" : "too many arguments") +
                "; usage: " + spec.synopsis;
        return false;
    }
    return true;
}

std::string ToolArguments::value(const std::string& option) const
{
    const auto found = options_.find(option);
    return found != options_.end() ? found->second : std::string();
}
