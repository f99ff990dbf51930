#pragma once
// The grammar of a numora-cli command line. Every command declares its positional arguments and
// its options once; the dispatcher parses the words against that declaration and writes the
// command's usage from it, so the usage cannot drift from what is accepted.

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// What an option's value must look like for the command line to be right (else exit 2).
enum class CliValue {
    Text,    // anything, checked by the command
    Whole,   // digits only, within low..high
    Numbers, // a number list (see ParseCliNumbers)
    Choice,  // one of the words of the placeholder, "new|old"
};

struct CliOptionRule {
    std::string_view name;        // "--plays"
    std::string_view placeholder; // "M"; empty for an option without a value
    std::string_view description; // one line of the usage
    CliValue kind = CliValue::Text;
    long long low = 0;
    long long high = 999999999999999999LL;

    bool takesValue() const { return !placeholder.empty(); }
};

struct CliArgumentRule {
    std::string_view name; // "SISTEMA"
    bool optional = false;
    bool variadic = false; // takes every further word; at least one unless optional
};

// "3,17,45", "3 17 45" or both mixed: numbers 1..90, none twice, split at commas and blanks (an
// empty field between two commas is wrong); the blank text is the empty list.
bool ParseCliNumbers(std::string_view text, std::vector<int>& numbers);

// The options given on a command line, each checked against its rule.
class CliOptions {
public:
    bool has(std::string_view name) const { return values_.count(std::string(name)) != 0; }
    // The value as given ("" is an empty field), or the fallback when the option is absent.
    std::string value(std::string_view name, std::string_view fallback = {}) const;
    // A Whole option's value, or the fallback when the option is absent.
    long long whole(std::string_view name, long long fallback) const;
    // A Numbers option's list in the order given; empty when the option is absent.
    std::vector<int> numbers(std::string_view name) const;

private:
    friend struct CliCommandLine;
    std::map<std::string, std::string> values_;
};

// The words after the command's name, split into positional arguments and options. Options stand
// anywhere; "--" ends them; "--help" or "-h" where an option may stand asks for the usage.
struct CliCommandLine {
    std::vector<std::string> arguments;
    CliOptions options;
    bool help = false;
    std::string error; // why the words do not fit the declaration, in the program's voice; empty when they do

    static CliCommandLine Parse(const std::vector<std::string>& words, std::span<const CliArgumentRule> arguments,
                                std::span<const CliOptionRule> options);
};

} // namespace numora
