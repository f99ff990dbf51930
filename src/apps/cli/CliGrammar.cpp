#include "apps/cli/CliGrammar.h"

#include "core/TextHelpers.h"

#include <algorithm>

namespace numora {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool ValueFits(const CliOptionRule& rule, const std::string& value) {
    switch (rule.kind) {
    case CliValue::Text:
        return true;
    case CliValue::Whole: {
        long long v = 0;
        return ParseWholeNumber(value, v) && v >= rule.low && v <= rule.high;
    }
    case CliValue::Numbers: {
        std::vector<int> numbers;
        return ParseCliNumbers(value, numbers);
    }
    case CliValue::Choice: {
        std::string_view words = rule.placeholder;
        while (true) {
            const std::size_t bar = words.find('|');
            if (words.substr(0, bar) == value) return true;
            if (bar == std::string_view::npos) return false;
            words.remove_prefix(bar + 1);
        }
    }
    }
    return false;
}

} // namespace

bool ParseCliNumbers(std::string_view text, std::vector<int>& numbers) {
    numbers.clear();
    if (std::all_of(text.begin(), text.end(), IsBlank)) return true;
    std::size_t at = 0;
    while (true) {
        const std::size_t comma = text.find(',', at);
        std::string_view field = text.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at);
        bool any = false;
        while (!field.empty()) {
            if (IsBlank(field.front())) {
                field.remove_prefix(1);
                continue;
            }
            const std::size_t end = std::min(field.find(' '), field.find('\t'));
            long long v = 0;
            if (!ParseWholeNumber(field.substr(0, end), v) || v < 1 || v > 90) return false;
            if (std::find(numbers.begin(), numbers.end(), static_cast<int>(v)) != numbers.end()) return false;
            numbers.push_back(static_cast<int>(v));
            any = true;
            field.remove_prefix(std::min(end, field.size()));
        }
        if (!any) return false;
        if (comma == std::string_view::npos) return true;
        at = comma + 1;
    }
}

std::string CliOptions::value(std::string_view name, std::string_view fallback) const {
    const auto it = values_.find(std::string(name));
    return it == values_.end() ? std::string(fallback) : it->second;
}

long long CliOptions::whole(std::string_view name, long long fallback) const {
    long long v = fallback;
    if (has(name)) ParseWholeNumber(value(name), v);
    return v;
}

std::vector<int> CliOptions::numbers(std::string_view name) const {
    std::vector<int> list;
    ParseCliNumbers(value(name), list);
    return list;
}

CliCommandLine CliCommandLine::Parse(const std::vector<std::string>& words, std::span<const CliArgumentRule> arguments,
                                     std::span<const CliOptionRule> options) {
    CliCommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.rfind("--", 0) != 0) {
            if (word == "-h" && !optionsEnded) {
                line.help = true;
                return line;
            }
            line.arguments.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "--help") {
            line.help = true;
            return line;
        }
        const auto rule =
            std::find_if(options.begin(), options.end(), [&](const CliOptionRule& r) { return r.name == word; });
        if (rule == options.end()) {
            line.error = "Opzione non riconosciuta: " + word;
            return line;
        }
        if (line.options.has(word)) {
            line.error = "Opzione ripetuta: " + word;
            return line;
        }
        std::string value;
        if (rule->takesValue()) {
            if (i + 1 >= words.size()) {
                line.error = "Manca il valore di " + word + " (" + std::string(rule->placeholder) + ")";
                return line;
            }
            value = words[++i];
            if (!ValueFits(*rule, value)) {
                line.error = "Valore non valido per " + word + ": " + value;
                return line;
            }
        }
        line.options.values_[word] = value;
    }
    // Every required argument needs a word; a variadic one takes all that remain.
    std::size_t required = 0;
    bool variadic = false;
    for (const CliArgumentRule& a : arguments) {
        required += a.optional ? 0 : 1;
        variadic = variadic || a.variadic;
    }
    if (line.arguments.size() < required) {
        line.error = "Manca l'argomento " + std::string(arguments[line.arguments.size()].name);
    } else if (!variadic && line.arguments.size() > arguments.size()) {
        line.error = "Argomento in più: " + line.arguments[arguments.size()];
    }
    return line;
}

} // namespace numora
