#pragma once
// The arguments of one rvltool command: its operands and its options, checked
// against what the command accepts. Options may stand anywhere; "--" ends
// them, so that an operand may begin with "--".

#include <map>
#include <string>
#include <vector>

struct CommandSpec {
    const char* name;
    const char* synopsis;     // "rvltool import [--utf8] BOOK FILE..."
    const char* description;  // the usage text's lines under the synopsis
    std::vector<std::string> flags;         // options without a value
    std::vector<std::string> valueOptions;  // options followed by a value
    size_t minOperands;
    size_t maxOperands;
};

class ToolArguments {
public:
    // False, with `error` set to one line that says what is wrong, when an
    // option is unknown or lacks its value or the operands do not fit. A
    // "--help" among the arguments is always accepted.
    bool parse(const CommandSpec& spec, const std::vector<std::string>& args, std::string& error);

    bool wantsHelp() const { return wantsHelp_; }
    const std::vector<std::string>& operands() const { return operands_; }
    bool has(const std::string& option) const { return options_.count(option) != 0; }
    // The value of an option, empty when it was not given.
    std::string value(const std::string& option) const;

private:
    bool wantsHelp_ = false;
    std::vector<std::string> operands_;
    std::map<std::string, std::string> options_;
};
